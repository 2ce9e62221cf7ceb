#include "link/ControllerLink.h"

#include "app/AppContext.h"
#include "link/CtError.h"
#include "link/LinkDisplay.h"
#include "link/MoveClock.h"
#include "link/PortDevice.h"
#include "platform/SerialPort.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <limits>

namespace rer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// After a time-out the answer is waited for once more as long as the
// request waited, but no longer than the longest reply time-out of the
// exchanges: a controller silent for longer has a fault, and the next job
// must not wait a move time-out more for it. A request given up by a stop is
// still being carried out: it keeps what is left of its allowance. The
// clean-up's own read waits no longer than this either.
constexpr qint64 kAfterTimeoutMaxMs = 5000;

// The reads that make the line clean, in the order they are chosen: each
// changes nothing on the controller, and its answer is known by its name and
// its length (CR LF included).
struct Probe {
    const char* line;
    int replyLength;
};
constexpr Probe kProbes[] = {{"0RH", 6},   {"0RI", 11},  {"0RO", 11}, {"0RD0", 38},
                             {"0RD1", 38}, {"0RD2", 38}, {"0RD8", 38}};

qint64 nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool IsErrorReport(const QString& line) { return line.startsWith(QLatin1String("0%%")); }

// Marks an exchange as under way for its lifetime.
struct WaitingMark {
    explicit WaitingMark(bool& w) : w_(w) { w_ = true; }
    ~WaitingMark() { w_ = false; }
    WaitingMark(const WaitingMark&) = delete;
    WaitingMark& operator=(const WaitingMark&) = delete;
    bool& w_;
};

} // namespace

QString RequestName(const QString& line) {
    // Characters after the command that its answer repeats.
    struct Named {
        const char* command;
        int width;
    };
    static constexpr Named kNamed[] = {
        {"0CM", 1}, {"0MP", 3}, {"0MM", 3}, {"0RP", 3}, {"0WP", 3}, {"0MG", 2}, {"0RG", 2},
        {"0WG", 2}, {"0RD", 1}, {"0WD", 1}, {"0RM", 1}, {"0WM", 1}, {"0WE", 1}, {"0JR", 4},
    };
    for (const Named& n : kNamed)
        if (line.startsWith(QLatin1String(n.command))) return line.left(3 + n.width);
    return line.left(3);
}

ControllerLink::ControllerLink(AppContext& ctx, SerialPort& port, LinkDisplay& display, QObject* parent)
    : QObject(parent), ctx_(ctx), port_(port), display_(display), timerTimeout_(new QTimer(this)),
      TimerMyTimer_(new QTimer(this)), lampTimer_(new QTimer(this)), owedTimer_(new QTimer(this)) {
    timerTimeout_->setSingleShot(true);
    timerTimeout_->setTimerType(Qt::PreciseTimer);
    connect(timerTimeout_, &QTimer::timeout, this, &ControllerLink::timerTimeout_Timer);
    connect(TimerMyTimer_, &QTimer::timeout, this, &ControllerLink::TimerMyTimer_Timer);
    owedTimer_->setSingleShot(true);
    owedTimer_->setTimerType(Qt::PreciseTimer);
    connect(owedTimer_, &QTimer::timeout, this, &ControllerLink::owedTimer_Timer);
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
    opt.PortNo = ctx_.settings.keptOrStored(OptionSettings::PortNo, opt.PortNo);
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
    // The line is given up as a whole (another port, the end of the
    // program): nothing more can come of what was owed on it.
    owed_.clear();
    clean_ = true;
    ctx_.link.RecvBuf.clear();
    armOwedTimer();
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
    // the line until the next request looks at it.
    if (!expecting_.isEmpty() && answered_) return;
    const QByteArray in = port_.readAll();
    if (in.isEmpty() && l.RecvBuf.indexOf(kCrLf) < 0) return;
    l.RecvBuf += QString::fromLatin1(in);
    for (qsizetype end = l.RecvBuf.indexOf(kCrLf); end >= 0; end = l.RecvBuf.indexOf(kCrLf)) {
        const QString line = l.RecvBuf.left(end + 2);
        l.RecvBuf.remove(0, end + 2);
        takeLine(line);
        if (!expecting_.isEmpty() && answered_) return;
    }
}

// An error report that no waiting request takes is shown, outside the
// handler that met it.
void ControllerLink::showUnasked(const QString& report) {
    ctx_.link.CtErrorReply = report;
    QTimer::singleShot(0, this, [this] { ShowCtErrorInfo(); });
}

// A line that answers a request given up: the first line that names an
// owed request still awaited answers it (and those owed before it, whose
// answers will not come any more); an error report answers the oldest one,
// and is shown. False when the line answers nothing owed.
bool ControllerLink::takeOwed(const QString& line) {
    const bool report = IsErrorReport(line);
    if (report) showUnasked(line);
    const auto it = std::find_if(owed_.begin(), owed_.end(), [&](const Owed& o) {
        return !o.answered && (report || line.startsWith(o.name));
    });
    if (it == owed_.end()) return report;
    for (auto o = owed_.begin(); o != it + 1; ++o) o->answered = true;
    armOwedTimer();
    return true;
}

// A line while the line is cleaned up: the clean-up read's answer ends it,
// also at the end of a line that began with characters left over (a stray
// one, an answer cut short). Everything before it belongs to what was given
// up; an error report that comes when no owed answer is awaited any more is
// the clean-up read's own answer. Anything else is dropped.
void ControllerLink::takeCleanUpLine(const QString& line) {
    const bool probeAnswer =
        line.size() >= probeLength_ && QStringView(line).right(probeLength_).startsWith(expectName_);
    if (!probeAnswer && IsErrorReport(line) && !anyPending()) {
        showUnasked(line);
    } else if (!probeAnswer) {
        takeOwed(line);
        return;
    }
    answered_ = true;
    wake();
}

void ControllerLink::takeLine(const QString& line) {
    LinkState& l = ctx_.link;
    if (expecting_.isEmpty()) {
        // Nothing asked: the line is no one's answer, but it may tell that
        // what was given up has been carried out.
        takeOwed(line);
        return;
    }
    if (cleaning_) {
        takeCleanUpLine(line);
        return;
    }
    if (!IsErrorReport(line) && !line.startsWith(expectName_)) {
        // A line that names another request (a copy of an earlier answer, a
        // stray answer) is not taken; only should nothing else come in time
        // is it the (wrong) answer.
        if (misnamed_.isEmpty()) misnamed_ = line;
        return;
    }
    answered_ = true;
    l.RecvComplete = true;
    l.RecvLine = line;
    if (IsErrorReport(line)) l.CtErrorReply = line;
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
    if (!expecting_.isEmpty() && answered_) return;
    if (takeMisnamed()) return;
    ctx_.link.TusinTimeoutFlag = true;
    wake();
}

// The time is up and no answer came, but a line that named another request
// did: it is the answer, and its echo is wrong. The request's own answer
// may still come: the line is not clean.
bool ControllerLink::takeMisnamed() {
    LinkState& l = ctx_.link;
    if (expecting_.isEmpty() || cleaning_ || misnamed_.isEmpty()) return false;
    giveUp(expecting_, waitKind_, waitTimeoutMs_, false, clockStartMs_);
    l.RecvLine = misnamed_;
    l.RecvComplete = true;
    answered_ = true;
    misnamed_.clear();
    wake();
    return true;
}

void ControllerLink::TimerMyTimer_Timer() {
    LinkState& l = ctx_.link;
    if (!expecting_.isEmpty() && waitKind_ == Kind::Move) {
        takeWaitingInput();
        if (answered_) {
            TimerMyTimer_->stop();
            return;
        }
    }
    CheckMoveTimer(l, ctx_.opt.MoveTimeout, ctx_.platform.sys.secondsSinceMidnight());
    if (l.MoveTimeoutFlag || l.MoveEnd) TimerMyTimer_->stop();
    if (l.MoveTimeoutFlag && waitKind_ == Kind::Move && takeMisnamed()) l.MoveTimeoutFlag = false;
    if (l.MoveTimeoutFlag) wake();
}

// The allowance of an owed answer has run out.
void ControllerLink::owedTimer_Timer() {
    // An answer that came while the thread was busy still counts.
    takeWaitingInput();
    armOwedTimer();
}

// An owed answer is still awaited: it has not come and its allowance runs.
bool ControllerLink::anyPending() const {
    const qint64 now = nowMs();
    return std::any_of(owed_.begin(), owed_.end(), [now](const Owed& o) { return !o.answered && o.untilMs > now; });
}

// While the line is cleaned up, the clean-up read's time starts once no
// owed answer is awaited any more; until then the timer follows the
// earliest allowance.
void ControllerLink::armOwedTimer() {
    owedTimer_->stop();
    if (!cleaning_ || clockRunning_) return;
    if (!anyPending()) {
        startClock();
        return;
    }
    const qint64 now = nowMs();
    qint64 first = kNoLimit;
    for (const Owed& o : owed_)
        if (!o.answered && o.untilMs > now) first = std::min(first, o.untilMs);
    if (first != kNoLimit)
        owedTimer_->start(int(std::clamp<qint64>(first - now, 0, std::numeric_limits<int>::max())));
}

// The waiting request's time runs from here: its reply time-out, or the
// move clock for a move.
void ControllerLink::startClock() {
    clockRunning_ = true;
    clockStartMs_ = nowMs();
    display_.setOwedWait(false);
    if (waitKind_ == Kind::Move) StartMoveTimer();
    else if (waitTimeoutMs_ != 0) timerTimeout_->start(waitTimeoutMs_);
}

void ControllerLink::StartMoveTimer() {
    ::rer::StartMoveTimer(ctx_.link, ctx_.platform.sys.secondsSinceMidnight());
    TimerMyTimer_->start(100);
}

void ControllerLink::onPortError(const QString&) {
    // The device is gone: close at once; a waiting exchange ends through its
    // time-out handling, and what it and the line owed is remembered for
    // the next opening.
    port_.close();
    RefreshPortLamp();
    if (!waiting_) return;
    if (waitKind_ == Kind::Move && !cleaning_) ctx_.link.MoveTimeoutFlag = true;
    else ctx_.link.TusinTimeoutFlag = true;
    wake();
}

void ControllerLink::Stop() {
    ctx_.link.TusinStop = true;
    if (busy()) jobStopped_ = true;
    wake();
}

bool ControllerLink::StopWait(const void* owner) {
    if (!waiting_ || (owner != nullptr && owner != holder_)) return false;
    Stop();
    return true;
}

bool ControllerLink::done(Kind k) const {
    const LinkState& l = ctx_.link;
    return answered_ || l.TusinStop || (k == Kind::Move ? l.MoveTimeoutFlag : l.TusinTimeoutFlag);
}

void ControllerLink::wake() {
    if (loop_) loop_->quit();
}

QStringList ControllerLink::owedRequests() const {
    QStringList r;
    for (const Owed& o : owed_) r << o.line;
    return r;
}

bool ControllerLink::sendLine(const QString& line, Kind k) {
    LinkState& l = ctx_.link;
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

qint64 ControllerLink::moveAllowanceMs() const {
    return qint64(std::max(1.0f, ctx_.opt.MoveTimeout) * 1000.0f);
}

// A request whose wait was given up is owed. After a stop it is still being
// carried out: it keeps what is left of its time, the move time-out for a
// move, and a request that waited without a limit is owed until it comes.
// After a time-out it is owed once more as long as it waited, at most
// kAfterTimeoutMaxMs.
void ControllerLink::giveUp(const QString& line, Kind k, int32_t timeoutMs, bool stopped, qint64 clockStart) {
    const qint64 now = nowMs();
    qint64 until = 0;
    if (stopped) {
        const qint64 from = clockRunning_ ? clockStart : now;
        if (k == Kind::Move) until = from + moveAllowanceMs();
        else if (timeoutMs <= 0) until = kNoLimit;
        else until = from + timeoutMs;
    } else {
        const qint64 own = k == Kind::Move ? moveAllowanceMs() : timeoutMs > 0 ? qint64(timeoutMs) : kAfterTimeoutMaxMs;
        until = now + std::min(own, kAfterTimeoutMaxMs);
    }
    owed_.push_back({line, RequestName(line), until});
    clean_ = false;
}

// Waits for the answer of the line just written. probeLength > 0: the line
// is the clean-up's read, whose answer has that length.
ControllerLink::Waited ControllerLink::waitFor(const QString& line, Kind k, int32_t timeoutMs, int probeLength) {
    LinkState& l = ctx_.link;
    expecting_ = line;
    expectName_ = RequestName(line);
    misnamed_.clear();
    waitKind_ = k;
    waitTimeoutMs_ = timeoutMs;
    clockRunning_ = false;
    answered_ = false;
    cleaning_ = probeLength > 0;
    probeLength_ = probeLength;
    if (cleaning_ && anyPending()) {
        display_.setOwedWait(true);
        armOwedTimer();
    } else {
        startClock();
    }
    wait(k);
    display_.setOwedWait(false);
    owedTimer_->stop();
    timerTimeout_->stop();
    if (k == Kind::Move) l.MoveEnd = true;
    const bool answered = answered_, stopped = l.TusinStop;
    if (!answered) giveUp(line, k, timeoutMs, stopped, clockStartMs_);
    clockRunning_ = false;
    cleaning_ = false;
    answered_ = false;
    expecting_.clear();
    expectName_.clear();
    misnamed_.clear();
    if (stopped) return Waited::Stopped;
    return answered ? Waited::Reply : Waited::Timeout;
}

// Makes the line clean before a request goes out (see the class comment).
// The clean-up's read is one whose name no request given up has (or, should
// all have it, the one given up longest ago), and it waits, after what is
// owed, as long as the job's request would, at most kAfterTimeoutMaxMs.
ControllerLink::Waited ControllerLink::cleanUp(int32_t jobTimeoutMs) {
    LinkState& l = ctx_.link;
    const Probe* probe = nullptr;
    qsizetype latest = std::numeric_limits<qsizetype>::max();
    for (const Probe& p : kProbes) {
        qsizetype at = -1;
        for (qsizetype i = 0; i < qsizetype(owed_.size()); ++i)
            if (owed_[size_t(i)].name == QLatin1String(p.line)) at = i;
        if (at < latest) {
            latest = at;
            probe = &p;
        }
        if (at < 0) break;
    }
    const QString line = QLatin1String(probe->line);
    if (!sendLine(line, Kind::Reply)) return Waited::Timeout;
    const int32_t timeout = int32_t(jobTimeoutMs > 0 ? std::min<qint64>(jobTimeoutMs, kAfterTimeoutMaxMs)
                                                     : kAfterTimeoutMaxMs);
    const Waited w = waitFor(line, Kind::Reply, timeout, probe->replyLength);
    if (w != Waited::Reply) return w;
    // The line is clean: nothing before this answer is awaited any more, and
    // nothing after it is an answer.
    owed_.clear();
    clean_ = true;
    l.RecvBuf.clear();
    if (port_.isOpen()) port_.discardInput();
    return w;
}

// Sends one line and waits for its answer, on a clean line: the clean-up
// comes first where the line is not. The end is decided by what happened,
// not by when the wait looked: a box opened meanwhile holds the wait until
// it closes, and a reply that came in that time is the answer. A wait given
// up leaves its answer owed.
ControllerLink::Waited ControllerLink::exchange(const QString& line, Kind k, int32_t timeoutMs) {
    LinkState& l = ctx_.link;
    l.TusinTimeoutFlag = false;
    if (k == Kind::Move) l.MoveTimeoutFlag = false;
    // What came since the last answer: an error report that came unasked is
    // shown, a whole line dropped, characters that make no line leave the
    // line unclean.
    if (port_.isOpen()) takeWaitingInput();
    if (!l.RecvBuf.isEmpty()) clean_ = false;
    if (!clean_) {
        const Waited w = cleanUp(timeoutMs);
        if (w != Waited::Reply) {
            if (w == Waited::Timeout && k == Kind::Move) l.MoveTimeoutFlag = true;
            return w;
        }
    }
    if (!sendLine(line, k)) return Waited::Timeout;
    return waitFor(line, k, timeoutMs, 0);
}

// ---- Ownership

bool ControllerLink::acquire(const void* owner, bool announce) {
    if (depth_ == 0) {
        depth_ = 1;
        holder_ = owner;
        announced_ = announce;
        jobStopped_ = false;
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
    jobStopped_ = false;
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

ControllerLink::Check ControllerLink::linkCheck() {
    LinkState& l = ctx_.link;
    // The check always waits on the reply time-out, also within a move.
    const Waited w = exchange(QStringLiteral("0CM0"), Kind::Reply, l.TusinTimeout);
    if (w == Waited::Stopped) {
        l.TusinStop = false;
        return Check::Stopped;
    }
    return IsErrorReport(l.RecvLine) ? Check::ErrorReply : Check::Bad;
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
    // The job was asked to give up: it sends nothing more.
    if (jobStopped_) {
        l.TusinError = false;
        l.TusinStop = false;
        return 1;
    }
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
    const bool move = k == Kind::Move;
    const Waited w = exchange(line, k, l.TusinTimeout);

    if (w == Waited::Stopped) {
        l.TusinStop = false;
        return 1;
    }
    if (w == Waited::Timeout) {
        l.TusinError = true;
        // After a move that did not end, the port is closed whatever
        // PortOccupy says.
        if (move && port_.isOpen()) port_.close();
        PortCloseIfFree();
        ctx_.message(TimeoutMessage());
        return 1;
    }
    // An error report of the controller fails the exchange; after a move it
    // leaves TusinError as it was cleared above.
    if (IsErrorReport(l.RecvLine)) {
        errorReply(true);
        if (!move) l.TusinError = true;
        return 1;
    }
    // The echo: the command and what the request names.
    const bool badEcho = !l.RecvLine.startsWith(RequestName(line));
    if (badEcho || l.RecvLine.size() != replyLength) {
        switch (linkCheck()) {
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
    if (jobStopped_) {
        l.TusinStop = false;
        return RawOutcome::Stopped;
    }
    WaitingMark mark(waiting_);
    const Waited w = exchange(line, Kind::Reply, timeoutMs);
    if (w == Waited::Stopped) {
        l.TusinStop = false;
        return RawOutcome::Stopped;
    }
    return w == Waited::Timeout ? RawOutcome::Timeout : RawOutcome::Line;
}

} // namespace rer
