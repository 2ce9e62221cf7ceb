#include "dialogs/ui/frmOptions2.h"

#include "app/AppContext.h"
#include "link/PortDevice.h"
#include "platform/ui/BoxValidator.h"
#include "platform/ui/FocusTarget.h"
#include "platform/ui/WindowPlacement.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <QVBoxLayout>

namespace rer {

namespace {

constexpr int kTimeoutTab = 5;
constexpr int kTeachingTab = 6;

template <std::size_t N> int checkedOf(QRadioButton* const (&b)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (b[i]->isChecked()) return int(i);
    return -1;
}

template <std::size_t N> void check(QRadioButton* const (&b)[N], int i) {
    if (i >= 0 && std::size_t(i) < N) b[i]->setChecked(true);
}

QLineEdit* numberBox(QWidget* parent, const char* name, int chars) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAttribute(Qt::WA_InputMethodEnabled, false);
    e->setAlignment(Qt::AlignRight);
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(chars + 2, QLatin1Char('0'))) + 8);
    return e;
}

QRadioButton* option(QWidget* parent, const char* name, int index) {
    auto* b = new QRadioButton(parent);
    b->setObjectName(QString::fromLatin1(name) + QString::number(index));
    return b;
}

QLabel* wrapped(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    return l;
}

} // namespace

frmOptions2::frmOptions2(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("frmOptions2"));
    FitToScreen(*this);
    setModal(true);
    build();
    Form_Load();
}

void frmOptions2::build() {
    SSTabOption_ = new QTabWidget(this);
    SSTabOption_->setObjectName(QStringLiteral("SSTabOption"));

    // 0: the serial port.
    auto* tab0 = new QWidget;
    lblPortNo = new QLabel(tab0);
    lblPortNo->setObjectName(QStringLiteral("lblPortNo"));
    txtPortNo_ = numberBox(tab0, "txtPortNo", 1);
    UpDown2_ = new QSpinBox(tab0);
    UpDown2_->setObjectName(QStringLiteral("UpDown2"));
    UpDown2_->setRange(1, 9);
    UpDown2_->setMaximumWidth(18);
    UpDown2_->setFocusPolicy(Qt::NoFocus);
    // The device the number opens, beside it.
    ports_ = SystemSerialPorts();
    lblPortDevice_ = new QLabel(tab0);
    lblPortDevice_->setObjectName(QStringLiteral("lblPortDevice"));
    chkPortOccupy_ = new QCheckBox(tab0);
    chkPortOccupy_->setObjectName(QStringLiteral("chkPortOccupy"));
    {
        auto* g = new QGridLayout(tab0);
        auto* port = new QHBoxLayout;
        port->addWidget(lblPortNo);
        port->addWidget(txtPortNo_);
        port->addWidget(UpDown2_);
        port->addSpacing(8);
        port->addWidget(lblPortDevice_);
        port->addStretch();
        g->addLayout(port, 0, 0);
        g->addWidget(chkPortOccupy_, 1, 0);
        g->setRowStretch(2, 1);
    }

    // 1: rounding of mm input.
    auto* tab1 = new QWidget;
    Label1 = wrapped(tab1, "Label1");
    for (int i = 0; i < 2; ++i) optSutiSyori_[i] = option(tab1, "optSutiSyori", i);
    {
        auto* v = new QVBoxLayout(tab1);
        v->addWidget(Label1);
        v->addWidget(optSutiSyori_[0]);
        v->addWidget(optSutiSyori_[1]);
        v->addStretch();
    }

    // 2 to 4: display unit, language, controller, each a frame of two options.
    auto frame = [](QWidget* tab, const char* name, QRadioButton** opts, const char* optName) {
        auto* f = new QGroupBox(tab);
        f->setObjectName(QString::fromLatin1(name));
        auto* v = new QVBoxLayout(f);
        for (int i = 0; i < 2; ++i) {
            opts[i] = option(f, optName, i);
            v->addWidget(opts[i]);
        }
        auto* t = new QVBoxLayout(tab);
        t->addWidget(f);
        t->addStretch();
        return f;
    };
    auto* tab2 = new QWidget;
    framHyojiUnit = frame(tab2, "framHyojiUnit", optHyojiKirikae_, "optHyojiKirikae");
    auto* tab3 = new QWidget;
    framLanguege = frame(tab3, "framLanguege", optLanguege_, "optLanguege");
    auto* tab4 = new QWidget;
    framSelectCt = frame(tab4, "framSelectCt", optCT_, "optCT");

    // 5: the move time-out.
    auto* tab5 = new QWidget;
    lblMoveTimeout = wrapped(tab5, "lblMoveTimeout");
    txtMoveTimeout_ = numberBox(tab5, "txtMoveTimeout", 3);
    lblTimeoutUnit = new QLabel(tab5);
    lblTimeoutUnit->setObjectName(QStringLiteral("lblTimeoutUnit"));
    {
        auto* v = new QVBoxLayout(tab5);
        v->addWidget(lblMoveTimeout);
        auto* h = new QHBoxLayout;
        h->addWidget(txtMoveTimeout_);
        h->addWidget(lblTimeoutUnit);
        h->addStretch();
        v->addLayout(h);
        v->addStretch();
    }

    // 6: teaching: pulse-feed speed and accelerations.
    auto* tab6 = new QWidget;
    lblJogVelSetumei = wrapped(tab6, "lblJogVelSetumei");
    lblJogVelCap = new QLabel(tab6);
    lblJogVelCap->setObjectName(QStringLiteral("lblJogVelCap"));
    txtJogVel_ = numberBox(tab6, "txtJogVel", 2);
    // A picture box of acceleration options, captioned by the values they
    // stand for (1 on the left).
    auto accPicture = [tab6](const char* name, QRadioButton** opts, int n) {
        auto* f = new QFrame(tab6);
        f->setObjectName(QString::fromLatin1(name));
        auto* h = new QHBoxLayout(f);
        h->setContentsMargins(0, 0, 0, 0);
        const QByteArray optName = QByteArray(name).replace("picture", "opt");
        for (int i = 0; i < n; ++i) {
            opts[i] = option(f, optName.constData(), i);
            opts[i]->setText(QString::number(i + 1));
            h->addWidget(opts[i]);
        }
        h->addStretch();
        return f;
    };
    lblJogAccCap = new QLabel(tab6);
    lblJogAccCap->setObjectName(QStringLiteral("lblJogAccCap"));
    pictureJogAcc = accPicture("pictureJogAcc", optJogAcc_, 3);
    lblJogAcc2Cap = new QLabel(tab6);
    lblJogAcc2Cap->setObjectName(QStringLiteral("lblJogAcc2Cap"));
    pictureJogAcc2 = accPicture("pictureJogAcc2", optJogAcc2_, 2);
    {
        auto* g = new QGridLayout(tab6);
        g->addWidget(lblJogVelSetumei, 0, 0, 1, 2);
        g->addWidget(lblJogVelCap, 1, 0);
        g->addWidget(txtJogVel_, 1, 1, Qt::AlignLeft);
        g->addWidget(lblJogAccCap, 2, 0);
        g->addWidget(pictureJogAcc, 2, 1);
        g->addWidget(lblJogAcc2Cap, 3, 0);
        g->addWidget(pictureJogAcc2, 3, 1);
        g->setRowStretch(4, 1);
        g->setColumnStretch(1, 1);
    }

    for (QWidget* t : {tab0, tab1, tab2, tab3, tab4, tab5, tab6}) SSTabOption_->addTab(t, QString());

    txtDummy_ = NewFocusTarget(this);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdApply_ = new QPushButton(this);
    cmdApply_->setObjectName(QStringLiteral("cmdApply"));

    auto* v = new QVBoxLayout(this);
    v->addWidget(SSTabOption_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(txtDummy_);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    buttons->addWidget(cmdApply_);
    v->addLayout(buttons);

    connect(UpDown2_, &QSpinBox::valueChanged, this, [this](int v) { txtPortNo_->setText(QString::number(v)); });
    connect(txtPortNo_, &QLineEdit::textChanged, this, [this](const QString& t) {
        bool ok = false;
        const int v = t.trimmed().toInt(&ok);
        lblPortDevice_->setText(ok ? PortDeviceCaption(ctx_, v, ports_) : QString());
        if (ok && v >= 1 && v <= 9) {
            const QSignalBlocker block(UpDown2_);
            UpDown2_->setValue(v);
        }
    });
    connect(SSTabOption_, &QTabWidget::currentChanged, this, [this](int index) {
        const int previous = currentTab_;
        currentTab_ = index;
        if (!switching_) SSTabOption_Click(previous);
    });
    for (QLineEdit* e : {txtPortNo_, txtMoveTimeout_, txtJogVel_}) e->installEventFilter(this);
    SetBoxRule(txtPortNo_, OptionsBoxRule(OptionBox::PortNo), ctx_.platform.beeper);
    SetBoxRule(txtJogVel_, OptionsBoxRule(OptionBox::JogVel), ctx_.platform.beeper);
    SetBoxRule(txtMoveTimeout_, OptionsBoxRule(OptionBox::MoveTimeout), ctx_.platform.beeper);
    connect(cmdOK_, &QPushButton::clicked, this, &frmOptions2::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmOptions2::cmdCancel_Click);
    connect(cmdApply_, &QPushButton::clicked, this, &frmOptions2::cmdApply_Click);
}

void frmOptions2::Form_Load() {
    if (parentWidget()) move(parentWidget()->pos() + QPoint(33, 33)); // 500 twips

    auto pick = [this](const char* jp, const char* en) {
        return ctx_.pick(QString::fromUtf8(jp), QString::fromUtf8(en));
    };
    setWindowTitle(pick("ｵﾌﾟｼｮﾝ", "Options"));
    const char* const tabs[7][2] = {{"通信ポート", "RS-232C"},
                                    {"位置計算", "Position Calculation"},
                                    {"位置表示単位", "Unit of Position"},
                                    {"言語", "Language"},
                                    {"ｺﾝﾄﾛｰﾗ", "Controller"},
                                    {"通信ﾀｲﾑｱｳﾄ", "COM Timeout"},
                                    {"ﾃｨｰﾁﾝｸﾞ", "Teaching"}};
    for (int i = 0; i < 7; ++i) SSTabOption_->setTabText(i, pick(tabs[i][0], tabs[i][1]));
    setMinimumWidth(std::max(460, SSTabOption_->tabBar()->sizeHint().width() + 40));
    cmdCancel_->setText(pick("ｷｬﾝｾﾙ", "Cancel"));
    cmdApply_->setText(pick("閉じる", "Close"));
    lblPortNo->setText(pick("通信ポート設定：　COM", "RS-232C PORT : COM"));
    framLanguege->setTitle(pick("使用する言語を選択して下さい。", "Select Language"));
    optLanguege_[0]->setText(pick("日本語JAPANESE", "JAPANESE"));
    optLanguege_[1]->setText(pick("英語ENGLISH", "ENGLISH"));
    Label1->setText(pick("移動位置をmm入力した際に、入力された位置がﾊﾟﾙｽ変換で割り切れる位置の真ん中であった場合、"
                         "位置(mm)の値を取りうる値に切り上げるか切り捨てるかを設定します。",
                         "In the case to input the moving position in millimeter, when the input position is in "
                         "the middle of the position devided by pulse conversion, you can select either "
                         "[round-up] or [round-down]."));
    optSutiSyori_[0]->setText(pick("mm位置 切り上げ", "Round up"));
    optSutiSyori_[0]->setToolTip(pick("mm単位で入力された位置が、ﾊﾟﾙｽ変換で割り切れる位置の真ん中だった場合、切り上げを行います",
                                      "When the Position is input with millimeter and position is middle of "
                                      "adoptable value,it sets the value is round up to the adoptable value."));
    optSutiSyori_[1]->setText(pick("mm位置 切り捨て", "Round down"));
    optSutiSyori_[1]->setToolTip(pick("mm単位で入力された位置が、ﾊﾟﾙｽ変換で割り切れる位置の真ん中だった場合、切り捨てを行います",
                                      "When the Position is input with millimeter and position is middle of "
                                      "adoptable value,it sets the value is round down to the adoptable value."));
    framHyojiUnit->setTitle(pick("位置の表示単位", "Unit of Position"));
    optHyojiKirikae_[0]->setText(pick("ﾊﾟﾙｽ", "Pulse"));
    optHyojiKirikae_[1]->setText(pick("ｍｍ", "mm"));
    framSelectCt->setTitle(pick("使用するｺﾝﾄﾛｰﾗを選択して下さい。", "Controller Type"));
    optCT_[0]->setText(QStringLiteral("VO-D6"));
    optCT_[1]->setText(QStringLiteral("KZ-H3K"));
    chkPortOccupy_->setText(pick("ｿﾌﾄ起動中は通信ﾎﾟｰﾄを占有する",
                                 "A communication port is occupied during the software running."));
    lblMoveTimeout->setText(pick("移動テスト時の、通信ﾀｲﾑｱｳﾄ時間の設定をします。",
                                 "The time of the communication time-out when the Move Test is set."));
    lblTimeoutUnit->setText(pick("（秒）", "(sec)"));
    lblJogVelSetumei->setText(pick("ﾃｨｰﾁﾝｸﾞ時のﾊﾟﾙｽ送りの速度や加減速の設定を行います｡",
                                   "The VEL and the ACC  of the pulse sending at the teaching are set."));
    lblJogVelCap->setText(pick("ﾊﾟﾙｽ送り速度", "VEL"));
    lblJogAccCap->setText(pick("ﾊﾟﾙｽ送り加減速", "ACC"));
    lblJogAcc2Cap->setText(pick("ﾊﾟﾙｽ送り加減速(RO-67R用)", "ACC(RO-67R)"));

    const OptionsForm f = LoadOptionsForm(ctx_, OldPortNo);
    txtPortNo_->setText(f.txtPortNo);
    check(optLanguege_, f.optLanguege);
    optLanguege_[0]->setEnabled(f.japaneseEnabled);
    // Why Japanese is greyed: the language follows the system's locale.
    optLanguege_[0]->setToolTip(
        f.japaneseEnabled ? QString()
                          : pick("日本語は、システムのロケールが日本（例: LANG=ja_JP.UTF-8）のときに選べます。\n"
                                 "ほかのロケールでは英語で動作します。",
                                 "Japanese can be chosen only under a Japanese system locale\n(for example "
                                 "LANG=ja_JP.UTF-8); under any other locale the program runs in English."));
    check(optHyojiKirikae_, f.optHyojiKirikae);
    check(optSutiSyori_, f.optSutiSyori);
    check(optCT_, f.optCT);
    chkPortOccupy_->setChecked(f.chkPortOccupy);
    txtMoveTimeout_->setText(f.txtMoveTimeout);
    txtJogVel_->setText(f.txtJogVel);
    check(optJogAcc_, f.optJogAcc);
    check(optJogAcc2_, f.optJogAcc2);
}

OptionsForm frmOptions2::formValues() const {
    OptionsForm f;
    f.txtPortNo = txtPortNo_->text();
    f.chkPortOccupy = chkPortOccupy_->isChecked();
    f.optSutiSyori = checkedOf(optSutiSyori_);
    f.optHyojiKirikae = checkedOf(optHyojiKirikae_);
    f.optLanguege = checkedOf(optLanguege_);
    f.japaneseEnabled = optLanguege_[0]->isEnabled();
    f.optCT = checkedOf(optCT_);
    f.txtMoveTimeout = txtMoveTimeout_->text();
    f.txtJogVel = txtJogVel_->text();
    f.optJogAcc = checkedOf(optJogAcc_);
    f.optJogAcc2 = checkedOf(optJogAcc2_);
    return f;
}

void frmOptions2::showField(int tab, QLineEdit* box) {
    switching_ = true;
    SSTabOption_->setCurrentIndex(tab);
    switching_ = false;
    box->setFocus();
    box->selectAll();
}

void frmOptions2::SSTabOption_Click(int previousTab) {
    if (previousTab == kTeachingTab && JogVelCheck(ctx_, txtJogVel_->text()) != 0)
        showField(kTeachingTab, txtJogVel_);
    else if (previousTab == kTimeoutTab && MoveTimeoutCheck(ctx_, txtMoveTimeout_->text()) != 0)
        showField(kTimeoutTab, txtMoveTimeout_);
}

void frmOptions2::cmdOK_Click() {
    switch (ApplyOptions(ctx_, formValues(), OldPortNo)) {
    case OptionsOk::JogVelInvalid: showField(kTeachingTab, txtJogVel_); return;
    case OptionsOk::MoveTimeoutInvalid: showField(kTimeoutTab, txtMoveTimeout_); return;
    case OptionsOk::Applied: accept(); return;
    }
}

void frmOptions2::cmdCancel_Click() { reject(); }
void frmOptions2::cmdApply_Click() { reject(); }

bool frmOptions2::eventFilter(QObject* o, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        if (o == txtPortNo_) return filterKey(txtPortNo_, OptionBox::PortNo, e);
        if (o == txtJogVel_) return filterKey(txtJogVel_, OptionBox::JogVel, e);
        if (o == txtMoveTimeout_) return filterKey(txtMoveTimeout_, OptionBox::MoveTimeout, e);
    }
    return QDialog::eventFilter(o, e);
}

bool frmOptions2::filterKey(QLineEdit* box, OptionBox kind, QEvent* e) {
    const auto* k = static_cast<QKeyEvent*>(e);
    int keyAscii = 0;
    switch (k->key()) {
    case Qt::Key_Backspace: keyAscii = 8; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: keyAscii = 13; break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete: return false; // focus chain, Cancel and deletion, no typed character
    default: {
        const QString t = k->text();
        if (t.isEmpty()) return false; // arrows, Home, End: no character
        keyAscii = t[0].unicode();
    }
    }
    switch (OptionsKeyPress(kind, keyAscii, box->text().size(), box->hasSelectedText())) {
    case KeyVerdict::Accept: return false;
    // An Enter the box does not take goes on to the dialog's OK; a typed
    // key the box drops is heard.
    case KeyVerdict::Drop:
        if (keyAscii == 13) return false;
        ctx_.platform.beeper.beep();
        return true;
    case KeyVerdict::DropAndMoveOn:
        if (kind == OptionBox::JogVel) {
            // Into the acceleration picture: its chosen option.
            const int i = checkedOf(optJogAcc_);
            optJogAcc_[i < 0 ? 0 : i]->setFocus();
        } else {
            txtDummy_->setFocus();
        }
        return true;
    }
    return true;
}

} // namespace rer
