#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "mainwin/ActuatorChange.h"
#include "mainwin/ui/frmMain.h"
#include "setup/ui/QtActuatorDialogs.h"

namespace rer {

namespace {

class MainActuatorHost : public ActuatorChangeHost {
public:
    explicit MainActuatorHost(frmMain& w) : w_(w) {}
    void LineCmd_Muko() override { w_.LineCmd_Muko(); }
    void SetChangeButtonEnabled(Product p, bool on) override {
        const QString name = p == Product::TwoAxis ? QStringLiteral("cmdChangeDev")
                                                   : QStringLiteral("cmdChangeDevW3k");
        if (on) w_.Button_Yuko(name);
        else w_.Button_Muko(name);
    }

private:
    frmMain& w_;
};

} // namespace

void InstallActuatorCommands(frmMain& w, AppContext&) {
    w.registerCommand(QStringLiteral("cmdChangeDev"), [&w] { w.cmdChangeDev_Click(); });
    w.registerCommand(QStringLiteral("cmdChangeDevW3k"), [&w] { w.cmdChangeDevW3k_Click(); });
}

void RunActuatorChange(frmMain& w, AppContext& ctx, Product p) {
    // The actuator is what every job reads its conversions from: the change
    // holds the controller from its first box to its end, and does nothing
    // while another job holds it.
    ControllerJob hold(ctx.link.ct, &w);
    if (!hold) return;
    MainActuatorHost host(w);
    QtActuatorDialogs dialogs(ctx, &w);
    ChangeActuator(ctx, p, w, host, dialogs);
}

} // namespace rer
