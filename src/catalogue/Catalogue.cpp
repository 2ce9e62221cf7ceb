#include "catalogue/Catalogue.h"

#include "app/AppContext.h"
#include "app/MainWindowPort.h"

namespace rer {

int CheckDevCode(const QString& size, const QString& speed, int stroke) {
    if (size.size() != 3) return 1;
    if (speed.size() != 1 || speed[0] < QLatin1Char('A') || speed[0] > QLatin1Char('Z')) return 1;
    if (stroke < 10 || stroke > 999) return 1;
    return 0;
}

// The catalogue itself is read in a later step of the build-up; until then
// no model can be found, so the start asks for an actuator.
int CheckDevListFile(AppContext&, int, const QString&, const QString&, const QString&, int) {
    return 0;
}

int GetDevLead(AppContext&, int, const QString&, const QString&, const QString&, int) {
    return 0;
}

int GetDevPPR(AppContext&, int, const QString&, const QString&, const QString&, int) {
    return 0;
}

void LoadDeviceList(AppContext&, Product, int) {}

void ApplyDeviceList(AppContext& ctx, Product) {
    ctx.opt.DevNotFound = true;
}

void CulcMaxPulse(AppContext&, Product) {}
void CalcMaxMm(AppContext&, Product) {}
void ShowDeviceName(AppContext&, Product, MainWindowPort&) {}
void ShowPulseRate(AppContext&, Product, MainWindowPort&) {}

} // namespace rer
