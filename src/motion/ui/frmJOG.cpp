#include "motion/ui/frmJOG.h"

#include "app/AppContext.h"
#include "mainwin/ui/GridView.h"
#include "platform/ui/FocusTarget.h"
#include "platform/ui/WindowPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace rer {

namespace {
QString L(const char* s) { return QString::fromLatin1(s); }
QString N(const char* s, int i) { return QStringLiteral("%1%2").arg(L(s)).arg(i); }
} // namespace

frmJOG::frmJOG(AppContext& ctx, Product p, QWidget* mainWindow)
    : QDialog(mainWindow), ctx_(ctx), product_(p), teach_(ctx, p, *this) {
    const bool two = p == Product::TwoAxis;
    const int axes = two ? 2 : 1;
    setObjectName(two ? L("frmJOG") : L("frmW3kJOG"));
    FitToScreen(*this);

    Frame1_ = new QGroupBox(this);
    Frame1_->setObjectName(L("Frame1"));
    auto* modes = new QVBoxLayout(Frame1_);
    for (int i = 0; i < 4; ++i) {
        optJOG_[size_t(i)] = new QRadioButton(Frame1_);
        optJOG_[size_t(i)]->setObjectName(N("optJOG", i));
        modes->addWidget(optJOG_[size_t(i)]);
    }
    optJOG_[0]->setChecked(true);

    auto* posBox = new QGridLayout;
    Label_[0] = new QLabel(this);
    lblPosiNo_ = new QLabel(this);
    lblPosiNo_->setObjectName(L("lblPosiNo"));
    lblGenzaitiHyoji_ = new QLabel(this);
    lblGenzaitiHyoji_->setObjectName(L("lblGenzaitiHyoji"));
    posBox->addWidget(Label_[0], 0, 0);
    posBox->addWidget(lblPosiNo_, 0, 1);
    posBox->addWidget(lblGenzaitiHyoji_, 1, 0, 1, 2);
    auto* jogs = new QGridLayout;
    for (int a = 0; a < axes; ++a) {
        Label_[size_t(a + 1)] = new QLabel(this);
        lblPosi_[size_t(a)] = new QLabel(this);
        lblPosi_[size_t(a)]->setObjectName(N("lblPosi", a + 1));
        lblPosi_[size_t(a)]->setFrameShape(QFrame::Panel);
        lblPosi_[size_t(a)]->setMinimumWidth(80);
        posBox->addWidget(Label_[size_t(a + 1)], 2 + a, 0);
        posBox->addWidget(lblPosi_[size_t(a)], 2 + a, 1);
        for (int d = 0; d < 2; ++d) {
            const int i = 2 * a + d;
            cmdJOG_[size_t(i)] = new QPushButton(this);
            cmdJOG_[size_t(i)]->setObjectName(N("cmdJOG", i));
            cmdJOG_[size_t(i)]->installEventFilter(this);
            jogs->addWidget(cmdJOG_[size_t(i)], a, d);
        }
    }
    auto* take = new QVBoxLayout;
    if (two) {
        framAxisEnable_ = new QGroupBox(this);
        framAxisEnable_->setObjectName(L("framAxisEnable"));
        auto* fl = new QHBoxLayout(framAxisEnable_);
        for (int a = 0; a < 2; ++a) {
            CheckAxisEnable_[size_t(a)] = new QCheckBox(framAxisEnable_);
            CheckAxisEnable_[size_t(a)]->setObjectName(N("CheckAxisEnable", a));
            fl->addWidget(CheckAxisEnable_[size_t(a)]);
        }
        take->addWidget(framAxisEnable_);
    }
    // Made after the axis boxes above it: Tab reaches it after them.
    cmdJOGWrite_ = new QPushButton(this);
    cmdJOGWrite_->setObjectName(L("cmdJOGWrite"));
    take->addWidget(cmdJOGWrite_);
    cmdJOGST_ = new QPushButton(this);
    cmdJOGST_->setObjectName(L("cmdJOGST"));
    cmdJOGend_ = new QPushButton(this);
    cmdJOGend_->setObjectName(L("cmdJOGend"));
    txtDummy_ = NewFocusTarget(this);

    flgdJOGPosi_ = new QTableView(this);
    flgdJOGPosi_->setObjectName(L("flgdJOGPosi"));
    flgdJOGPosi_->setSelectionMode(QAbstractItemView::SingleSelection);
    flgdJOGPosi_->setMinimumWidth(two ? 190 : 120);
    listView_ = new GridView(teach_.list(), flgdJOGPosi_);
    connect(flgdJOGPosi_, &QTableView::clicked, this,
            [this](const QModelIndex& i) { teach_.flgdJOGPosi_Click(i.row() + 1); });

    TimerBosoKansi_ = new QTimer(this);
    TimerBosoKansi_->setObjectName(two ? L("TimerBosoKansi") : L("TimerW3kBosoKansi"));
    TimerBosoKansi_->setInterval(1000);
    connect(TimerBosoKansi_, &QTimer::timeout, this, [this] { teach_.TimerBosoKansi_Timer(); });
    TimerJogReadOut_ = new QTimer(this);
    TimerJogReadOut_->setObjectName(L("TimerJogReadOut"));
    TimerJogReadOut_->setInterval(JogTeach::kJogReadOutMs);
    connect(TimerJogReadOut_, &QTimer::timeout, this, [this] { teach_.JogReadOut_Timer(); });

    auto* left = new QVBoxLayout;
    left->addWidget(Frame1_);
    left->addLayout(posBox);
    left->addLayout(jogs);
    left->addLayout(take);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(txtDummy_);
    buttons->addWidget(cmdJOGST_);
    buttons->addWidget(cmdJOGend_);
    left->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addWidget(flgdJOGPosi_, 1);

    connect(cmdJOGST_, &QPushButton::clicked, this, [this] { teach_.cmdJOGST_Click(); });
    connect(cmdJOGWrite_, &QPushButton::clicked, this, [this] { teach_.cmdJOGWrite_Click(); });
    connect(cmdJOGend_, &QPushButton::clicked, this, [this] {
        teach_.cmdJOGend_Click();
        close();
    });

    // Form load.
    if (mainWindow) move(mainWindow->pos() + QPoint(33, 33)); // 500 twips
    teach_.Form_Load();
    setCaptions();
    TimerBosoKansi_->start();
    TimerJogReadOut_->start();
}

frmJOG::~frmJOG() {
    TimerBosoKansi_->stop();
    TimerJogReadOut_->stop();
}

void frmJOG::setCaptions() {
    const auto pk = [this](const char* jp, const char* en) { return ctx_.pick(QString::fromUtf8(jp), L(en)); };
    setWindowTitle(pk("ﾃｨｰﾁﾝｸﾞ", "Teaching"));
    Frame1_->setTitle(pk("動作選択", "OPERATION"));
    optJOG_[0]->setText(pk("JOG送り", "JOG"));
    optJOG_[1]->setText(pk("ﾊﾟﾙｽ送り\u30001ﾊﾟﾙｽ", "1 PULSE"));
    optJOG_[2]->setText(pk("ﾊﾟﾙｽ送り\u300010ﾊﾟﾙｽ", "10 PULSE"));
    optJOG_[3]->setText(pk("ﾊﾟﾙｽ送り\u3000100ﾊﾟﾙｽ", "100 PULSE"));
    Label_[0]->setText(pk("位置No.", "Position No."));
    Label_[1]->setText(pk("１軸", "Axis1"));
    cmdJOG_[0]->setText(pk("１軸 前進", "Axis1 +"));
    cmdJOG_[1]->setText(pk("１軸 後退", "Axis1 -"));
    if (product_ == Product::TwoAxis) {
        Label_[2]->setText(pk("２軸", "Axis2"));
        cmdJOG_[2]->setText(pk("２軸 前進", "Axis2 +"));
        cmdJOG_[3]->setText(pk("２軸 後退", "Axis2 -"));
        framAxisEnable_->setTitle(pk("位置取り込み", "Position Get"));
        CheckAxisEnable_[0]->setText(pk("１軸", "AXIS1"));
        CheckAxisEnable_[1]->setText(pk("２軸", "AXIS2"));
    }
    cmdJOGST_->setText(pk("開始", "Start"));
    cmdJOGend_->setText(pk("終了", "Complete"));
    cmdJOGWrite_->setText(pk("取り込み", "Position Get"));
    lblGenzaitiHyoji_->setText(teach_.readOutTitle());
}

bool frmJOG::eventFilter(QObject* o, QEvent* e) {
    for (int i = 0; i < 4; ++i) {
        if (o != cmdJOG_[size_t(i)] || !cmdJOG_[size_t(i)]->isEnabled()) continue;
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
            auto* m = static_cast<QMouseEvent*>(e);
            teach_.cmdJOG_MouseDown(i, m->button() == Qt::LeftButton);
            return true;
        }
        if (e->type() == QEvent::MouseButtonRelease) {
            auto* m = static_cast<QMouseEvent*>(e);
            teach_.cmdJOG_MouseUp(i, m->button() == Qt::LeftButton);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

bool frmJOG::readyToClose() {
    if (closing_) return true;
    // An exchange of the window waits in its own event loop: it ends as a
    // stop, and the window closes once the command has returned.
    if (teach_.running()) {
        closeWhenIdle_ = true;
        teach_.EndWait();
        return false;
    }
    // A jog still running is stopped before anything else.
    teach_.StopJog();
    return teach_.Form_QueryUnload();
}

void frmJOG::closeEvent(QCloseEvent* e) {
    if (!readyToClose()) {
        e->ignore();
        return;
    }
    closing_ = true;
    QDialog::closeEvent(e);
}

void frmJOG::done(int r) {
    // Escape and the close box come here too: the adoption question first.
    if (!readyToClose()) return;
    closing_ = true;
    TimerBosoKansi_->stop();
    TimerJogReadOut_->stop();
    teach_.Form_Unload();
    QDialog::done(r);
}

void frmJOG::setJogControlsEnabled(bool on) {
    jogControlsOn_ = on;
    updateControls();
}

void frmJOG::runningChanged() {
    updateControls();
    if (closeWhenIdle_ && !teach_.running()) {
        closeWhenIdle_ = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

void frmJOG::updateControls() {
    const bool on = jogControlsOn_;
    Frame1_->setEnabled(on);
    for (QPushButton* b : cmdJOG_)
        if (b) b->setEnabled(on);
    cmdJOGWrite_->setEnabled(on);
    for (QCheckBox* c : CheckAxisEnable_)
        if (c) c->setEnabled(on);
    // A press that runs finishes first, and a jog stops first: "Complete"
    // would close the port under its exchange or its jog.
    cmdJOGend_->setEnabled(on && !teach_.running() && !teach_.jogging());
}
void frmJOG::setStartEnabled(bool on) { cmdJOGST_->setEnabled(on); }
void frmJOG::setPosiText(int axis, const QString& text) {
    if (QLabel* l = lblPosi_[size_t(axis)]) l->setText(text);
}
QString frmJOG::posiText(int axis) const {
    QLabel* l = lblPosi_[size_t(axis)];
    return l ? l->text() : QString();
}
void frmJOG::setPosiNoText(const QString& text) { lblPosiNo_->setText(text); }
QString frmJOG::posiNoText() const { return lblPosiNo_->text(); }
JogMode frmJOG::mode() const {
    for (int i = 1; i < 4; ++i)
        if (optJOG_[size_t(i)]->isChecked()) return JogMode(i);
    return JogMode::Jog;
}
bool frmJOG::axisTicked(int axis) const {
    QCheckBox* c = CheckAxisEnable_[size_t(axis)];
    return c && c->isChecked();
}
void frmJOG::focusDummy() { txtDummy_->setFocus(); }

} // namespace rer
