#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <functional>
#include <limits>

class QEventLoop;
class QTimer;

namespace rer {

class AppContext;
class LinkDisplay;
class MoveDisplay;
class ProgressView;
class SerialPort;
struct LinkState;

// What a request names, and what its answer therefore repeats: the command
// and its block, position, group or macro number or its mode ("0RD4",
// "0MP002", "0CM1", "0RG05"); the command alone where it names nothing more.
QString RequestName(const QString& line);

// The result of a transaction or transfer that was refused because another
// job holds the controller: nothing was sent, nothing changed. Not a failure.
inline constexpr int kLinkBusy = 2;

// The controller link of the main window: the serial port opened on demand,
// the receive poller fed by the port's ready-read notification, the reply
// time-out, the move clock and the one-line transactions.
//
// One thread. A transaction writes one line and waits in a local event loop
// until its answer is complete (CR LF), the time-out elapses or the user
// stops; only one exchange waits at a time.
//
// The controller carries out one request at a time and answers in order,
// without request numbers: once a wait was given up (a time-out, a stop, a
// port closed meanwhile), or characters are left that made no answer, a lost
// answer cannot be told from a late one. The line is then not clean, and
// the next exchange first makes it clean: it sends one read that changes
// nothing and names none of the requests given up, drops every line before
// that read's answer (an error report among them is shown once), empties
// the receive buffer with the answer, and only then sends its own request,
// whose time runs from then. A line is taken as the answer of the request
// waiting only when it repeats what that request names (see RequestName);
// any other line is kept aside, and is its (wrong) answer only should
// nothing else come in time.
//
// The link is also the one owner of the controller for every window: a job
// (a transfer, a motion run, a jog, a reset, an I/O read...) holds it from
// its start to its end through a ControllerJob. While one job holds it,
// another job's request is refused as busy; busyChanged() lets the windows
// switch off the commands that would start one.
class ControllerLink : public QObject {
    Q_OBJECT
public:
    ControllerLink(AppContext& ctx, SerialPort& port, LinkDisplay& display, QObject* parent = nullptr);
    ~ControllerLink() override;

    AppContext& ctx() { return ctx_; }
    LinkState& state();
    SerialPort& port() { return port_; }
    LinkDisplay& display() { return display_; }
    // The motion window's lamps; none until that window exists.
    MoveDisplay* moveDisplay() const { return move_; }
    void setMoveDisplay(MoveDisplay* m) { move_ = m; }
    // The progress window of the multi-line transfers.
    ProgressView* progress() const { return progress_; }
    void setProgress(ProgressView* p) { progress_ = p; }

    // Port.
    int PortCheckOpen();       // 0 open, 1 failed ("Failed port open." shown)
    // Closes unless PortOccupy keeps it open. What was given up on the line
    // is remembered: the first exchange after the next open cleans up.
    void PortCloseIfFree();
    // Closes at once whatever PortOccupy says, for another port or the end
    // of the program: what the line owed is forgotten with it.
    void PortClose();
    int CtCommModeOn();        // "0CM" with "1"; 0 / 1 / kLinkBusy

    // Transactions: 0 = a good reply is in RecvLine, 1 = failure (told to the
    // user except after a stop), kLinkBusy = refused (another job holds the
    // controller; nothing sent, nothing told).
    int SendCmdWaitReply(const QString& command, int replyLength, const QString& data);
    int SendMoveCmdWaitReply(const QString& command, int replyLength, const QString& data);

    // A line written straight to the port whose answer is collected until a
    // line end or the time-out (reset and external-start mode).
    enum class RawOutcome { Line, Timeout, Stopped, Refused };
    RawOutcome RawExchange(const QString& line, int timeoutMs);

    // Asks the job that holds the controller to give up: its waiting
    // exchange ends as a stop, and every further exchange of the same job
    // ends so at once, sending nothing (the motion window's stops).
    void Stop();
    // The same for the stops and closes of the windows, only while an
    // exchange waits, and, with an owner, only for that owner's job. True
    // when a wait was ended.
    bool StopWait(const void* owner = nullptr);
    bool waiting() const { return waiting_; }
    // The waiting exchange first makes the line clean (see above).
    bool cleaningUp() const { return cleaning_; }

    // ---- Ownership of the controller

    // A job holds the controller.
    bool busy() const { return depth_ > 0; }
    // The owner of the job that holds it (null when free or when the job
    // named none).
    const void* holder() const { return holder_; }
    // Takes the controller for a job of owner, or joins the job that holds
    // it when the request comes from that job's own code: the same owner (or
    // none named) while the job is not waiting in an event loop. Anything
    // else is refused. A quiet job does not announce itself (a short
    // background read whose window is modal).
    bool acquire(const void* owner, bool announce = true);
    void release();
    // The running job waits in an event loop of its own until keepWaiting()
    // turns false (checked on every event and every 10 ms). The one wait of
    // dwells and pauses: requests that arrive meanwhile are refused.
    void WaitWhile(const std::function<bool()>& keepWaiting);

    void HomeOutLampOff();
    void StartMoveTimer();
    void ShowCtErrorInfo();
    // The port lamp follows the port (the receive poller's slow duty).
    void RefreshPortLamp();

    // The time-out timer (for tests: never left running after an exchange).
    const QTimer& timerTimeout() const { return *timerTimeout_; }
    const QTimer& timerMyTimer() const { return *TimerMyTimer_; }

    // The time-out message (500 to 503).
    QString TimeoutMessage() const;

    // The line's state. Clean: every request sent was answered and nothing
    // was left over. Otherwise the requests given up whose answers may
    // still come (oldest first; remembered until a clean-up has passed).
    bool lineClean() const { return clean_; }
    QStringList owedRequests() const;

Q_SIGNALS:
    // The controller was taken (true) or given back (false) by an announced job.
    void busyChanged(bool busy);

private:
    enum class Kind { Reply, Move };
    // How a wait for a reply ended, decided by what happened: a reply that
    // is complete wins over a time-out that fell due meanwhile.
    enum class Waited { Reply, Timeout, Stopped };
    // A request given up whose answer may still come: the controller answers
    // in order, so it comes before the answer of anything asked later.
    struct Owed {
        QString line;
        QString name;          // what its answer repeats (see RequestName)
        qint64 untilMs;        // a clean-up waits for it until then (monotonic
                               // clock); kNoLimit: until it comes
        bool answered = false; // its answer, or one of a later request, came
    };
    static constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max();

    void Timer1_Timer();          // receive poller: on ready-read
    void takeLine(const QString& line);
    bool takeOwed(const QString& line);
    void takeCleanUpLine(const QString& line);
    void showUnasked(const QString& report);
    void takeWaitingInput();
    void timerTimeout_Timer();
    bool takeMisnamed();
    void TimerMyTimer_Timer();
    void owedTimer_Timer();
    bool anyPending() const;
    void armOwedTimer();
    void startClock();
    void onPortError(const QString& reason);
    bool done(Kind k) const;
    void wake();
    bool sendLine(const QString& line, Kind k);
    void wait(Kind k);
    Waited waitFor(const QString& line, Kind k, int32_t timeoutMs, int probeLength);
    Waited cleanUp(int32_t jobTimeoutMs);
    void giveUp(const QString& line, Kind k, int32_t timeoutMs, bool stopped, qint64 clockStart);
    Waited exchange(const QString& line, Kind k, int32_t timeoutMs);
    qint64 moveAllowanceMs() const;
    int transact(const QString& command, int replyLength, const QString& data, Kind k);
    enum class Check { ErrorReply, Bad, Stopped };
    Check linkCheck();
    void errorReply(bool exclamation);
    QString res(int id) const;

    AppContext& ctx_;
    SerialPort& port_;
    LinkDisplay& display_;
    MoveDisplay* move_ = nullptr;
    ProgressView* progress_ = nullptr;
    QTimer* timerTimeout_;
    QTimer* TimerMyTimer_;
    QTimer* lampTimer_;
    QTimer* owedTimer_;
    QEventLoop* loop_ = nullptr;
    bool waiting_ = false;
    // The line: clean, or what was given up on it.
    bool clean_ = true;
    std::deque<Owed> owed_;
    // The request being waited for: its line, its name, its kind and
    // time-out, whether and since when its time runs, whether its answer
    // came. While the line is cleaned up, the request is the clean-up's
    // read, whose answer is recognised at the end of a line by its length.
    QString expecting_;
    QString expectName_;
    Kind waitKind_ = Kind::Reply;
    int32_t waitTimeoutMs_ = 0;
    bool clockRunning_ = false;
    qint64 clockStartMs_ = 0;
    bool answered_ = false;
    bool cleaning_ = false;
    int probeLength_ = 0;
    QString misnamed_;   // a line that named another request
    // The job that holds the controller was asked to give up.
    bool jobStopped_ = false;
    int depth_ = 0;
    int baseWaits_ = 0;
    const void* holder_ = nullptr;
    bool announced_ = false;
};

// One job's hold on the controller, given back on every way out. A job that
// was refused holds nothing: its caller does nothing at all. Without a link
// there is nothing to refuse.
class ControllerJob {
public:
    ControllerJob(ControllerLink* link, const void* owner, bool announce = true)
        : link_(link), refused_(link && !link->acquire(owner, announce)) {
        if (refused_) link_ = nullptr;
    }
    ~ControllerJob() { release(); }
    ControllerJob(const ControllerJob&) = delete;
    ControllerJob& operator=(const ControllerJob&) = delete;

    bool refused() const { return refused_; }
    explicit operator bool() const { return !refused_; }
    void release() {
        if (link_) link_->release();
        link_ = nullptr;
    }

private:
    ControllerLink* link_;
    bool refused_;
};

} // namespace rer
