#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "mainwin/ui/frmMain.h"
#include "motion/ui/frmIOCheck.h"
#include "motion/ui/frmJOG.h"
#include "motion/ui/frmMove.h"

#include <QPushButton>

namespace rer {

namespace {

void ShowIoCheck(frmMain& w, AppContext& ctx) {
    frmIOCheck d(ctx, &w);
    d.exec();
}

void LineButtonsOff(frmMain& w) {
    for (const char* n : {"cmdInsertLine", "cmdDeleteLine"})
        if (QPushButton* b = w.button(QString::fromLatin1(n))) b->setEnabled(false);
}

// The teaching window of the product in use, modal.
void OpenJogWindow(frmMain& w, AppContext& ctx) {
    {
        frmJOG d(ctx, ctx.opt.CtType == 1 ? Product::TwoAxis : Product::OneAxis, &w);
        LineButtonsOff(w);
        d.exec();
    }
    LineButtonsOff(w);
}

// The motion-test window, not modal; one per main window.
void OpenMoveWindow(frmMain& w, AppContext& ctx) {
    frmMove* m = w.findChild<frmMove*>();
    if (!m) {
        m = new frmMove(ctx, &w, [&w](bool locked) {
            if (QPushButton* b = w.button(QStringLiteral("cmdReset"))) b->setEnabled(!locked);
            if (locked) w.CTModeChange_Muko();
            else w.CTModeChange_Yuko();
        });
    }
    m->show();
    m->raise();
    m->activateWindow();
}

} // namespace

void InstallMotionCommands(frmMain& w, AppContext& ctx) {
    // The first "Step" of a programmed run starts at cell 1.
    ctx.motion.MoveFirstTime = true;
    ctx.motion.MoveFirstTime2 = true;
    w.registerCommand(QStringLiteral("cmdOpenMoveWin"), [&w, &ctx] { OpenMoveWindow(w, ctx); });
    w.registerCommand(QStringLiteral("mnuShowMove"), [&w, &ctx] { OpenMoveWindow(w, ctx); });
    w.registerCommand(QStringLiteral("cmdOpenIoWin"), [&w, &ctx] {
        w.CMDBTN_Muko();
        ShowIoCheck(w, ctx);
        w.CMDBTN_Yuko();
    });
    w.registerCommand(QStringLiteral("mnuShowState"), [&w, &ctx] { ShowIoCheck(w, ctx); });
    w.registerCommand(QStringLiteral("OpenJogWindow"), [&w, &ctx] { OpenJogWindow(w, ctx); });
}

} // namespace rer
