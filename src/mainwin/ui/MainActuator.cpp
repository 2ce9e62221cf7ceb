#include "mainwin/ui/MainFeatures.h"

#include "mainwin/ui/frmMain.h"

namespace rer {

void InstallActuatorCommands(frmMain&, AppContext&) {}

// The actuator dialogs come with the catalogue; until then the change is a
// cancelled choice.
void RunActuatorChange(frmMain& w, AppContext&, Product) {
    w.LineCmd_Muko();
    w.FocusDummy();
}

} // namespace rer
