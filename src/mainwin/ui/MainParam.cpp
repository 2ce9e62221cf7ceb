#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "mainwin/ui/frmMain.h"
#include "setup/ui/frmParameta2.h"

#include <QPointer>

namespace rer {

namespace {

// The main window's side of the parameter windows: its command families and
// the one window of each product.
class ParamHost : public QObject, public MainCommandFrame {
public:
    ParamHost(frmMain& w, AppContext& ctx) : QObject(&w), w_(w), ctx_(ctx) {}

    void CMDBTN_Muko() override { w_.CMDBTN_Muko(); }
    void ToolBar_Muko() override { w_.ToolBar_Muko(); }
    void Menyu_Muko() override { w_.Menyu_Muko(); }
    void CMDBTN_Yuko() override { w_.CMDBTN_Yuko(); }
    void ToolBar_Yuko() override { w_.ToolBar_Yuko(); }
    void Menyu_Yuko() override { w_.Menyu_Yuko(); }

    void OpenParaWindow() {
        w_.LineCmd_Muko();
        w_.FocusDummy();
        const Product p = ctx_.opt.product();
        QPointer<frmParameta2>& win = windows_[ProductSlot(p)];
        if (!win) {
            win = p == Product::TwoAxis ? new frmParameta2(ctx_, this, &w_) : new frm3KParameta2(ctx_, this, &w_);
            win->setAttribute(Qt::WA_DeleteOnClose);
            win->move(w_.pos() + QPoint(500 / 15, 500 / 15));
        }
        win->setWindowState(win->windowState() & ~Qt::WindowMinimized);
        win->show();
        win->raise();
        win->activateWindow();
    }

private:
    frmMain& w_;
    AppContext& ctx_;
    QPointer<frmParameta2> windows_[2];
};

} // namespace

void InstallParamCommands(frmMain& w, AppContext& ctx) {
    auto* host = new ParamHost(w, ctx);
    w.registerCommand(QStringLiteral("OpenParaWindow"), [host] { host->OpenParaWindow(); });
}

} // namespace rer
