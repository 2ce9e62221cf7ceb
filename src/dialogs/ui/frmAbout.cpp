#include "dialogs/ui/frmAbout.h"

#include "app/AppContext.h"
#include "dialogs/About.h"
#include "platform/ui/WindowPlacement.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace rer {

frmAbout::frmAbout(AppContext& ctx, SysInfoTools& tools, QWidget* parent)
    : QDialog(parent), ctx_(ctx), tools_(tools) {
    setObjectName(QStringLiteral("frmAbout"));
    FitToScreen(*this);
    setModal(true);

    auto makeLabel = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setWordWrap(true);
        return l;
    };
    picIcon = makeLabel("picIcon");
    picIcon->setWordWrap(false);
    const QIcon icon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                           : QApplication::windowIcon();
    picIcon->setPixmap(icon.pixmap(32, 32));
    lblTitle = makeLabel("lblTitle");
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle->setFont(big);
    lblTitle2 = makeLabel("lblTitle2");
    lblVersion = makeLabel("lblVersion");
    lblDescription = makeLabel("lblDescription");
    lblDisclaimer = makeLabel("lblDisclaimer");
    lblHpAddress = makeLabel("lblHpAddress");
    lblHpAddress->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* g = new QGridLayout(this);
    g->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    g->addWidget(lblTitle, 0, 1);
    g->addWidget(lblTitle2, 1, 1);
    g->addWidget(lblVersion, 2, 1);
    g->addWidget(lblDescription, 3, 1);
    g->addWidget(line, 4, 0, 1, 3);
    g->addWidget(lblDisclaimer, 5, 0, 1, 2);
    g->addWidget(lblHpAddress, 6, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    buttons->addStretch();
    g->addLayout(buttons, 0, 2, 4, 1);
    g->setColumnStretch(1, 1);
    setMinimumWidth(520);
    // A box of fixed size: its wrapped texts always have the lines they need.
    g->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
}

void frmAbout::Form_Load() {
    if (parentWidget()) move(parentWidget()->pos() + QPoint(33, 33)); // 500 twips
    const AboutTexts t = AboutBoxTexts(ctx_);
    setWindowTitle(t.caption);
    lblTitle->setText(t.title);
    lblTitle2->setText(t.title2);
    lblVersion->setText(t.version);
    lblDescription->setText(t.description);
    lblDisclaimer->setText(t.disclaimer);
    lblHpAddress->setText(t.hpAddress);
}

QLabel* frmAbout::label(const QString& name) const {
    return findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void frmAbout::cmdOK_Click() { accept(); }
void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }
void frmAbout::StartSysInfo() { rer::StartSysInfo(ctx_, tools_); }

} // namespace rer
