#include "app/AppContext.h"
#include "link/CommandFamilies.h"
#include "link/ControllerLink.h"
#include "link/CtError.h"
#include "link/LinkDisplay.h"
#include "link/ui/frmTrance.h"
#include "mainwin/ControllerCommands.h"
#include "mainwin/ui/MainFeatures.h"
#include "mainwin/ui/frmMain.h"

#include <QLabel>
#include <QPushButton>

namespace rer {

namespace {

// The main window's lamps and labels as the link writes them.
class MainLinkDisplay : public LinkDisplay {
public:
    explicit MainLinkDisplay(frmMain& w) : w_(w) {}

    void setAlarmLamp(bool on) override { pair("imgAlarmLed", "imgAlarmGreen", on); }
    void setAlarmNo(const QString& t) override { text("lblAlarmNo", t); }
    void setErrorComment(const QString& t) override { text("lblErrorComment", t); }
    void setHomeLamp(bool on) override { pair("imgHomeGreen", "imgHomeWhite", on); }
    void setPortLamp(bool on) override { pair("imgPortGreen", "imgPortLed", on); }
    void setStatusPanel(int panel, const QString& t) override {
        if (QLabel* l = w_.statusPanel(panel)) l->setText(t);
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
};

// The main window's enable families as the transfers call them.
class MainFamilies : public CommandFamilies {
public:
    explicit MainFamilies(frmMain& w) : w_(w) {}
    void CMDBTN_Yuko() override { w_.CMDBTN_Yuko(); }
    void ToolBar_Yuko() override { w_.ToolBar_Yuko(); }
    void Menyu_Yuko() override { w_.Menyu_Yuko(); }

private:
    frmMain& w_;
};

// The link's parts that live as long as the main window.
class MainLinkParts : public QObject {
public:
    MainLinkParts(frmMain& w, AppContext& ctx)
        : QObject(&w), ctx_(ctx), display(w), families(w), link(ctx, *ctx.serial, display, this),
          trance(new frmTrance(ctx, &w)) {
        link.setProgress(trance);
        ctx.link.families = &families;
    }
    ~MainLinkParts() override {
        if (ctx_.link.families == &families) ctx_.link.families = nullptr;
    }
    AppContext& ctx_;
    MainLinkDisplay display;
    MainFamilies families;
    ControllerLink link;
    frmTrance* trance;
};

void cmdReset_Click(frmMain& w, ControllerLink& link) {
    QPushButton* reset = w.button(QStringLiteral("cmdReset"));
    w.LineCmd_Muko();
    w.Menyu_Muko();
    if (reset) reset->setEnabled(false);
    w.FocusDummy();
    CtResetProc(link);
    link.PortCloseIfFree();
    if (reset) reset->setEnabled(true);
    w.Menyu_Yuko();
}

void modeChange(frmMain& w, ControllerLink& link, void (*change)(ControllerLink&)) {
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
    if (!ctx.serial) return;
    auto* parts = new MainLinkParts(w, ctx);
    ControllerLink& link = parts->link;
    link.RefreshPortLamp();
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
    else if (ctx.serial) ctx.serial->close();
}

} // namespace rer
