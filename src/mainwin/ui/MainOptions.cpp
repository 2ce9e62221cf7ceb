#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "dialogs/About.h"
#include "dialogs/Options.h"
#include "dialogs/ui/frmAbout.h"
#include "dialogs/ui/frmOptions2.h"
#include "link/ControllerLink.h"
#include "mainwin/ui/frmMain.h"

namespace rer {

namespace {

void mnuViewOption_Click(frmMain& w, AppContext& ctx) {
    // The port, the unit and the language are what a job runs on: the
    // options hold the controller while they are up, and do nothing while
    // another job holds it.
    ControllerJob hold(ctx.link.ct, &w);
    if (!hold) return;
    w.LineCmd_Muko();
    {
        frmOptions2 d(ctx, &w);
        d.exec();
    }
    ShowRestartNotices(ctx);
}

void mnuHelpAbout_Click(frmMain& w, AppContext& ctx) {
    w.LineCmd_Muko();
    DesktopSysInfoTools tools;
    frmAbout d(ctx, tools, &w);
    d.exec();
}

} // namespace

void InstallOptionCommands(frmMain& w, AppContext& ctx) {
    w.registerCommand(QStringLiteral("mnuViewOption"), [&w, &ctx] { mnuViewOption_Click(w, ctx); });
    w.registerCommand(QStringLiteral("mnuHelpAbout"), [&w, &ctx] { mnuHelpAbout_Click(w, ctx); });
}

} // namespace rer
