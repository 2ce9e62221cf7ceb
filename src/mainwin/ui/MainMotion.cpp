#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "mainwin/ui/frmMain.h"
#include "motion/ui/frmIOCheck.h"

namespace rer {

namespace {

void ShowIoCheck(frmMain& w, AppContext& ctx) {
    frmIOCheck d(ctx, &w);
    d.exec();
}

} // namespace

void InstallMotionCommands(frmMain& w, AppContext& ctx) {
    w.registerCommand(QStringLiteral("cmdOpenIoWin"), [&w, &ctx] {
        w.CMDBTN_Muko();
        ShowIoCheck(w, ctx);
        w.CMDBTN_Yuko();
    });
    w.registerCommand(QStringLiteral("mnuShowState"), [&w, &ctx] { ShowIoCheck(w, ctx); });
}

} // namespace rer
