#include "link/ui/frmTrance.h"

#include "app/AppContext.h"
#include "app/ui/WindowText.h"
#include "link/ControllerLink.h"
#include "platform/ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace rer {

frmTrance::frmTrance(AppContext& ctx, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint),
      ctx_(ctx), main_(mainWindow), lblSetumei_(new QLabel(this)), prgBar1_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("frmTrance"));
    FitToScreen(*this);
    lblSetumei_->setObjectName(QStringLiteral("lblSetumei"));
    prgBar1_->setObjectName(QStringLiteral("prgBar1"));
    prgBar1_->setTextVisible(false);
    auto* l = new QVBoxLayout(this);
    l->addWidget(lblSetumei_);
    l->addWidget(prgBar1_);
    resize(360, 90);
}

void frmTrance::Form_Load() {
    loaded_ = true;
    // 500 twips to the right of and below the main window's corner.
    constexpr int kOffset = 500 / 15;
    if (main_) move(main_->frameGeometry().topLeft() + QPoint(kOffset, kOffset));
    const QString product = ctx_.opt.CtType == 1 ? QStringLiteral("DI-D6") : QStringLiteral("DE-D3U");
    setWindowTitle(product + ctx_.pick(QStringLiteral(" ただいま通信中・・・"), QStringLiteral(" Communicating,now...")));
    KeepTitleWhole(*this);
    lblSetumei_->setText(ctx_.pick(QStringLiteral("データをコントローラへ転送しています"),
                                   QStringLiteral("Sending data to the controller...")));
    prgBar1_->setMinimum(0);
    prgBar1_->setValue(0);
}

void frmTrance::setMaximum(int max) {
    if (!loaded_) Form_Load();
    prgBar1_->setMaximum(max);
}

void frmTrance::setValue(int value) {
    if (!loaded_) Form_Load();
    prgBar1_->setValue(value);
}

void frmTrance::setSetumei(const QString& text) {
    if (!loaded_) Form_Load();
    lblSetumei_->setText(text);
}

void frmTrance::Show() {
    if (!loaded_) Form_Load();
    show();
    raise();
}

void frmTrance::Unload() {
    unloading_ = true;
    close();
    unloading_ = false;
    loaded_ = false;
}

void frmTrance::closeEvent(QCloseEvent* e) {
    if (unloading_) {
        e->accept();
        return;
    }
    // Only the transfer unloads the window; its close box ends a wait for
    // what the controller still owes, and the transfer ends as a stop.
    e->ignore();
    if (ControllerLink* l = ctx_.link.ct; l && l->cleaningUp()) l->StopWait();
}

} // namespace rer
