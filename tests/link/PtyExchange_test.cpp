// Exchanges through the real serial port against the simulated controller
// on a pseudo-terminal.
#include "link/CtError.h"
#include "link/HomeMove.h"
#include "link/IoState.h"
#include "link/PortDevice.h"
#include "mainwin/ControllerCommands.h"
#include "sim/PtySim.h"
#include "testsupport/LinkFixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <thread>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;
using rer::sim::SimFault;

namespace {

struct PtyTest : ::testing::Test {
    sim::PtySim pty;
    std::unique_ptr<LinkWorld> w;
    QString link;

    void SetUp() override {
        pty.usePrivateLink();
        ASSERT_TRUE(pty.start()) << pty.error().toStdString();
        link = pty.openPath();
        qputenv("RER6O250_COM1", link.toLocal8Bit());
        w = std::make_unique<LinkWorld>(std::make_unique<QtSerialPort>());
        Get_ErrorList(w->ctx);
        w->ctx.opt.PortNo = 1;
    }
    void TearDown() override {
        w.reset();
        qunsetenv("RER6O250_COM1");
    }
    std::vector<QByteArray> received() {
        return pty.withSim([](CtSim& s) { return s.received; });
    }
};

} // namespace

TEST(PortOpen, AFailedOpenNamesTheDeviceAndTheSystemsReason) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("ttyNone"));
    qputenv("RER6O250_COM2", missing.toLocal8Bit());
    for (int16_t language : {int16_t(2), int16_t(1)}) {
        LinkWorld w(std::make_unique<QtSerialPort>(), language);
        w.ctx.opt.PortNo = 2;
        EXPECT_EQ(w.link->PortCheckOpen(), 1);
        ASSERT_EQ(w.msg.shown.size(), 1u);
        const QStringList lines = w.msg.lastText().split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 2) << w.msg.lastText().toStdString();
        EXPECT_EQ(lines[0], language == 1 ? QStringLiteral("ポートのオープンに失敗しました。") : QStringLiteral("Failed port open."));
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("COM2 (") + missing + QStringLiteral("): "))) << lines[1].toStdString();
        EXPECT_GT(lines[1].size(), QStringLiteral("COM2 (%1): ").arg(missing).size()); // the system's reason
        EXPECT_FALSE(w.port->isOpen());
    }
    qunsetenv("RER6O250_COM2");
}

// A device this user may not write: the reason and the hint to join
// "dialout". Run as another user in a child process when the tests run as
// root (who may write anything).
TEST(PortOpen, ADeviceTheUserMayNotWriteGetsTheDialoutHint) {
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther);
    const QString device = dir.filePath(QStringLiteral("ttyLocked"));
    {
        QFile f(device);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QFile::setPermissions(device, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(fds[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        qputenv("RER6O250_COM4", device.toLocal8Bit());
        QtSerialPort p;
        const bool opened = p.open(4);
        const PortOpenFailure f = p.openFailure();
        const QByteArray out = (opened ? QByteArray("opened") : QByteArray("failed")) + '\n' +
                               (f.notWritable ? "locked" : "free") + '\n' + f.device.toLocal8Bit() + '\n' +
                               f.reason.toUtf8();
        [[maybe_unused]] const ssize_t n = write(fds[1], out.constData(), size_t(out.size()));
        _exit(0);
    }
    close(fds[1]);
    QByteArray got;
    char buf[512];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) got.append(buf, n);
    close(fds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const QList<QByteArray> parts = got.split('\n');
    ASSERT_EQ(parts.size(), 4) << got.toStdString();
    EXPECT_EQ(parts[0], "failed");
    EXPECT_EQ(parts[1], "locked");
    EXPECT_EQ(QString::fromLocal8Bit(parts[2]), device);
    EXPECT_FALSE(parts[3].isEmpty());

    // The message of such a failure, in both languages.
    PortOpenFailure f;
    f.portNo = 4;
    f.device = device;
    f.reason = QString::fromUtf8(parts[3]);
    f.notWritable = true;
    LinkWorld w;
    EXPECT_EQ(PortOpenFailureText(w.ctx, f),
              QStringLiteral("COM4 (%1): %2\r\nThis user may not use the device: add the user to the \"dialout\" "
                             "group, then log in again.")
                  .arg(device, f.reason));
    w.ctx.setLanguage(1);
    EXPECT_TRUE(PortOpenFailureText(w.ctx, f).contains(QStringLiteral("\"dialout\" グループ")));
}

// A port number beyond COM9 that reaches the port fails as the others do,
// with the line that says there is no such port and how many the system
// reports. (A hand-edited one in the settings is taken as COM1, the default.)
TEST(PortOpen, ANumberBeyondNineSaysThereIsNoSuchPort) {
    const int reported = int(SystemSerialPorts().size());
    for (int16_t language : {int16_t(2), int16_t(1)}) {
        LinkWorld w(std::make_unique<QtSerialPort>(), language);
        EXPECT_FALSE(w.port->open(12));
        const QString line = PortOpenFailureText(w.ctx, w.port->openFailure());
        EXPECT_EQ(line, language == 1
                            ? QStringLiteral("COM12：この番号のポートはありません。ポート番号は1から9までです（シリアルポートは%1個です）。")
                                  .arg(reported)
                            : QStringLiteral("COM12: no such port; the port numbers are 1 to 9 (the system reports %1).")
                                  .arg(reported));
        EXPECT_FALSE(w.port->isOpen());
    }
}

TEST(PortOpen, ANumberWithoutAPortSaysHowManyThereAre) {
    LinkWorld w;
    PortOpenFailure f;
    f.portNo = 3;
    f.portsReported = 1;
    EXPECT_EQ(PortOpenFailureText(w.ctx, f),
              QStringLiteral("COM3: the system reports no serial port of this number (it reports 1)."));
    f.portsReported = 0;
    EXPECT_EQ(PortOpenFailureText(w.ctx, f), QStringLiteral("COM3: the system reports no serial port."));
    w.ctx.setLanguage(1);
    EXPECT_EQ(PortOpenFailureText(w.ctx, f), QStringLiteral("COM3：シリアルポートが見つかりません。"));
    // Nothing known (a port of the tests): no second line.
    EXPECT_EQ(PortOpenFailureText(w.ctx, PortOpenFailure{}), QString());
}

TEST(PortOpen, TheOptionsShowTheDeviceOfEachNumber) {
    LinkWorld w;
    const std::vector<SerialPortDescription> ports = {
        {QStringLiteral("ttyUSB0"), QStringLiteral("/dev/ttyUSB0"), QStringLiteral("FT232R USB UART"), QString(), true},
        {QStringLiteral("ttyS0"), QStringLiteral("/dev/ttyS0"), QString(), QString(), false}};
    qunsetenv("RER6O250_COM1");
    qunsetenv("RER6O250_COM2");
    qputenv("RER6O250_COM9", "/tmp/ctsim");
    EXPECT_EQ(PortDeviceCaption(w.ctx, 1, ports), QStringLiteral("/dev/ttyUSB0  FT232R USB UART"));
    EXPECT_EQ(PortDeviceCaption(w.ctx, 2, ports), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(PortDeviceCaption(w.ctx, 3, ports), QStringLiteral("(no serial port)"));
    EXPECT_EQ(PortDeviceCaption(w.ctx, 9, ports), QStringLiteral("/tmp/ctsim  (RER6O250_COM9)"));
    w.ctx.setLanguage(1);
    EXPECT_EQ(PortDeviceCaption(w.ctx, 3, ports), QStringLiteral("（シリアルポートなし）"));
    qunsetenv("RER6O250_COM9");
}

TEST_F(PtyTest, CommandTransaction) {
    pty.withSim([](CtSim& s) { s.state.positions[26] = sim::PositionRecord(9, 3, 1, 0x1234, 1, 1, 0, 0xABCDE, 1, 2, 3); });
    w->l().TusinTimeout = 1000;
    ASSERT_EQ(w->link->SendCmdWaitReply(QStringLiteral("0RP"), 27, QStringLiteral("01A")), 0);
    EXPECT_EQ(w->l().RecvLine, QStringLiteral("0RP01A93101234110ABCDE123\r\n"));
    EXPECT_TRUE(w->msg.shown.empty());
    EXPECT_TRUE(w->port->isOpen());
    EXPECT_TRUE(w->display.portLamp);
    w->link->PortCloseIfFree();
    EXPECT_FALSE(w->port->isOpen());
    // The port opens again for the next job.
    EXPECT_EQ(w->link->CtCommModeOn(), 0);
}

TEST_F(PtyTest, HomeAndMove) {
    pty.withSim([](CtSim& s) { s.state.outputs = "000002"; });
    ASSERT_EQ(HomeReturnMove(*w->link), 0);
    EXPECT_TRUE(w->ctx.opt.HomeDone);
    EXPECT_FALSE(w->display.out1);
    EXPECT_TRUE(w->display.out2);
    EXPECT_EQ(w->display.kanryo, QStringLiteral("H0"));
    ASSERT_EQ(MovePosiNo(*w->link, 5), 0);
    EXPECT_EQ(pty.withSim([](CtSim& s) { return s.state.currentPosition; }), 5);
    EXPECT_EQ(ReadHomeState(*w->link), 1);
}

TEST_F(PtyTest, IoReadAndWrite) {
    pty.withSim([](CtSim& s) { s.state.inputs = "80000F"; });
    ReadIoState(*w->link);
    ASSERT_FALSE(w->l().TusinError);
    EXPECT_TRUE(w->l().IoInput[0][0]);
    EXPECT_TRUE(w->l().IoInput[5][3]);
    w->l().IoOutputReq[5][2] = true;
    WriteOutputState(*w->link);
    EXPECT_FALSE(w->l().TusinError);
    EXPECT_EQ(pty.withSim([](CtSim& s) { return s.state.outputs; }), QByteArray("000002"));
}

TEST_F(PtyTest, ResetInPieces) {
    w->display.alarm = true;
    pty.withSim([](CtSim& s) { s.faults.push_back(SimFault(SimFault::Split, 20)); });
    CtResetProc(*w->link);
    EXPECT_FALSE(w->display.alarm);
    EXPECT_EQ(w->display.comment, QStringLiteral("No Error"));
    EXPECT_EQ(received(), (std::vector<QByteArray>{"0AR", "0CM1"}));
    EXPECT_TRUE(w->msg.shown.empty());
}

TEST_F(PtyTest, ErrorReplyOverTheLine) {
    pty.withSim([](CtSim& s) { s.faults.push_back(SimFault(SimFault::Error, 0, "10B")); });
    w->l().TusinTimeout = 1000;
    EXPECT_EQ(w->link->SendCmdWaitReply(QStringLiteral("0RH"), 6, QString()), 1);
    EXPECT_EQ(w->display.alarmNo, QStringLiteral("2B"));
    EXPECT_EQ(w->msg.shown.size(), 1u);
}

TEST_F(PtyTest, SilentControllerTimesOutAfterOneSecond) {
    pty.withSim([](CtSim& s) { s.silent = true; });
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(w->link->CtCommModeOn(), 1);
    EXPECT_GE(t.elapsed(), 950);
    EXPECT_LT(t.elapsed(), 4000);
    ASSERT_EQ(w->msg.shown.size(), 1u);
    EXPECT_TRUE(w->msg.lastText().startsWith(QStringLiteral("Communication timeout error!")));
}

TEST_F(PtyTest, CablePulledDuringAnExchange) {
    w->ctx.opt.PortOccupy = true;
    pty.withSim([](CtSim& s) { s.faults.push_back(SimFault(SimFault::Vanish)); });
    w->l().TusinTimeout = 5000;
    QElapsedTimer t;
    t.start();
    EXPECT_EQ(w->link->SendCmdWaitReply(QStringLiteral("0RH"), 6, QString()), 1);
    EXPECT_LT(t.elapsed(), 4500);
    EXPECT_FALSE(w->port->isOpen());
    ASSERT_EQ(w->msg.shown.size(), 1u);
    EXPECT_TRUE(w->msg.lastText().startsWith(QStringLiteral("Communication timeout error!")));
    // The device is gone, and the path with it: the next job says so once.
    EXPECT_FALSE(QFileInfo::exists(link));
    EXPECT_EQ(w->link->CtCommModeOn(), 1);
    EXPECT_EQ(w->msg.shown.size(), 2u);
    EXPECT_TRUE(w->msg.lastText().startsWith(QStringLiteral("Failed port open.\r\nCOM1 (") + link))
        << w->msg.lastText().toStdString();
}

// The thread is busy past the time-out while the reply comes: when it is
// free, the time-out timer and the port's notification are both due, in
// either order. What the line holds is looked at first: the reply is the
// answer, for an exchange and for a move alike.
TEST_F(PtyTest, AReplyThatCameWhileTheThreadWasBusyIsNoTimeout) {
    w->ctx.opt.PortOccupy = true;
    w->ctx.opt.MoveTimeout = 5;
    pty.withSim([](CtSim& s) { s.state.homeDone = true; });
    for (int round = 0; round < 4; ++round) {
        const bool move = round % 2 == 1;
        pty.withSim([](CtSim& s) { s.faults.push_back(SimFault(SimFault::Delay, 30)); });
        w->l().TusinTimeout = 300;
        QTimer::singleShot(5, [this, move] {
            std::this_thread::sleep_for(std::chrono::milliseconds(600));
            if (move) w->sys.seconds += 100; // the move clock is past its limit too
        });
        const int r = move ? w->link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("004"))
                           : w->link->SendCmdWaitReply(QStringLiteral("0RH"), 6, QString());
        EXPECT_EQ(r, 0) << "round " << round << ": " << w->msg.lastText().toStdString();
        EXPECT_TRUE(w->msg.shown.empty()) << "round " << round;
        EXPECT_TRUE(w->port->isOpen()) << "round " << round;
        w->msg.clear();
    }
}

// "Forced ending" during a move, then another job at once: the move's
// answer comes while that job makes the line clean; it is dropped, the job
// gets its own answer, and nothing is sent beyond the job's own requests but
// the one home-state read of the clean-up.
TEST_F(PtyTest, AfterAStopTheNextJobGetsItsOwnAnswer) {
    w->ctx.opt.PortOccupy = true;
    pty.withSim([](CtSim& s) {
        s.state.homeDone = true;
        s.faults.push_back(SimFault(SimFault::Delay, 300));
    });
    w->l().TusinTimeout = 5000;
    QTimer::singleShot(50, [this] { w->link->Stop(); });
    EXPECT_EQ(w->link->SendMoveCmdWaitReply(QStringLiteral("0MP"), 27, QStringLiteral("005")), 1);
    EXPECT_TRUE(w->msg.shown.empty());
    EXPECT_EQ(ReadHomeState(*w->link), 1);
    EXPECT_EQ(w->link->CtCommModeOn(), 0);
    EXPECT_TRUE(w->msg.shown.empty()) << w->msg.lastText().toStdString();
    // The first "0RH" makes the line clean, the second is the home read's.
    EXPECT_EQ(received(), (std::vector<QByteArray>{"0MP005", "0RH", "0RH", "0CM1"}));
}
