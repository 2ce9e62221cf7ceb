#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "mainwin/ui/frmMain.h"
#include "motion/ui/frmIOCheck.h"
#include "motion/ui/frmJOG.h"
#include "motion/ui/frmMove.h"

namespace rer {

namespace {

// What a window-opening command does first: the line commands go off and
// the focus leaves the grid.
void Prepare(frmMain& w) {
    w.LineCmd_Muko();
    w.FocusDummy();
}

// A modal window whose exchanges are jobs of their own (the I/O monitor,
// the teaching window) opens only while no job holds the controller: the
// command takes it first and does nothing at all when refused. The window
// then gives each of its exchanges its own hold; while it is up, no other
// window takes input.
bool ControllerFree(frmMain& w, AppContext& ctx) {
    ControllerJob hold(ctx.link.ct, &w, false);
    return bool(hold);
}

void ShowIoCheck(frmMain& w, AppContext& ctx) {
    frmIOCheck d(ctx, &w);
    d.exec();
}

// The teaching window of the product in use, modal.
void OpenJogWindow(frmMain& w, AppContext& ctx) {
    if (!ControllerFree(w, ctx)) return;
    Prepare(w);
    {
        frmJOG d(ctx, ctx.opt.CtType == 1 ? Product::TwoAxis : Product::OneAxis, &w);
        d.exec();
    }
    // Insert and Delete Line come back only when a grid gets the focus.
    w.LineCmd_Muko();
}

// The motion-test window, not modal; one per main window. A run locks the
// main window's reset and mode change.
void OpenMoveWindow(frmMain& w, AppContext& ctx) {
    frmMove* m = w.findChild<frmMove*>();
    if (!m) {
        m = new frmMove(ctx, &w, [&w](bool locked) {
            if (locked) {
                w.Button_Muko(QStringLiteral("cmdReset"));
                w.CTModeChange_Muko();
            } else {
                w.Button_Yuko(QStringLiteral("cmdReset"));
                w.CTModeChange_Yuko();
            }
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
    w.registerCommand(QStringLiteral("cmdOpenMoveWin"), [&w, &ctx] {
        Prepare(w);
        OpenMoveWindow(w, ctx);
    });
    w.registerCommand(QStringLiteral("mnuShowMove"), [&w, &ctx] {
        w.LineCmd_Muko();
        OpenMoveWindow(w, ctx);
    });
    w.registerCommand(QStringLiteral("cmdOpenIoWin"), [&w, &ctx] {
        if (!ControllerFree(w, ctx)) return;
        w.CMDBTN_Muko();
        Prepare(w);
        ShowIoCheck(w, ctx);
        w.CMDBTN_Yuko();
    });
    w.registerCommand(QStringLiteral("mnuShowState"), [&w, &ctx] {
        if (!ControllerFree(w, ctx)) return;
        w.LineCmd_Muko();
        ShowIoCheck(w, ctx);
    });
    w.registerCommand(QStringLiteral("OpenJogWindow"), [&w, &ctx] { OpenJogWindow(w, ctx); });
}

} // namespace rer
