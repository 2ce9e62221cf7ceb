#pragma once
#include <QObject>
#include <QString>
#include <functional>

class QEventLoop;
class QTimer;

namespace rer {

class AppContext;
class LinkDisplay;
class MoveDisplay;
class ProgressView;
class SerialPort;
struct LinkState;

// The result of a transaction or transfer that was refused because another
// job holds the controller: nothing was sent, nothing changed. Not a failure.
inline constexpr int kLinkBusy = 2;

// The controller link of the main window: the serial port opened on demand,
// the receive poller fed by the port's ready-read notification, the reply
// time-out, the move clock and the one-line transactions.
//
// One thread. A transaction writes one line and waits in a local event loop
// until the reply line is complete (CR LF), the time-out elapses or the user
// stops; only one exchange waits at a time.
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
    void PortCloseIfFree();    // closes unless PortOccupy keeps it open
    void PortClose();          // closes whatever PortOccupy says
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

    // Asks the waiting exchange to give up (the stop buttons).
    void Stop();
    bool waiting() const { return waiting_; }

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

    // The request whose wait was given up (time-out, stop) and whose answer
    // has not been seen yet; empty when the line is clean.
    const QString& abandonedRequest() const { return abandoned_; }

Q_SIGNALS:
    // The controller was taken (true) or given back (false) by an announced job.
    void busyChanged(bool busy);

private:
    enum class Kind { Reply, Move };
    // How a wait for a reply ended, decided by what happened: a reply that
    // is complete wins over a time-out that fell due meanwhile.
    enum class Waited { Reply, Timeout, Stopped };
    void Timer1_Timer();          // receive poller: on ready-read
    void takeLine(const QString& line);
    bool answersAbandoned(const QString& line) const;
    void takeWaitingInput();
    void timerTimeout_Timer();
    void TimerMyTimer_Timer();
    void onPortError(const QString& reason);
    bool done(Kind k) const;
    void wake();
    void drainAbandoned();
    bool sendLine(const QString& line, Kind k);
    void wait(Kind k);
    Waited exchange(const QString& line, Kind k);
    int transact(const QString& command, int replyLength, const QString& data, Kind k);
    enum class Check { ErrorReply, Bad, Stopped };
    Check linkCheck(Kind k);
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
    QEventLoop* loop_ = nullptr;
    bool waiting_ = false;
    Kind waitKind_ = Kind::Reply;
    QString expecting_;        // the request being waited for
    QString abandoned_;        // see abandonedRequest()
    bool drainFirst_ = false;  // the next request lets the line go quiet first
    bool draining_ = false;
    qint64 lastInputMs_ = 0;   // when characters last came (monotonic clock)
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
