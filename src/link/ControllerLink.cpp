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

// Copies of answers looked out for.
constexpr size_t kRecentAnswers = 8;

// After a time-out the answer is looked out for once more as long as the
// request waited, but no longer than the longest reply time-out of the
// exchanges: a controller silent for longer has a fault, and the next job
// must not wait a move time-out more for it. A request given up by a stop is
// still being carried out: it keeps its whole allowance.
constexpr qint64 kAfterTimeoutMaxMs = 5000;

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
    // The port is in use again: a close left for later is off.
    closeLater_ = LaterClose::None;
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

// While the controller still owes an answer the port stays open, so that
// the answer is read and dropped here and never reaches the next job; it
// closes once nothing is owed.
void ControllerLink::PortCloseIfFree() { closeOrLater(LaterClose::IfFree); }

void ControllerLink::closeOrLater(LaterClose how) {
    if (port_.isOpen() && (how == LaterClose::Always || !ctx_.opt.PortOccupy)) {
        if (owed_.empty()) port_.close();
        else closeLater_ = how;
    }
    RefreshPortLamp();
}

void ControllerLink::PortClose() {
    // The line is given up as a whole (another port, the end of the
    // program): nothing more can come of what was owed on it.
    closeLater_ = LaterClose::None;
    owed_.clear();
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
    if (!expecting_.isEmpty() && l.RecvComplete) return;
    const QByteArray in = port_.readAll();
    if (in.isEmpty() && l.RecvBuf.indexOf(kCrLf) < 0) return;
    l.RecvBuf += QString::fromLatin1(in);
    for (qsizetype end = l.RecvBuf.indexOf(kCrLf); end >= 0; end = l.RecvBuf.indexOf(kCrLf)) {
        const QString line = l.RecvBuf.left(end + 2);
        l.RecvBuf.remove(0, end + 2);
        takeLine(line);
        if (!expecting_.isEmpty() && l.RecvComplete) return;
    }
}

// A line that answers a request given up: the first line that repeats the
// name of an owed request is its answer (and the answers of the requests
// owed before it will not come). An error report answers the oldest one. It
// is dropped; the waiting request's time runs once nothing is owed.
bool ControllerLink::takeOwed(const QString& line) {
    if (owed_.empty()) return false;
    if (IsErrorReport(line)) {
        owed_.pop_front();
    } else {
        const auto it = std::find_if(owed_.begin(), owed_.end(),
                                     [&line](const Owed& o) { return line.startsWith(o.name); });
        if (it == owed_.end()) return false;
        owed_.erase(owed_.begin(), it + 1);
        remember(line);
    }
    armOwedTimer();
    return true;
}

void ControllerLink::remember(const QString& answer) {
    recent_.push_back(answer);
    while (recent_.size() > kRecentAnswers) recent_.pop_front();
}

// An error report that no waiting request takes is shown, outside the
// handler that met it.
void ControllerLink::showUnasked(const QString& report) {
    ctx_.link.CtErrorReply = report;
    QTimer::singleShot(0, this, [this] { ShowCtErrorInfo(); });
}

void ControllerLink::takeLine(const QString& line) {
    LinkState& l = ctx_.link;
    const bool waiting = !expecting_.isEmpty();
    const bool namesWaiting = waiting && line.startsWith(expectName_);
    // The controller answers in order: what it owes comes first, also when
    // the waiting request is the same again.
    if (takeOwed(line)) {
        if (IsErrorReport(line)) showUnasked(line);
        return;
    }
    if (!IsErrorReport(line) && !namesWaiting) {
        // The answer of a request given up that is no longer looked out for,
        // or a copy of an answer already seen: no answer of a request that
        // it does not name.
        const bool givenUp = std::any_of(givenUp_.begin(), givenUp_.end(),
                                         [&line](const QString& name) { return line.startsWith(name); });
        if (givenUp || std::find(recent_.begin(), recent_.end(), line) != recent_.end()) {
            remember(line);
            return;
        }
        // A line that names another request of the same command (a stray or
        // doubled answer) is not taken; only should nothing else come in
        // time is it the (wrong) answer.
        if (waiting && line.left(3) == expecting_.left(3)) {
            misnamed_ = line;
            return;
        }
    }
    if (!waiting) {
        // Nothing asked: the line is no one's answer.
        if (IsErrorReport(line)) showUnasked(line);
        return;
    }
    if (!owed_.empty()) {
        // Something is still owed: only the waiting request's own answer
        // tells that the owed answers will not come (lost on the line);
        // anything else is dropped.
        if (!namesWaiting) return;
        owed_.clear();
        armOwedTimer();
    }
    l.RecvComplete = true;
    l.RecvLine = line;
    if (IsErrorReport(line)) l.CtErrorReply = line;
    else remember(line);
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
    if (takeMisnamed()) return;
    ctx_.link.TusinTimeoutFlag = true;
    wake();
}

// The time is up and no answer came, but a line that named another request
// of the same command did: it is the answer, and its echo is wrong.
bool ControllerLink::takeMisnamed() {
    LinkState& l = ctx_.link;
    if (expecting_.isEmpty() || misnamed_.isEmpty()) return false;
    l.RecvLine = misnamed_;
    l.RecvComplete = true;
    misnamed_.clear();
    wake();
    return true;
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
    if (l.MoveTimeoutFlag && waitKind_ == Kind::Move && takeMisnamed()) l.MoveTimeoutFlag = false;
    if (l.MoveTimeoutFlag) wake();
}

// An owed answer's allowance has run out: it is forgotten.
void ControllerLink::owedTimer_Timer() {
    // An answer that came while the thread was busy still counts.
    takeWaitingInput();
    const qint64 now = nowMs();
    owed_.erase(std::remove_if(owed_.begin(), owed_.end(), [now](const Owed& o) { return o.untilMs <= now; }),
                owed_.end());
    armOwedTimer();
}

// Keeps the timer on the earliest allowance; once nothing is owed, the
// waiting request's time starts.
void ControllerLink::armOwedTimer() {
    if (owed_.empty()) {
        owedTimer_->stop();
        if (!expecting_.isEmpty() && !clockRunning_) startClock();
        if (closeLater_ != LaterClose::None && !waiting_) {
            const LaterClose how = closeLater_;
            closeLater_ = LaterClose::None;
            closeOrLater(how);
        }
        return;
    }
    qint64 first = owed_.front().untilMs;
    for (const Owed& o : owed_) first = std::min(first, o.untilMs);
    owedTimer_->start(int(std::clamp<qint64>(first - nowMs(), 0, std::numeric_limits<int>::max())));
}

// The waiting request's time runs from here: its reply time-out, or the
// move clock for a move.
void ControllerLink::startClock() {
    clockRunning_ = true;
    display_.setOwedWait(false);
    if (waitKind_ == Kind::Move) StartMoveTimer();
    else if (waitTimeoutMs_ != 0) timerTimeout_->start(waitTimeoutMs_);
}

void ControllerLink::StartMoveTimer() {
    ::rer::StartMoveTimer(ctx_.link, ctx_.platform.sys.secondsSinceMidnight());
    TimerMyTimer_->start(100);
}

void ControllerLink::onPortError(const QString&) {
    // The device is gone, and with it every answer still owed: close at
    // once; a waiting exchange ends through its time-out handling.
    port_.close();
    RefreshPortLamp();
    owed_.clear();
    armOwedTimer();
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

QStringList ControllerLink::owedRequests() const {
    QStringList r;
    for (const Owed& o : owed_) r << o.line;
    return r;
}

bool ControllerLink::sendLine(const QString& line, Kind k) {
    LinkState& l = ctx_.link;
    // What came since the last answer is looked at first: the answers still
    // owed, copies, an error report that came unasked.
    if (port_.isOpen()) takeWaitingInput();
    // A reply cut short earlier must not be joined to the answer of this
    // line; while an answer is owed, its first characters may be on the way.
    if (owed_.empty()) l.RecvBuf.clear();
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

// How long the answer of a request given up is still looked out for: its
// own time-out again, the move time-out for a move (and for a request that
// waited without a limit); see kAfterTimeoutMaxMs.
qint64 ControllerLink::allowanceMs(Kind k, int32_t timeoutMs) const {
    const qint64 move = qint64(std::max(1.0f, ctx_.opt.MoveTimeout) * 1000.0f);
    if (k == Kind::Move || timeoutMs <= 0) return move;
    return timeoutMs;
}

// Sends one line and waits for its answer. Its time counts from the moment
// the line is written, or, while the controller still owes an earlier
// answer, from the moment nothing is owed any more; meanwhile the user sees
// that the program waits for the controller. The end is decided by what
// happened, not by when the wait looked: a box opened meanwhile holds the
// wait until it closes, and a reply that came in that time is the answer.
// A wait given up leaves its answer owed.
ControllerLink::Waited ControllerLink::exchange(const QString& line, Kind k, int32_t timeoutMs) {
    LinkState& l = ctx_.link;
    l.TusinTimeoutFlag = false;
    if (k == Kind::Move) l.MoveTimeoutFlag = false;
    if (!sendLine(line, k)) return Waited::Timeout;
    expecting_ = line;
    expectName_ = RequestName(line);
    misnamed_.clear();
    waitKind_ = k;
    waitTimeoutMs_ = timeoutMs;
    clockRunning_ = false;
    if (owed_.empty()) startClock();
    else display_.setOwedWait(true);
    wait(k);
    if (!clockRunning_) display_.setOwedWait(false);
    clockRunning_ = false;
    expecting_.clear();
    expectName_.clear();
    if (k == Kind::Move) l.MoveEnd = true;
    else timerTimeout_->stop();
    if (l.RecvComplete && !l.TusinStop) return Waited::Reply;
    if (!l.RecvComplete) {
        const qint64 allowance = allowanceMs(k, timeoutMs);
        const qint64 owedMs = l.TusinStop ? allowance : std::min(allowance, kAfterTimeoutMaxMs);
        owed_.push_back({line, RequestName(line), nowMs() + owedMs});
        givenUp_.push_back(RequestName(line));
        while (givenUp_.size() > kRecentAnswers) givenUp_.pop_front();
        armOwedTimer();
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
        // PortOccupy says (once its answer is no longer owed).
        closeOrLater(move ? LaterClose::Always : LaterClose::IfFree);
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
    WaitingMark mark(waiting_);
    const Waited w = exchange(line, Kind::Reply, timeoutMs);
    if (w == Waited::Stopped) {
        l.TusinStop = false;
        return RawOutcome::Stopped;
    }
    return w == Waited::Timeout ? RawOutcome::Timeout : RawOutcome::Line;
}

} // namespace rer
