#include "motion/MoveRuns.h"

#include "app/AppContext.h"
#include "files/Value.h"
#include "link/ControllerLink.h"
#include "link/HomeMove.h"
#include "link/LinkDisplay.h"
#include "link/TextHelpers.h"

#include <QTimer>
#include <cmath>

namespace rer {

MoveRuns::MoveRuns(AppContext& ctx, MoveRunView& view) : ctx_(ctx), view_(view), Timer2_(new QTimer) {
    Timer2_->setSingleShot(true);
    QObject::connect(Timer2_, &QTimer::timeout, [this] { Timeup = true; });
}

MoveRuns::~MoveRuns() { delete Timer2_; }

ControllerLink* MoveRuns::link() const { return ctx_.link.ct; }

int MoveRuns::DwellMs(const QString& text) {
    // The leading number: letters ("inf" too) wait for nothing, a number
    // too large for a double waits the longest, as any number beyond 999.
    const double v = LeadingNumber(text);
    if (!(v > 0)) return 0;
    // At most 99.9 seconds; the timer takes it whole.
    return int(std::lround(std::min(v, 999.0) * 100.0));
}

void MoveRuns::lampsFromOutputs() {
    const QString& r = ctx_.link.RecvLine;
    const QChar c = r.size() > 8 ? r[8] : QChar();
    if (c >= QLatin1Char('0') && c <= QLatin1Char('3')) {
        const int v = c.unicode() - u'0';
        view_.setOutLamp(1, (v & 1) != 0);
        view_.setOutLamp(2, (v & 2) != 0);
    }
}

void MoveRuns::endRun() {
    if (forced_) ctx_.link.TusinStop = false;
    forced_ = false;
    run_ = Run::None;
}

void MoveRuns::cmdHome_Click() {
    ControllerLink* l = link();
    if (running() || !l) return;
    ControllerJob job(l, this);
    if (!job) return; // another window's job holds the controller
    run_ = Run::Home;
    view_.setRunControlsEnabled(false);
    view_.setTabControlEnabled(false);
    view_.setMainRunLock(true);
    for (int t = 1; t < 3; ++t) view_.setTabEnabled(t, false);
    view_.setProgramGridEnabled(false);
    if (l->PortCheckOpen() == 0) {
        if (l->CtCommModeOn() != 0) {
            ctx_.link.TusinError = false;
        } else {
            l->display().setHomeLamp(false);
            view_.setOutLamp(1, false);
            view_.setOutLamp(2, false);
            if (HomeReturnMoveNoTimeout(*l) != 0 && ctx_.link.RecvLine.startsWith(QLatin1String("0%%"))) {
                ctx_.link.CtErrorReply = ctx_.link.RecvLine;
                l->ShowCtErrorInfo();
                l->PortCloseIfFree();
                QString text;
                if (ctx_.link.RecvLine.startsWith(QLatin1String("0%%134"))) {
                    text = ctx_.opt.LanguageNo == 1
                               ? QStringLiteral("原点復帰時に原点センサが確認できませんでした。\r\n"
                                                "以下のようなことを確認してください。\r\n"
                                                " 1.スライダー部の干渉などで原点復帰が妨げられていませんか？\r\n"
                                                "　(特に本体取り付けビスが長くないか確認して下さい。)\r\n"
                                                " 2.コネクターのピンが抜けかかっていたりしませんか？\r\n"
                                                " 3.使用機種に合ったパラメータが入力されていますか？\r\n"
                                                " 4.電源容量は不足していませんか？")
                               : QStringLiteral("Home sensor could not be detected at homing.\r\n"
                                                "Confirm the followings;\r\n"
                                                " 1.Isn't homing of the slide interrupted by any obstacle?\r\n"
                                                " 2.Aren't the connector pins loosing?\r\n"
                                                " 3.Is the parameter setting correct?\r\n"
                                                " 4.Is the power voltage enough?");
                } else {
                    text = ctx_.pick(QStringLiteral("エラーが発生しました！"), QStringLiteral("An error ocuurs!"));
                }
                ctx_.message(text, MsgButtons::Ok, MsgIcon::Exclamation);
            }
        }
    }
    l->PortCloseIfFree();
    view_.setRunControlsEnabled(true);
    view_.setTabControlEnabled(true);
    view_.setMainRunLock(false);
    for (int t = 1; t < 3; ++t) view_.setTabEnabled(t, true);
    view_.setProgramGridEnabled(true);
    endRun();
    view_.focusDummy();
}

void MoveRuns::wrap(Run r, void (MoveRuns::*run)()) {
    if (running() || !link()) return;
    ControllerJob job(link(), this);
    if (!job) return;
    run_ = r;
    view_.setRunControlsEnabled(false);
    view_.setMainRunLock(true);
    (this->*run)();
    view_.setRunControlsEnabled(true);
    view_.setMainRunLock(false);
    endRun();
    view_.focusDummy();
}

void MoveRuns::cmdMove_Click() { wrap(Run::Program, &MoveRuns::programRun); }
void MoveRuns::cmdSelectMove_Click() { wrap(Run::Range, &MoveRuns::rangeRun); }
void MoveRuns::cmdGrpMove_Click() { wrap(Run::Group, &MoveRuns::grpRun); }

void MoveRuns::cmdTmpStop_Click() {
    if (run_ == Run::Program) Tmp_Stop = true;
}
void MoveRuns::cmdStop_Click() {
    if (run_ == Run::Program) Move_Stop = true;
    endOwedWait();
}
void MoveRuns::cmdTempStop2_Click() {
    if (run_ == Run::Range) Tmp_Stop2 = true;
}
void MoveRuns::cmdStop2_Click() {
    if (run_ == Run::Range) Move_Stop2 = true;
    endOwedWait();
}

void MoveRuns::endOwedWait() {
    if (ControllerLink* l = link(); l && l->cleaningUp()) l->StopWait();
}
void MoveRuns::cmdGrpMoveStop_Click() {
    // Only a run's wait is ended, or a wait for what is owed: a stop flag
    // left standing would cut short the next exchange of the program.
    if (!running()) {
        endOwedWait();
        return;
    }
    forced_ = true;
    ctx_.link.TusinStop = true;
    if (ControllerLink* l = link()) l->Stop();
}

// Disables the other tabs and the grid; reads the home state and homes when
// needed. False: go to the common end.
bool MoveRuns::commonStart(int tab, bool clearErrorOnFailedRead) {
    for (int t = 0; t < 3; ++t)
        if (t != tab) view_.setTabEnabled(t, false);
    view_.setProgramGridEnabled(false);
    ControllerLink& l = *link();
    const int home = ReadHomeState(l);
    if (home == kLinkBusy) return false;
    if (home == -1) {
        if (clearErrorOnFailedRead) ctx_.link.TusinError = false;
        return false;
    }
    if (!ctx_.opt.HomeDone && HomeReturnMove(l) != 0) return false;
    return true;
}

bool MoveRuns::stoppedBeforeFirstMove(bool pause, bool stop, bool oneMove) const {
    // A run of one move ("Step", the single move) makes its move whatever
    // its pause flag says, as it does after a move.
    return forced_ || stop || (pause && !oneMove);
}

void MoveRuns::commonEnd(int tab) {
    link()->PortCloseIfFree();
    for (int t = 0; t < 3; ++t)
        if (t != tab) view_.setTabEnabled(t, true);
    view_.setProgramGridEnabled(true);
}

void MoveRuns::dwell(bool use, const QString& text, const bool& pause, const bool& stop) {
    Timeup = false;
    if (use && !pause && !stop) {
        const int ms = DwellMs(text);
        if (ms == 0) Timeup = true;
        else Timer2_->start(ms);
    } else {
        Timeup = true;
    }
    link()->WaitWhile([&] { return !Timeup && !stop && !pause && !forced_; });
    Timeup = true;
    Timer2_->stop();
}

bool MoveRuns::moveTo(int posiNo, bool noSqMcr, int moveTimeout, int outTimeout, const QString& rangeTextJp,
                      const QString& stopTextEn) {
    ControllerLink& l = *link();
    if (forced_) return false;
    if (posiNo < 1 || posiNo > 399) {
        l.PortCloseIfFree();
        ctx_.message(ctx_.pick(rangeTextJp, QStringLiteral("Input position No. by decimal(Using 1 to 399)")));
        return false;
    }
    view_.setOutLamp(1, false);
    view_.setOutLamp(2, false);
    ctx_.link.TusinTimeout = moveTimeout;
    if (l.SendMoveCmdWaitReply(noSqMcr ? QStringLiteral("0MM") : QStringLiteral("0MP"), 27, HexText(posiNo, 3)) != 0) {
        ctx_.link.TusinStop = false;
        return false;
    }
    if (ctx_.link.TusinStop) {
        ctx_.message(ctx_.pick(QStringLiteral("通信終了待ちを解除します。"), stopTextEn));
        ctx_.link.TusinStop = false;
        return false;
    }
    ctx_.link.TusinTimeout = outTimeout;
    if (l.SendCmdWaitReply(QStringLiteral("0RO"), 11, QString()) != 0) return false;
    l.display().setHomeLamp(true);
    lampsFromOutputs();
    view_.setKanryoNo(QString::number(posiNo));
    return true;
}

void MoveRuns::programRun() {
    // The first cell is chosen before the start talks to the controller: a
    // pause pressed while it reads the home state is a pause of this run,
    // not the resume of an earlier one.
    MotionState& m = ctx_.motion;
    if (!s.selectStep) {
        if (!Tmp_Stop) CurCellNo = 1;
        else Tmp_Stop = false;
    } else if (m.MoveFirstTime) {
        CurCellNo = 1;
        m.MoveFirstTime = false;
    }
    if (CurCellNo < 1 || CurCellNo > 15) CurCellNo = 1;
    if (commonStart(0, true) && !stoppedBeforeFirstMove(Tmp_Stop, Move_Stop, s.selectStep)) {
        const auto cell = [this](int c) { return s.program[size_t(c)].trimmed(); };
        while (CurCellNo < 16) {
            bool wrapped = false;
            if (cell(CurCellNo).isEmpty()) {
                wrapped = true;
                CurCellNo = 1;
            }
            bool ok = false;
            CurPosiNo = wrapped ? 0 : cell(CurCellNo).toInt(&ok);
            if (wrapped) {
                if (!s.repeat) break;
                CurPosiNo = cell(1).toInt(&ok);
            }
            if (!moveTo(CurPosiNo, s.noSqMcr1, 30000, 30000,
                        QStringLiteral("ポジションNoは、1～399までの値を入れて下さい。"),
                        QStringLiteral("Release standby for communication termination.")))
                break;
            m.MoveFirstTime = false;
            ++CurCellNo;
            if (Move_Stop) {
                Move_Stop = false;
                break;
            }
            if (s.selectStep || Tmp_Stop) break;
            dwell(s.timerUse, s.timer, Tmp_Stop, Move_Stop);
            if (CurCellNo >= 16) {
                CurCellNo = 1;
                if (!s.repeat) break;
            }
            if (s.selectStep || Tmp_Stop || Move_Stop || forced_) break;
        }
        if (CurCellNo >= 16) CurCellNo = 1;
    }
    commonEnd(0);
    Move_Stop = false;
}

void MoveRuns::rangeRun() {
    // As in the programmed run, the first position is chosen first.
    const int start = s.startPosiNo;
    int end = s.endPosiNo;
    if (s.singleMove) {
        CurRangePosiNo = start;
        end = start;
    } else if (Tmp_Stop2) {
        Tmp_Stop2 = false;
    } else {
        CurRangePosiNo = start;
    }
    if (commonStart(1, false) && !stoppedBeforeFirstMove(Tmp_Stop2, Move_Stop2, s.singleMove)) {
        for (;;) {
            if (CurRangePosiNo > end) {
                if (!s.repeat2 || s.singleMove) break;
                CurRangePosiNo = start;
            }
            if (!moveTo(CurRangePosiNo, s.noSqMcr2, 3000, 1000,
                        QStringLiteral("ポジションNoは、10進数で1～399までの値を入れて下さい。"),
                        QStringLiteral("Release waiting communication completion.")))
                break;
            ++CurRangePosiNo;
            if (Move_Stop2) {
                Move_Stop2 = false;
                break;
            }
            if (s.singleMove || Tmp_Stop2) break;
            dwell(s.timerUse2, s.timer2, Tmp_Stop2, Move_Stop2);
            if (Tmp_Stop2 || Move_Stop2 || forced_) break;
        }
    }
    commonEnd(1);
    Move_Stop2 = false;
}

void MoveRuns::grpRun() {
    if (commonStart(2, true)) {
        if (s.grpNo < 1 || s.grpNo > 99) {
            ctx_.message(ctx_.pick(QStringLiteral("グループNoは、1～99の数値を選択して下さい。"),
                                   QStringLiteral("Select Group No. (1 to 99)")));
        } else {
            view_.setOutLamp(1, false);
            view_.setOutLamp(2, false);
            ctx_.link.TusinTimeout = 0;
            link()->SendCmdWaitReply(QStringLiteral("0MG"), 13, HexText(s.grpNo, 2));
            ctx_.link.TusinStop = false;
        }
    }
    commonEnd(2);
}

} // namespace rer
