#include "dialogs/ui/frmSqMcr.h"

#include "app/AppContext.h"
#include "platform/ui/BoxValidator.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace rer {

namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& caption) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

frmSqMcr::frmSqMcr(AppContext& ctx, QWidget* parent)
    : GrpSmWindow(ctx, parent, "frmSqMcr", {"ｼｰｹﾝｽ・ﾏｸﾛ", "Sequence Macro"}), editor_(ctx, *this) {

    lblSqMacro_ = Label(this, "lblSqMacro", say({"ＳＭ No", "SM No"}));
    lblSqMacroNo_ = Label(this, "lblSqMacroNo", QStringLiteral("1"));
    lblSqMacroNo_->setFrameShape(QFrame::Box);
    lblSqMacroNo_->setMinimumWidth(28);
    lblSqMacroNo_->setAlignment(Qt::AlignCenter);
    UpDownSmNo_ = new QWidget(this);
    UpDownSmNo_->setObjectName(QStringLiteral("UpDownSmNo"));
    auto* ud = new QVBoxLayout(UpDownSmNo_);
    ud->setContentsMargins(0, 0, 0, 0);
    ud->setSpacing(0);
    up_ = new QToolButton(UpDownSmNo_);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(UpDownSmNo_);
    down_->setArrowType(Qt::DownArrow);
    ud->addWidget(up_);
    ud->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { stepMacro(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepMacro(-1); });
    auto* head = new QHBoxLayout;
    head->addWidget(lblSqMacro_);
    head->addWidget(lblSqMacroNo_);
    head->addWidget(UpDownSmNo_);
    head->addStretch();

    lblSmMeirei_ = Label(this, "lblSmMeirei", say({"命令", "Command"}));
    lblSmData_ = Label(this, "lblSmData", say({"データ", "Data"}));
    auto* steps = new QGridLayout;
    steps->addWidget(lblSmMeirei_, 0, 1);
    steps->addWidget(lblSmData_, 0, 2);
    for (int s = 0; s < kSmSteps; ++s) {
        const size_t k = static_cast<size_t>(s);
        lblSqMcrStep_[k] = new QLabel(QStringLiteral("Step%1").arg(s + 1, 2, 10, QLatin1Char(' ')), this);
        lblSqMcrStep_[k]->setObjectName(QStringLiteral("lblSqMcrStep_%1").arg(s));
        comboMerei_[k] = new QComboBox(this);
        comboMerei_[k]->setObjectName(QStringLiteral("comboMerei_%1").arg(s));
        txtSmData_[k] = new QLineEdit(this);
        txtSmData_[k]->setObjectName(QStringLiteral("txtSmData_%1").arg(s));
        txtSmData_[k]->setFixedWidth(40);
        // The digits the box takes follow the step's command.
        SetBoxRule(txtSmData_[k], [this, k] { return SmDataRule(comboMerei_[k]->currentIndex()); }, ctx.platform.beeper);
        comboMerei_[k]->installEventFilter(this);
        txtSmData_[k]->installEventFilter(this);
        connect(comboMerei_[k], &QComboBox::activated, this, [this, s] { comboMerei_LostFocus(s); });
        connect(txtSmData_[k], &QLineEdit::textChanged, this, [this, s](const QString& t) {
            if (showing_) return;
            editor_.txtSmData_Change(s, t);
            showModified();
        });
        steps->addWidget(lblSqMcrStep_[k], s + 1, 0);
        steps->addWidget(comboMerei_[k], s + 1, 1);
        steps->addWidget(txtSmData_[k], s + 1, 2);
    }

    cmdReadSMfromCt_ = command("cmdReadSMfromCt", {"ｺﾝﾄﾛｰﾗから読み込み", "Read from C/T"},
                               [this] { editor_.cmdReadSMfromCt_Click(); });
    cmdWriteSMtoCt_ = command("cmdWriteSMtoCt", {"　ｺﾝﾄﾛｰﾗへ　書き込み", "Write to C/T"},
                              [this] { editor_.cmdWriteSMtoCt_Click(); });
    cmdSmCTShogo_ = command("cmdSmCTShogo", {"  ｺﾝﾄﾛｰﾗと 照合", "Verify C/T"},
                            [this] { editor_.cmdSmCTShogo_Click(); });
    cmdSmFileOpen_ = command("cmdSmFileOpen", {"ﾌｧｲﾙの読込", "File Open"},
                             [this] { editor_.cmdSmFileOpen_Click(); });
    cmdSmFileSave_ = command("cmdSmFileSave", {"ﾌｧｲﾙへ保存", "File Save"},
                             [this] { editor_.cmdSmFileSave_Click(); });
    cmdSmFileShogo_ = command("cmdSmFileShogo", {"ﾌｧｲﾙと照合", "Verify File"},
                              [this] { editor_.cmdSmFileShogo_Click(); });
    cmdSMDispPrint_ = command("cmdSMDispPrint", {"表示データの印刷", "Print Indicated"},
                              [this] { editor_.cmdSMDispPrint_Click(); });
    cmdSMFilePrint_ = command("cmdSMFilePrint", {"ﾌｧｲﾙﾃﾞｰﾀの印刷", "Print File"},
                              [this] { editor_.cmdSMFilePrint_Click(); });
    cmdSqMcrWinClose_ = closeCommand("cmdSqMcrWinClose");
    auto* left = new QVBoxLayout;
    left->addLayout(head);
    left->addLayout(steps);
    layOut(left, nullptr,
           {cmdReadSMfromCt_, cmdWriteSMtoCt_, cmdSmCTShogo_, cmdSmFileOpen_, cmdSmFileSave_, cmdSmFileShogo_,
            cmdSMDispPrint_, cmdSMFilePrint_},
           cmdSqMcrWinClose_);
    gateControllerCommands({cmdReadSMfromCt_, cmdWriteSMtoCt_, cmdSmCTShogo_});

    Form_Load();
}

frmSqMcr::~frmSqMcr() {
    // The boxes may lose the focus while they are destroyed: no more stores.
    for (int s = 0; s < kSmSteps; ++s) {
        comboMerei_[static_cast<size_t>(s)]->removeEventFilter(this);
        txtSmData_[static_cast<size_t>(s)]->removeEventFilter(this);
        txtSmData_[static_cast<size_t>(s)]->disconnect(this);
        comboMerei_[static_cast<size_t>(s)]->disconnect(this);
    }
}

void frmSqMcr::Form_Load() {
    placeBesideMainWindow();
    for (QComboBox* c : comboMerei_) {
        const QStringList& texts = SmCommandTexts();
        for (int code = 0; code < texts.size(); ++code) c->addItem(texts[code], code);
    }
    editor_.Form_Load();
}

void frmSqMcr::buttons(bool on) {
    for (QPushButton* b : {cmdReadSMfromCt_, cmdWriteSMtoCt_, cmdSmCTShogo_, cmdSmFileOpen_, cmdSmFileSave_,
                           cmdSmFileShogo_, cmdSMDispPrint_, cmdSMFilePrint_, cmdSqMcrWinClose_})
        b->setEnabled(on);
}

void frmSqMcr::SM_CMDBTN_Yuko() { buttons(true); }
void frmSqMcr::SM_CMDBTN_Muko() { buttons(false); }

void frmSqMcr::SM_AllMuko() {
    buttons(false);
    UpDownSmNo_->setEnabled(false);
}

void frmSqMcr::SM_AllYuko() {
    buttons(true);
    UpDownSmNo_->setEnabled(true);
}

void frmSqMcr::SmDataHyoji() {
    // Showing a macro stores nothing back.
    showing_ = true;
    lblSqMacroNo_->setText(QString::number(editor_.macro()));
    for (int s = 0; s < kSmSteps; ++s) {
        const int index = editor_.commandIndex(s);
        if (index >= 0) comboMerei_[static_cast<size_t>(s)]->setCurrentIndex(index);
        txtSmData_[static_cast<size_t>(s)]->setText(editor_.dataText(s));
    }
    showing_ = false;
}

void frmSqMcr::stepMacro(int delta) {
    const int m = std::clamp(editor_.macro() + delta, 1, 9);
    if (m != editor_.macro()) editor_.lblSqMacroNo_Change(m);
}

void frmSqMcr::comboMerei_LostFocus(int step) {
    if (!editor_.comboMerei_LostFocus(step, comboMerei_[static_cast<size_t>(step)]->currentIndex())) {
        ++beeps;
        QApplication::beep();
    }
    showModified();
}

bool frmSqMcr::eventFilter(QObject* o, QEvent* e) {
    for (int s = 0; s < kSmSteps; ++s) {
        const size_t k = static_cast<size_t>(s);
        if (o == comboMerei_[k] && e->type() == QEvent::FocusOut) {
            comboMerei_LostFocus(s);
        } else if (o == txtSmData_[k] && e->type() == QEvent::KeyPress &&
                   IsEnterKey(*static_cast<QKeyEvent*>(e))) {
            return true; // Enter types nothing; the box's validator rules the rest
        }
    }
    return QWidget::eventFilter(o, e);
}

} // namespace rer
