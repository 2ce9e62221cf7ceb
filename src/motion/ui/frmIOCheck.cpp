#include "motion/ui/frmIOCheck.h"

#include "app/AppContext.h"
#include "motion/ui/SignalLamp.h"
#include "platform/ui/FocusTarget.h"
#include "platform/ui/WindowPlacement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace rer {

namespace {
QString L(const char* s) { return QString::fromLatin1(s); }
// The label of a lamp: "img" becomes "lbl"; EXP-OUT4's label has its own name.
QString labelName(const char* lamp) {
    if (qstrcmp(lamp, "imgOutputExp4") == 0) return L("lblOutputEXP4");
    return L("lbl") + L(lamp).mid(3);
}
} // namespace

frmIOCheck::frmIOCheck(AppContext& ctx, QWidget* mainWindow)
    : QDialog(mainWindow), ctx_(ctx), monitor_(ctx, *this) {
    setObjectName(L("frmIOCheck"));
    FitToScreen(*this);
    auto* framInput = new QGroupBox(L("INPUT"), this);
    framInput->setObjectName(L("framInput"));
    auto* framOutput = new QGroupBox(L("OUTPUT"), this);
    framOutput->setObjectName(L("framOutput"));
    // The lamps stand as the signal table: a row per digit of the signal
    // word, a column per weight (8, 4, 2, 1), places without a signal empty.
    auto* gi = new QGridLayout(framInput);
    auto* go = new QGridLayout(framOutput);
    for (QGridLayout* g : {gi, go}) {
        g->setHorizontalSpacing(12);
        for (int bit = 0; bit < 4; ++bit) g->setColumnStretch(bit, 1);
    }
    for (const IoLamp& l : kInputLamps) {
        QWidget* cell = signalCell(l, false, framInput);
        if (l.digit == 5 && l.bit == 2) {
            PictureLs2_ = cell;
            cell->setObjectName(L("PictureLs2"));
        }
        gi->addWidget(cell, l.digit, l.bit);
    }
    for (const IoLamp& l : kOutputLamps) go->addWidget(signalCell(l, true, framOutput), l.digit, l.bit);
    cmdIoMonitor_ = new QPushButton(this);
    cmdIoMonitor_->setObjectName(L("cmdIoMonitor"));
    cmdIoWinClose_ = new QPushButton(this);
    cmdIoWinClose_->setObjectName(L("cmdIoWinClose"));
    txtDummy_ = NewFocusTarget(this);
    timer_ = new QTimer(this);
    timer_->setObjectName(L("timerInputOutput1"));
    timer_->setInterval(300);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(txtDummy_);
    buttons->addStretch();
    buttons->addWidget(cmdIoMonitor_);
    buttons->addWidget(cmdIoWinClose_);
    auto* top = new QVBoxLayout(this);
    auto* frames = new QHBoxLayout;
    frames->addWidget(framInput);
    frames->addWidget(framOutput);
    top->addLayout(frames);
    top->addLayout(buttons);

    connect(timer_, &QTimer::timeout, this, [this] {
        monitor_.Timer();
        if (closeAfterTick_) reject();
    });
    connect(cmdIoMonitor_, &QPushButton::clicked, this, [this] {
        monitor_.cmdIoMonitor_Click();
        txtDummy_->setFocus();
    });
    connect(cmdIoWinClose_, &QPushButton::clicked, this, [this] { close(); });

    // Form load.
    if (mainWindow) move(mainWindow->pos() + QPoint(33, 33)); // 500 twips
    setWindowTitle(ctx_.pick(QStringLiteral("入出力の状態"), QStringLiteral("State of Input/Output")));
    cmdIoWinClose_->setText(ctx_.pick(QStringLiteral("閉じる"), QStringLiteral("Close")));
    monitor_.Form_Load();
    PictureLs2_->setVisible(ctx_.opt.CtType != 2);
}

QWidget* frmIOCheck::signalCell(const IoLamp& l, bool output, QWidget* parent) {
    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    auto* place = new QWidget(cell);
    place->setFixedSize(16, 16);
    auto* stack = new QStackedLayout(place);
    stack->setStackingMode(QStackedLayout::StackAll);
    auto* white = new SignalLamp(QStringLiteral("imgWhiteIcon%1").arg(l.whiteIcon), Qt::white, place);
    auto* lit = new SignalLamp(L(l.name), output ? QColor(255, 64, 64) : QColor(0, 200, 0), place);
    stack->addWidget(white);
    stack->addWidget(lit);
    lit->raise();
    lit->setVisible(false);
    white_[l.whiteIcon] = white;
    auto* label = new QLabel(L(l.caption), cell);
    label->setObjectName(labelName(l.name));
    row->addWidget(place);
    row->addWidget(label);
    const int index = l.whiteIcon;
    connect(white, &SignalLamp::doubleClicked, this, [this, index] { monitor_.WhiteIconDblClick(index); });
    if (output) {
        const int k = int(outputs_.size());
        outputs_ << lit;
        connect(lit, &SignalLamp::doubleClicked, this, [this, k] { monitor_.OutputLampDblClick(k); });
    } else {
        inputs_ << lit;
    }
    return cell;
}

SignalLamp* frmIOCheck::lamp(const QString& name) const { return findChild<SignalLamp*>(name); }
QLabel* frmIOCheck::label(const QString& name) const { return findChild<QLabel*>(name); }
SignalLamp* frmIOCheck::imgWhiteIcon(int index) const {
    return index >= 0 && index < 39 ? white_[index] : nullptr;
}

void frmIOCheck::reject() {
    // Escape, the close box and Close come here. A read that waits ends as
    // a stop first; the window closes once it has returned.
    closeAfterTick_ = monitor_.inTick();
    monitor_.Form_QueryUnload();
    if (!closeAfterTick_) QDialog::reject();
}

void frmIOCheck::setTimerEnabled(bool on) {
    if (on) timer_->start();
    else timer_->stop();
}
void frmIOCheck::setMonitorCaption(const QString& text) { cmdIoMonitor_->setText(text); }
void frmIOCheck::setCloseEnabled(bool on) { cmdIoWinClose_->setEnabled(on); }

void frmIOCheck::IoStateHyoji() {
    for (int k = 0; k < 20; ++k)
        inputs_[k]->setVisible(ctx_.link.IoInput[kInputLamps[k].digit][kInputLamps[k].bit]);
    for (int k = 0; k < 19; ++k)
        outputs_[k]->setVisible(ctx_.link.IoOutput[kOutputLamps[k].digit][kOutputLamps[k].bit]);
}

} // namespace rer
