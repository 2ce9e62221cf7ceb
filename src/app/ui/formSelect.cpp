#include "app/ui/formSelect.h"

#include "app/AppContext.h"
#include "app/StartUp.h"
#include "app/ui/WindowText.h"
#include "platform/ui/WindowPlacement.h"

#include <QDebug>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace rer {

formSelect::formSelect(AppContext& ctx, MainWindowPort& main, QWidget* parent)
    : QDialog(parent), ctx_(ctx), main_(main) {
    setObjectName(QStringLiteral("formSelect"));
    FitToScreen(*this);
    // The program's first window, not a dialog of another.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Select Type"));

    Frame1 = new QGroupBox(QStringLiteral("Select"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    opt_[0] = new QRadioButton(QStringLiteral("DI-D6  for  VO-D6"), Frame1);
    opt_[0]->setObjectName(QStringLiteral("optCTtype0"));
    opt_[1] = new QRadioButton(QStringLiteral("DE-D3U  for  KZ-H3K"), Frame1);
    opt_[1]->setObjectName(QStringLiteral("optCTtype1"));
    auto* fl = new QVBoxLayout(Frame1);
    fl->addWidget(opt_[0]);
    fl->addWidget(opt_[1]);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdExit = new QPushButton(QStringLiteral("Exit"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    cmdHelp = new QPushButton(QStringLiteral("Help"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setText(QStringLiteral("<b style='font-size:18pt'>RER6O250</b>"));
    picture->setAlignment(Qt::AlignCenter);
    picture->setMinimumSize(120, 80);
    picture->setFrameShape(QFrame::StyledPanel);
    auto* label1 = new QLabel(QStringLiteral("Actuator set-up and test tool"), this);
    auto* label2 = new QLabel(QStringLiteral("RS-232C  9600,N,8,1"), this);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdExit);
    buttons->addWidget(cmdHelp);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(picture);
    left->addWidget(label1);
    left->addWidget(label2);
    left->addWidget(lblVersion);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(Frame1);
    top->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &formSelect::cmdOK_Click);
    connect(cmdExit, &QPushButton::clicked, this, &formSelect::cmdExit_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &formSelect::cmdHelp_Click);
}

void formSelect::Form_Load() {
    lblVersion->setText(QStringLiteral("Version ") + VersionText());
    DecideLanguage(ctx_);
    if (!ApplyWindowLanguage(ctx_.opt.LanguageNo))
        qWarning("Qt's Japanese translation (qtbase_ja.qm) is not installed: its standard buttons and dialogs "
                 "stay in English. scripts/deps installs it (Debian package qt6-translations-l10n).");
    show();
    SelectWindowLoaded(ctx_);
    if (ctx_.opt.CtType == 1)
        opt_[0]->setChecked(true);
    else
        opt_[1]->setChecked(true);
}

void formSelect::cmdOK_Click() {
    const int ctType = opt_[0]->isChecked() ? 1 : 2;
    ctx_.opt.CtType = static_cast<int16_t>(ctType);
    done_ = true;
    hide();
    ConfirmProduct(ctx_, ctType, main_);
    deleteLater();
}

void formSelect::cmdExit_Click() {
    done_ = true;
    hide();
    Q_EMIT exitRequested();
    deleteLater();
}

void formSelect::reject() {
    if (!done_) cmdExit_Click();
}

void formSelect::cmdHelp_Click() {
    ctx_.message(ctx_.pick(QStringLiteral("VO-D6を使用する場合はDI-D6を選択してください。\n\n"
                                          "KZ-H3Kを使用する場合はDE-D3Uを選択してください。"),
                           QStringLiteral("Select DI-D6 or DE-D3U.")),
                 MsgButtons::Ok, MsgIcon::Question);
}

} // namespace rer
