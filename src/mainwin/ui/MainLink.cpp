#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "link/CtError.h"
#include "link/LinkDisplay.h"
#include "link/ui/frmTrance.h"
#include "mainwin/ControllerCommands.h"
#include "mainwin/ui/MainFeatures.h"
#include "mainwin/ui/frmMain.h"

#include <QLabel>

namespace rer {

namespace {

// The main window's lamps and labels as the link writes them.
class MainLinkDisplay : public LinkDisplay {
public:
    MainLinkDisplay(frmMain& w, AppContext& ctx) : w_(w), ctx_(ctx) {}

    void setAlarmLamp(bool on) override { pair("imgAlarmLed", "imgAlarmGreen", on); }
    void setAlarmNo(const QString& t) override { text("lblAlarmNo", t); }
    void setErrorComment(const QString& t) override { text("lblErrorComment", t); }
    void setHomeLamp(bool on) override { pair("imgHomeGreen", "imgHomeWhite", on); }
    void setPortLamp(bool on) override { pair("imgPortGreen", "imgPortLed", on); }
    void setStatusPanel(int panel, const QString& t) override {
        if (QLabel* l = w_.statusPanel(panel)) l->setText(t);
    }
    // The first panel tells of the wait and shows its own text again after.
    void setOwedWait(bool on) override {
        QLabel* l = w_.statusPanel(1);
        if (!l || on == owedWait_) return;
        owedWait_ = on;
        // Short enough for the panel as it is.
        const QString text = ctx_.pick(QStringLiteral("ｺﾝﾄﾛｰﾗの応答を待っています"),
                                       QStringLiteral("Waiting for the controller"));
        if (on) {
            kept_ = l->text();
            l->setText(text);
        } else if (l->text() == text) {
            l->setText(kept_);
        }
    }

private:
    void pair(const char* lit, const char* dark, bool on) {
        if (QLabel* l = w_.label(QString::fromLatin1(lit))) l->setVisible(on);
        if (QLabel* l = w_.label(QString::fromLatin1(dark))) l->setVisible(!on);
    }
    void text(const char* name, const QString& t) {
        if (QLabel* l = w_.label(QString::fromLatin1(name))) l->setText(t);
    }
    frmMain& w_;
    AppContext& ctx_;
    bool owedWait_ = false;
    QString kept_;
};

// The link's parts that live as long as the main window.
class MainLinkParts : public QObject {
public:
    MainLinkParts(frmMain& w, AppContext& ctx)
        : QObject(&w), display(w, ctx), link(ctx, *ctx.platform.serial, display, this), trance(new frmTrance(ctx, &w)) {
        link.setProgress(trance);
    }
    MainLinkDisplay display;
    ControllerLink link;
    frmTrance* trance;
};

void cmdReset_Click(frmMain& w, ControllerLink& link) {
    ControllerJob job(&link, &w);
    if (!job) return; // another window's job holds the controller
    const QString reset = QStringLiteral("cmdReset");
    w.LineCmd_Muko();
    w.Menyu_Muko();
    w.Button_Muko(reset);
    w.FocusDummy();
    CtResetProc(link);
    link.PortCloseIfFree();
    w.Button_Yuko(reset);
    w.Menyu_Yuko();
}

void modeChange(frmMain& w, ControllerLink& link, int (*change)(ControllerLink&)) {
    ControllerJob job(&link, &w);
    if (!job) return;
    w.CMDBTN_Muko();
    w.ToolBar_Muko();
    w.LineCmd_Muko();
    w.Menyu_Muko();
    w.FocusDummy();
    change(link);
    link.PortCloseIfFree();
    w.CMDBTN_Yuko();
    w.ToolBar_Yuko();
    w.Menyu_Yuko();
}

void CtVersionHyojiCmd(frmMain& w, ControllerLink& link) {
    ControllerJob job(&link, &w);
    if (!job) return;
    w.CMDBTN_Muko();
    w.ToolBar_Muko();
    w.Menyu_Muko();
    w.LineCmd_Muko();
    w.FocusDummy();
    CtVersionHyoji(link);
    w.CMDBTN_Yuko();
    w.ToolBar_Yuko();
    w.Menyu_Yuko();
}

} // namespace

void InstallLinkCommands(frmMain& w, AppContext& ctx) {
    // Without a serial line the link's commands stay disabled.
    if (!ctx.platform.serial) return;
    auto* parts = new MainLinkParts(w, ctx);
    ControllerLink& link = parts->link;
    link.RefreshPortLamp();
    QObject::connect(&link, &ControllerLink::busyChanged, &w, &frmMain::setControllerBusy);
    w.registerCommand(QStringLiteral("cmdReset"), [&w, &link] { cmdReset_Click(w, link); });
    w.registerCommand(QStringLiteral("mnuModeGaibu"), [&w, &link] { modeChange(w, link, &GaibuModeChange); });
    w.registerCommand(QStringLiteral("mnuModeTrancefer"), [&w, &link] { modeChange(w, link, &TranceferModeChange); });
    w.registerCommand(QStringLiteral("mnuShowCtversion"), [&w, &link] { CtVersionHyojiCmd(w, link); });
}

void MainLinkLoad(frmMain&, AppContext& ctx) {
    Get_ErrorList(ctx);
}

void MainLinkUnload(frmMain&, AppContext& ctx) {
    if (ctx.link.ct) ctx.link.ct->PortClose();
    else if (ctx.platform.serial) ctx.platform.serial->close();
}

} // namespace rer
