#include "link/ControllerLink.h"

#include "app/AppContext.h"
#include "link/CtError.h"
#include "link/LinkDisplay.h"
#include "link/MoveClock.h"
#include "link/PortDevice.h"
#include "platform/SerialPort.h"

#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace rer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// After a wait that was given up, the next request first lets the line go
// quiet: no character for longer than any gap within a reply (about 48
// characters at 9600 baud), but not for longer than a second in all.
constexpr qint64 kQuietMs = 50;
constexpr qint64 kDrainMaxMs = 1000;

qint64 nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Characters two lines have in common from their start.
int commonPrefix(const QString& a, const QString& b) {
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = 0;
    while (i < n && a.at(i) == b.at(i)) ++i;
    return int(i);
}

// Marks an exchange as under way for its lifetime.
struct WaitingMark {
    explicit WaitingMark(bool& w) : w_(w) { w_ = true; }
    ~WaitingMark() { w_ = false; }
    WaitingMark(const WaitingMark&) = delete;
    WaitingMark& operator=(const WaitingMark&) = delete;
    bool& w_;
};

} // namespace

ControllerLink::ControllerLink(AppContext& ctx, SerialPort& port, LinkDisplay& display, QObject* parent)
    : QObject(parent), ctx_(ctx), port_(port), display_(display), timerTimeout_(new QTimer(this)),
      TimerMyTimer_(new QTimer(this)), lampTimer_(new QTimer(this)) {
    timerTimeout_->setSingleShot(true);
    timerTimeout_->setTimerType(Qt::PreciseTimer);
    connect(timerTimeout_, &QTimer::timeout, this, &ControllerLink::timerTimeout_Timer);
    connect(TimerMyTimer_, &QTimer::timeout, this, &ControllerLink::TimerMyTimer_Timer);
    lampTimer_->setInterval(501);
    connect(lampTimer_, &QTimer::timeout, this, &ControllerLink::RefreshPortLamp);
    lampTimer_->start();
    connect(&port_, &SerialPort::readyRead, this, &ControllerLink::Timer1_Timer);
    connect(&port_, &SerialPort::portError, this, &ControllerLink::onPortError);
    ctx_.link.ct = this;
}

ControllerLink::~ControllerLink() {
    if (ctx_.link.ct == this) ctx_.link.ct = nullptr;
}

LinkState& ControllerLink::state() { return ctx_.link; }

QString ControllerLink::res(int id) const { return ctx_.res(id); }

QString ControllerLink::TimeoutMessage() const {
    const QString gap = kCrLf + kCrLf;
    return res(500) + gap + res(501) + gap + res(502) + gap + res(503);
}

// ---- Port

int ControllerLink::PortCheckOpen() {
    auto& opt = ctx_.opt;
    if (opt.PortNo < 1 || opt.PortNo > 9) opt.PortNo = ctx_.settings.ranged(OptionSettings::PortNo);
    if (!port_.isOpen() && !port_.open(opt.PortNo)) {
        RefreshPortLamp();
        const QString why = PortOpenFailureText(ctx_, port_.openFailure());
        ctx_.message(why.isEmpty() ? res(509) : res(509) + kCrLf + why);
        return 1;
    }
    RefreshPortLamp();
    return 0;
}

void ControllerLink::PortCloseIfFree() {
    if (port_.isOpen() && !ctx_.opt.PortOccupy) port_.close();
    RefreshPortLamp();
}

void ControllerLink::PortClose() {
    if (port_.isOpen()) port_.close();
    RefreshPortLamp();
}

void ControllerLink::RefreshPortLamp() { display_.setPortLamp(port_.isOpen()); }

int ControllerLink::CtCommModeOn() {
    // Refused before anything changes: the running job's time-out stays.
    ControllerJob job(this, nullptr);
    if (!job) return kLinkBusy;
    ctx_.link.TusinTimeout = 1000;
    return SendCmdWaitReply(QStringLiteral("0CM"), 6, QStringLiteral("1"));
}

// ---- Receive poller and timers

void ControllerLink::Timer1_Timer() {
    LinkState& l = ctx_.link;
    if (!port_.isOpen()) return;
    // The answer of the waiting request is in: what comes after it stays on
    // the line, and the next request drops it.
    if (!expecting_.isEmpty() && l.RecvComplete) return;
    const QByteArray in = port_.readAll();
    if (in.isEmpty()) return;
    lastInputMs_ = nowMs();
    l.RecvBuf += QString::fromLatin1(in);
    for (qsizetype end = l.RecvBuf.indexOf(kCrLf); end >= 0; end = l.RecvBuf.indexOf(kCrLf)) {
        const QString line = l.RecvBuf.left(end + 2);
        l.RecvBuf.remove(0, end + 2);
        takeLine(line);
        if (!expecting_.isEmpty() && l.RecvComplete) return;
    }
}

// A request whose wait was given up may still be answered. Its answer is
// known by its echo: it repeats more of the abandoned request than of the
// request now waiting (between requests, its first three characters). An
// error report names no request and is never taken for a late answer.
bool ControllerLink::answersAbandoned(const QString& line) const {
    if (abandoned_.isEmpty() || line.startsWith(QLatin1String("0%%"))) return false;
    const int late = commonPrefix(line, abandoned_);
    if (expecting_.isEmpty()) return late >= 3;
    return late > commonPrefix(line, expecting_);
}

void ControllerLink::takeLine(const QString& line) {
    LinkState& l = ctx_.link;
    if (answersAbandoned(line)) {
        // The late answer: dropped, and the line is clean again.
        abandoned_.clear();
        return;
    }
    if (draining_) return;
    l.RecvComplete = true;
    l.RecvLine = line;
    if (l.RecvLine.startsWith(QLatin1String("0%%"))) {
        l.CtErrorReply = l.RecvLine;
        // A waiting exchange reports the error itself; a report that comes
        // unasked is shown, outside this handler.
        if (!waiting_) QTimer::singleShot(0, this, [this] { ShowCtErrorInfo(); });
    }
    wake();
}

void ControllerLink::takeWaitingInput() {
    port_.takeWaitingInput();
    Timer1_Timer();
}

void ControllerLink::timerTimeout_Timer() {
    timerTimeout_->stop();
    // The thread may have been busy while the reply came: its notification
    // can be queued behind this timer. What the line holds is looked at
    // first; a complete reply is the answer, whenever the timer fell due.
    takeWaitingInput();
    if (!expecting_.isEmpty() && ctx_.link.RecvComplete) return;
    ctx_.link.TusinTimeoutFlag = true;
    wake();
}

void ControllerLink::TimerMyTimer_Timer() {
    LinkState& l = ctx_.link;
    if (!expecting_.isEmpty() && waitKind_ == Kind::Move) {
        takeWaitingInput();
        if (l.RecvComplete) {
            TimerMyTimer_->stop();
            return;
        }
    }
    CheckMoveTimer(l, ctx_.opt.MoveTimeout, ctx_.platform.sys.secondsSinceMidnight());
    if (l.MoveTimeoutFlag || l.MoveEnd) TimerMyTimer_->stop();
    if (l.MoveTimeoutFlag) wake();
}

void ControllerLink::StartMoveTimer() {
    ::rer::StartMoveTimer(ctx_.link, ctx_.platform.sys.secondsSinceMidnight());
    TimerMyTimer_->start(100);
}

void ControllerLink::onPortError(const QString&) {
    // The device is gone: close at once; a waiting exchange ends through its
    // time-out handling.
    port_.close();
    RefreshPortLamp();
    if (!waiting_) return;
    if (waitKind_ == Kind::Move) ctx_.link.MoveTimeoutFlag = true;
    else ctx_.link.TusinTimeoutFlag = true;
    wake();
}

void ControllerLink::Stop() {
    ctx_.link.TusinStop = true;
    wake();
}

bool ControllerLink::done(Kind k) const {
    const LinkState& l = ctx_.link;
    return l.RecvComplete || l.TusinStop || (k == Kind::Move ? l.MoveTimeoutFlag : l.TusinTimeoutFlag);
}

void ControllerLink::wake() {
    if (loop_) loop_->quit();
}

void ControllerLink::drainAbandoned() {
    drainFirst_ = false;
    if (!port_.isOpen()) return;
    draining_ = true;
    NestedWait nested(ctx_.link);
    const qint64 start = nowMs();
    lastInputMs_ = start;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    const auto quiet = [&] {
        const qint64 now = nowMs();
        return ctx_.link.TusinStop || !port_.isOpen() || now - lastInputMs_ >= kQuietMs ||
               now - start >= kDrainMaxMs;
    };
    connect(&poll, &QTimer::timeout, &loop, [&] {
        takeWaitingInput();
        if (quiet()) loop.quit();
    });
    poll.start();
    while (!quiet()) loop.exec();
    draining_ = false;
}

bool ControllerLink::sendLine(const QString& line, Kind k) {
    LinkState& l = ctx_.link;
    // After a wait that was given up, its answer may be on its way.
    if (drainFirst_) drainAbandoned();
    // A reply cut short earlier, or one that came after its time-out, must
    // not be taken for the answer to this line.
    l.RecvBuf.clear();
    if (port_.isOpen()) port_.discardInput();
    l.RecvComplete = false;
    if (port_.write((line + kCrLf).toLatin1())) return true;
    // The line could not go out: the port has failed.
    port_.close();
    RefreshPortLamp();
    if (k == Kind::Move) l.MoveTimeoutFlag = true;
    else l.TusinTimeoutFlag = true;
    return false;
}

void ControllerLink::wait(Kind k) {
    NestedWait nested(ctx_.link);
    QEventLoop loop;
    loop_ = &loop;
    waitKind_ = k;
    // A stop button may set TusinStop without calling Stop(): look now and then.
    QTimer stopWatch;
    stopWatch.setInterval(50);
    connect(&stopWatch, &QTimer::timeout, &loop, [this] {
        if (ctx_.link.TusinStop) wake();
    });
    stopWatch.start();
    while (!done(k)) loop.exec();
    loop_ = nullptr;
}

// Sends one line and waits for its answer. The end is decided by what
// happened, not by when the wait looked: a box opened meanwhile holds the
// wait until it closes, and a reply that came in that time is the answer.
// A wait given up leaves its request behind, so that its late answer is
// never taken by a later request.
ControllerLink::Waited ControllerLink::exchange(const QString& line, Kind k) {
    LinkState& l = ctx_.link;
    if (!sendLine(line, k)) return Waited::Timeout;
    expecting_ = line;
    wait(k);
    expecting_.clear();
    if (l.RecvComplete && !l.TusinStop) return Waited::Reply;
    if (!l.RecvComplete) {
        abandoned_ = line;
        drainFirst_ = true;
    }
    return l.TusinStop ? Waited::Stopped : Waited::Timeout;
}

// ---- Ownership

bool ControllerLink::acquire(const void* owner, bool announce) {
    if (depth_ == 0) {
        depth_ = 1;
        holder_ = owner;
        announced_ = announce;
        // Waits that were open before the job began are not its own.
        baseWaits_ = ctx_.link.nestedWaits;
        if (announced_) Q_EMIT busyChanged(true);
        return true;
    }
    // Inside a wait of the running job only events run: a timer, a click
    // in another window. Never the job's own next step.
    if (ctx_.link.nestedWaits > baseWaits_) return false;
    if (owner != nullptr && owner != holder_) return false;
    ++depth_;
    return true;
}

void ControllerLink::release() {
    if (depth_ == 0) return;
    if (--depth_ > 0) return;
    holder_ = nullptr;
    if (announced_) {
        announced_ = false;
        Q_EMIT busyChanged(false);
    }
}

void ControllerLink::WaitWhile(const std::function<bool()>& keepWaiting) {
    if (!keepWaiting()) return;
    NestedWait nested(ctx_.link);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!keepWaiting()) loop.quit();
    });
    poll.start();
    while (keepWaiting()) loop.exec();
}

void ControllerLink::HomeOutLampOff() {
    display_.setHomeLamp(false);
    if (move_) {
        move_->setOutLamp(1, false);
        move_->setOutLamp(2, false);
    }
}

void ControllerLink::ShowCtErrorInfo() { ::rer::ShowCtErrorInfo(ctx_, display_); }

void ControllerLink::errorReply(bool exclamation) {
    LinkState& l = ctx_.link;
    HomeOutLampOff();
    l.CtErrorReply = l.RecvLine;
    ShowCtErrorInfo();
    ctx_.message(res(504) + kCrLf + kCrLf + QLatin1Char('[') + l.ErrText + QLatin1Char(']'), MsgButtons::Ok,
                 exclamation ? MsgIcon::Exclamation : MsgIcon::None);
}

ControllerLink::Check ControllerLink::linkCheck(Kind k) {
    LinkState& l = ctx_.link;
    l.TusinTimeoutFlag = false;
    if (l.TusinTimeout != 0) timerTimeout_->start(l.TusinTimeout);
    // The check always waits on the reply time-out, also within a move.
    const Waited w = exchange(QStringLiteral("0CM0"), Kind::Reply);
    (void)k;
    timerTimeout_->stop();
    if (w == Waited::Stopped) {
        l.TusinStop = false;
        return Check::Stopped;
    }
    return l.RecvLine.startsWith(QLatin1String("0%%")) ? Check::ErrorReply : Check::Bad;
}

int ControllerLink::SendCmdWaitReply(const QString& command, int replyLength, const QString& data) {
    return transact(command, replyLength, data, Kind::Reply);
}

int ControllerLink::SendMoveCmdWaitReply(const QString& command, int replyLength, const QString& data) {
    return transact(command, replyLength, data, Kind::Move);
}

int ControllerLink::transact(const QString& command, int replyLength, const QString& data, Kind k) {
    LinkState& l = ctx_.link;
    // One exchange at a time: a request that arrives while another job holds
    // the controller (or while this one waits) changes nothing.
    ControllerJob job(this, nullptr);
    if (!job) return kLinkBusy;
    WaitingMark mark(waiting_);
    const QString line = command + data;
    // A field that did not fit ("X" of HexText) never goes out.
    if (line.size() < 3 || line.mid(3).contains(QLatin1Char('X'))) {
        l.TusinError = true;
        ctx_.message(ctx_.pick(QStringLiteral("送信データに異常があります。\r\n") + line,
                               QStringLiteral("The data to send is wrong.\r\n") + line));
        return 1;
    }
    if (PortCheckOpen() != 0) {
        l.TusinError = true;
        return 1;
    }

    l.TusinError = false;
    l.TusinTimeoutFlag = false;
    const bool move = k == Kind::Move;
    if (move) StartMoveTimer();
    else if (l.TusinTimeout != 0) timerTimeout_->start(l.TusinTimeout);
    const QString echo = line.left(3);
    const Waited w = exchange(line, k);
    if (move) l.MoveEnd = true;
    else timerTimeout_->stop();

    if (w == Waited::Stopped) {
        l.TusinStop = false;
        return 1;
    }
    if (w == Waited::Timeout) {
        l.TusinError = true;
        if (move) PortClose();
        else PortCloseIfFree();
        ctx_.message(TimeoutMessage());
        return 1;
    }
    // An error report of the controller fails the exchange; after a move it
    // leaves TusinError as it was cleared above.
    if (l.RecvLine.startsWith(QLatin1String("0%%"))) {
        errorReply(true);
        if (!move) l.TusinError = true;
        return 1;
    }
    const bool badEcho = l.RecvLine.left(3) != echo;
    if (badEcho || l.RecvLine.size() != replyLength) {
        switch (linkCheck(k)) {
        case Check::Stopped: return 1;
        case Check::ErrorReply:
            errorReply(false);
            if (!move) l.TusinError = true;
            return 1;
        case Check::Bad:
            PortCloseIfFree();
            l.TusinError = true;
            ctx_.message(badEcho ? res(504) : res(505) + kCrLf + kCrLf + res(506));
            return 1;
        }
    }
    display_.setAlarmLamp(false);
    display_.setErrorComment(QStringLiteral("No Error"));
    display_.setAlarmNo(QString());
    return 0;
}

ControllerLink::RawOutcome ControllerLink::RawExchange(const QString& line, int timeoutMs) {
    LinkState& l = ctx_.link;
    ControllerJob job(this, nullptr);
    if (!job) return RawOutcome::Refused;
    WaitingMark mark(waiting_);
    l.TusinTimeoutFlag = false;
    if (timeoutMs != 0) timerTimeout_->start(timeoutMs);
    const Waited w = exchange(line, Kind::Reply);
    timerTimeout_->stop();
    if (w == Waited::Stopped) {
        l.TusinStop = false;
        return RawOutcome::Stopped;
    }
    return w == Waited::Timeout ? RawOutcome::Timeout : RawOutcome::Line;
}

} // namespace rer
