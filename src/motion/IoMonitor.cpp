#include "motion/IoMonitor.h"

#include "app/AppContext.h"
#include "link/ControllerLink.h"
#include "link/IoState.h"

namespace rer {

const IoLamp kInputLamps[20] = {
    {"imgInputStb", "STB", 0, 0, 0},        {"imgInputStop", "STOP", 0, 1, 1},
    {"imgInputGrp", "GRP", 0, 2, 2},        {"imgInputRes", "RES", 0, 3, 3},
    {"imgInputExp4", "EXP-IN4", 1, 0, 4},   {"imgInputExp3", "EXP-IN3", 1, 1, 5},
    {"imgInputExp2", "EXP-IN2", 1, 2, 6},   {"imgInputExp1", "EXP-IN1", 1, 3, 7},
    {"imgInputP200", "IP200", 2, 2, 9},     {"imgInputP100", "IP100", 2, 3, 10},
    {"imgInputP80", "IP80", 3, 0, 11},      {"imgInputP40", "IP40", 3, 1, 12},
    {"imgInputP20", "IP20", 3, 2, 13},      {"imgInputP10", "IP10", 3, 3, 14},
    {"imgInputP8", "IP8", 4, 0, 15},        {"imgInputP4", "IP4", 4, 1, 16},
    {"imgInputP2", "IP2", 4, 2, 17},        {"imgInputP1", "IP1", 4, 3, 18},
    {"imgInputHomeLs2", "LS2", 5, 2, 8},    {"imgInputHomeLs1", "LS1", 5, 3, 19},
};

const IoLamp kOutputLamps[19] = {
    {"imgOutputAlm", "ALM", 0, 1, 20},       {"imgOutputRdy", "RDY", 0, 2, 21},
    {"imgOutputInp", "IN-P", 0, 3, 22},      {"imgOutputExp4", "EXP-OUT4", 1, 0, 23},
    {"imgOutputExp3", "EXP-OUT3", 1, 1, 24}, {"imgOutputExp2", "EXP-OUT2", 1, 2, 25},
    {"imgOutputExp1", "EXP-OUT1", 1, 3, 26}, {"imgOutputP200", "OP200", 2, 2, 29},
    {"imgOutputP100", "OP100", 2, 3, 30},    {"imgOutputP80", "OP80", 3, 0, 31},
    {"imgOutputP40", "OP40", 3, 1, 32},      {"imgOutputP20", "OP20", 3, 2, 33},
    {"imgOutputP10", "OP10", 3, 3, 34},      {"imgOutputP8", "OP8", 4, 0, 35},
    {"imgOutputP4", "OP4", 4, 1, 36},        {"imgOutputP2", "OP2", 4, 2, 37},
    {"imgOutputP1", "OP1", 4, 3, 38},        {"imgOutputOut2", "OUT2", 5, 2, 27},
    {"imgOutputOut1", "OUT1", 5, 3, 28},
};

QString IoMonitor::monitorCaption(bool running) const {
    return running ? ctx_.pick(QStringLiteral("モニタ停止"), QStringLiteral("Stop Monitor"))
                   : ctx_.pick(QStringLiteral("モニタ開始"), QStringLiteral("Start Monitor"));
}

void IoMonitor::Form_Load() {
    ctx_.motion.IoCheckTyu = false;
    ctx_.motion.IoCheckTeisi = false;
    ctx_.link.IoYomikomiTyu = false;
    view_.setTimerEnabled(false);
    view_.setMonitorCaption(monitorCaption(false));
    view_.setCloseEnabled(true);
}

void IoMonitor::IoMonitorStart() {
    ctx_.motion.IoCheckTyu = true;
    view_.setTimerEnabled(true);
    view_.setMonitorCaption(monitorCaption(true));
    view_.setCloseEnabled(false);
}

void IoMonitor::IoMonitorStop() {
    ctx_.motion.IoCheckTeisi = true;
    view_.setMonitorCaption(monitorCaption(false));
    view_.setCloseEnabled(true);
}

void IoMonitor::cmdIoMonitor_Click() {
    if (ctx_.motion.IoCheckTyu) {
        IoMonitorStop();
        endWait();
    } else {
        IoMonitorStart();
    }
}

void IoMonitor::Form_QueryUnload() {
    if (ctx_.motion.IoCheckTyu) IoMonitorStop();
    view_.setTimerEnabled(false);
    endWait();
}

// A tick that waits for the controller ends its wait as a stop: the user
// stops the monitor or closes the window.
void IoMonitor::endWait() {
    if (inTick_ && ctx_.link.ct) ctx_.link.ct->StopWait(this);
}

void IoMonitor::stopped() {
    view_.setTimerEnabled(false);
    ctx_.motion.IoCheckTyu = ctx_.motion.IoCheckTeisi = false;
    view_.setMonitorCaption(monitorCaption(false));
    view_.setCloseEnabled(true);
}

void IoMonitor::Timer() {
    // The exchanges wait in an event loop: a tick that comes due meanwhile is
    // skipped rather than started inside the running one.
    if (inTick_) return;
    struct Busy {
        bool& b;
        explicit Busy(bool& x) : b(x) { b = true; }
        ~Busy() { b = false; }
    } busy(inTick_);
    ControllerLink* link = ctx_.link.ct;
    MotionState& m = ctx_.motion;
    if (!link) {
        stopped();
        return;
    }
    // Each tick is a short job of its own, not announced to the other
    // windows (this one is modal). While another job holds the controller
    // the monitor pauses: no read, and the port is that job's.
    ControllerJob job(link, this, false);
    if (!job) {
        if (m.IoCheckTeisi) {
            view_.setTimerEnabled(false);
            m.IoCheckTyu = false;
            m.IoCheckTeisi = false;
        }
        return;
    }
    if (!ctx_.link.OutputHenkoAri) {
        ctx_.link.IoYomikomiTyu = true;
        ReadIoState(*link);
        if (ctx_.link.TusinError) {
            // Back to the stopped state so that the user can start again.
            stopped();
            return;
        }
        view_.IoStateHyoji();
    }
    if (ctx_.link.OutputHenkoAri) {
        WriteOutputState(*link);
        ReadIoState(*link);
        view_.IoStateHyoji();
    }
    if (m.IoCheckTeisi) {
        view_.setTimerEnabled(false);
        link->PortCloseIfFree();
        m.IoCheckTyu = false;
        m.IoCheckTeisi = false;
    }
}

void IoMonitor::mark(int k) {
    const IoLamp& l = kOutputLamps[k];
    ctx_.link.IoOutputReq[l.digit][l.bit] = true;
    ctx_.link.OutputHenkoAri = true;
}

void IoMonitor::OutputLampDblClick(int k) {
    if (k < 0 || k >= 19 || ctx_.motion.IoCheckTeisi) return;
    mark(k);
}

void IoMonitor::WhiteIconDblClick(int index) {
    if (ctx_.motion.IoCheckTeisi || !ctx_.motion.IoCheckTyu) return;
    for (int k = 0; k < 19; ++k)
        if (kOutputLamps[k].whiteIcon == index) mark(k);
}

} // namespace rer
