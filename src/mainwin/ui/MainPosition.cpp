#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "dialogs/ui/frmDataShogo.h"
#include "dialogs/ui/frmSelectPosiNo.h"
#include "mainwin/PositionCommands.h"
#include "mainwin/ui/frmMain.h"

#include <QLabel>
#include <memory>

namespace rer {

namespace {

// The main window and its dialogs as the position commands see them.
class MainPositionHost : public PositionHost {
public:
    MainPositionHost(frmMain& w, AppContext& ctx) : w_(w), ctx_(ctx) {}

    MainWindowPort& window() override { return w_; }
    void CommandsOff() override {
        w_.CMDBTN_Muko();
        w_.ToolBar_Muko();
        w_.Menyu_Muko();
        w_.LineCmd_Muko();
    }
    void CommandsOn() override {
        w_.CMDBTN_Yuko();
        w_.ToolBar_Yuko();
        w_.Menyu_Yuko();
    }
    void LineCmd_Muko() override { w_.LineCmd_Muko(); }
    void SetFileLabel(const QString& text) override {
        if (QLabel* l = w_.label(QStringLiteral("lblFileName"))) l->setText(text);
    }
    // The job's dialogs wait in event loops of their own, as its boxes do:
    // a request that arrives meanwhile, the main window's own included, is
    // not the job's next step and is refused.
    void SelectRange() override {
        frmSelectPosiNo dlg(ctx_, &w_);
        NestedWait waiting(ctx_.link);
        dlg.exec();
    }
    int SelectShogo() override {
        frmDataShogo dlg(ctx_, &w_);
        NestedWait waiting(ctx_.link);
        dlg.exec();
        return dlg.Select_Shogo;
    }
    void ShowShogoResult(Product p) override {
        frmSyogoKekka dlg(ctx_, p, &w_);
        NestedWait waiting(ctx_.link);
        dlg.exec();
    }

private:
    frmMain& w_;
    AppContext& ctx_;
};

} // namespace

void InstallPositionCommands(frmMain& w, AppContext& ctx) {
    auto host = std::make_shared<MainPositionHost>(w, ctx);
    // A command that talks to the controller holds it from its first
    // question to its end; while another window's job holds it, the command
    // does nothing.
    auto withLink = [&w, &ctx, host](void (*job)(AppContext&, ControllerLink&, PositionHost&)) {
        return [&w, &ctx, host, job] {
            ControllerJob hold(ctx.link.ct, &w);
            if (ctx.link.ct && hold) job(ctx, *ctx.link.ct, *host);
        };
    };
    w.registerCommand(QStringLiteral("FileNew"), [&ctx, host] { PosiNewCmd(ctx, *host); });
    w.registerCommand(QStringLiteral("FileOpen"), [&ctx, host] { PosiFileOpenCmd(ctx, *host); });
    w.registerCommand(QStringLiteral("FileSave"), [&ctx, host] { PosiSaveCmd(ctx, *host); });
    w.registerCommand(QStringLiteral("FileSaveAs"), [&ctx, host] { PosiSaveAsCmd(ctx, *host); });
    w.registerCommand(QStringLiteral("PosiRead"), withLink(&PosidataGetfromCt));
    w.registerCommand(QStringLiteral("PosiWrite"), withLink(&PosidataLoadtoCt));
    w.registerCommand(QStringLiteral("PosiVerify"), withLink(&PosiDataShogoProc));
    w.registerCommand(QStringLiteral("PosiVerifyFile"), [&ctx, host] {
        if (ctx.link.ct) PosiVerifyMenu(ctx, *ctx.link.ct, *host, true);
    });
    w.registerCommand(QStringLiteral("PosiVerifyCt"), [&w, &ctx, host] {
        ControllerJob hold(ctx.link.ct, &w);
        if (ctx.link.ct && hold) PosiVerifyMenu(ctx, *ctx.link.ct, *host, false);
    });
}

} // namespace rer
