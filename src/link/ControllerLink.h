#pragma once
#include <QObject>
#include <QString>

class QEventLoop;
class QTimer;

namespace rer {

class AppContext;
class LinkDisplay;
class MoveDisplay;
class ProgressView;
class SerialPort;
struct LinkState;

// The controller link of the main window: the serial port opened on demand,
// the receive poller fed by the port's ready-read notification, the reply
// time-out, the move clock and the one-line transactions.
//
// One thread. A transaction writes one line and waits in a local event loop
// until the reply line is complete (CR LF), the time-out elapses or the user
// stops; only one exchange waits at a time.
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
    int CtCommModeOn();        // "0CM" with "1"; 0 / 1

    // Transactions: 0 = a good reply is in RecvLine, 1 = failure (told to the
    // user except after a stop).
    int SendCmdWaitReply(const QString& command, int replyLength, const QString& data);
    int SendMoveCmdWaitReply(const QString& command, int replyLength, const QString& data);

    // A line written straight to the port whose answer is collected until a
    // line end or the time-out (reset and external-start mode).
    enum class RawOutcome { Line, Timeout, Stopped, Refused };
    RawOutcome RawExchange(const QString& line, int timeoutMs);

    // Asks the waiting exchange to give up (the stop buttons).
    void Stop();
    bool waiting() const { return waiting_; }

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

private:
    enum class Kind { Reply, Move };
    void Timer1_Timer();          // receive poller: on ready-read
    void timerTimeout_Timer();
    void TimerMyTimer_Timer();
    void onPortError(const QString& reason);
    bool done(Kind k) const;
    void wake();
    bool sendLine(const QString& line, Kind k);
    void wait(Kind k);
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
};

} // namespace rer
