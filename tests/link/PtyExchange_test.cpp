// Exchanges through the real serial port against the simulated controller
// on a pseudo-terminal.
#include "link/CtError.h"
#include "link/HomeMove.h"
#include "link/IoState.h"
#include "mainwin/ControllerCommands.h"
#include "sim/PtySim.h"
#include "testsupport/LinkFixture.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;
using rer::sim::SimFault;

namespace {

struct PtyTest : ::testing::Test {
    sim::PtySim pty;
    std::unique_ptr<LinkWorld> w;

    void SetUp() override {
        ASSERT_TRUE(pty.start());
        qputenv("RER6O250_COM1", pty.devicePath().toLocal8Bit());
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

TEST(SerialDeviceName, EnvironmentOrTtyS) {
    qunsetenv("RER6O250_COM3");
    EXPECT_EQ(SerialDeviceName(3), QStringLiteral("/dev/ttyS2"));
    qputenv("RER6O250_COM3", "/dev/pts/77");
    EXPECT_EQ(SerialDeviceName(3), QStringLiteral("/dev/pts/77"));
    qunsetenv("RER6O250_COM3");
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
    // The device is gone: the next job says so once. (When tests run side by
    // side another test's pseudo-terminal may take over the name; the job
    // then times out instead, again with one message.)
    EXPECT_EQ(w->link->CtCommModeOn(), 1);
    EXPECT_EQ(w->msg.shown.size(), 2u);
    EXPECT_TRUE(w->msg.lastText() == QStringLiteral("Failed port open.") ||
                w->msg.lastText().startsWith(QStringLiteral("Communication timeout error!")))
        << w->msg.lastText().toStdString();
}
