#include "app/StartUp.h"
#include "link/CtError.h"
#include "link/HomeMove.h"
#include "link/IoState.h"
#include "testsupport/LinkFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {
struct HomeMoveTest : ::testing::Test {
    LinkWorld w;
    void SetUp() override { Get_ErrorList(w.ctx); }
};
} // namespace

TEST_F(HomeMoveTest, HomeReturnLightsTheLampsFromTheOutputs) {
    struct Case {
        QByteArray outputs;
        bool out1, out2;
    } cases[] = {{"000000", false, false}, {"000001", true, false}, {"000002", false, true}, {"000003", true, true}};
    for (const Case& c : cases) {
        LinkWorld x;
        x.sim().state.outputs = c.outputs;
        EXPECT_EQ(HomeReturnMove(*x.link), 0);
        EXPECT_TRUE(x.ctx.opt.HomeDone);
        EXPECT_TRUE(x.display.home);
        EXPECT_EQ(x.display.out1, c.out1) << c.outputs.constData();
        EXPECT_EQ(x.display.out2, c.out2) << c.outputs.constData();
        EXPECT_EQ(x.display.kanryo, QStringLiteral("H0"));
        ASSERT_EQ(x.sim().received.size(), 2u);
        EXPECT_EQ(x.sim().received[0], QByteArray("0MP000"));
        EXPECT_EQ(x.sim().received[1], QByteArray("0RO"));
        EXPECT_EQ(x.l().TusinTimeout, 5000);
    }
}

TEST_F(HomeMoveTest, OtherOutputDigitLeavesTheLamps) {
    w.display.out1 = true;
    w.sim().state.outputs = "000008";
    EXPECT_EQ(HomeReturnMove(*w.link), 0);
    EXPECT_TRUE(w.display.out1);
    EXPECT_FALSE(w.display.out2);
}

TEST_F(HomeMoveTest, FailedHomeReturnClosesThePort) {
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B"));
    EXPECT_EQ(HomeReturnMoveNoTimeout(*w.link), 1);
    EXPECT_EQ(w.l().TusinTimeout, 0);
    EXPECT_FALSE(w.port->isOpen());
    EXPECT_FALSE(w.ctx.opt.HomeDone);
    EXPECT_EQ(w.sim().received.size(), 1u);
}

TEST_F(HomeMoveTest, ReadHomeState) {
    w.sim().state.homeDone = true;
    EXPECT_EQ(ReadHomeState(*w.link), 1);
    EXPECT_TRUE(w.ctx.opt.HomeDone);
    EXPECT_TRUE(w.display.home);
    w.sim().state.homeDone = false;
    EXPECT_EQ(ReadHomeState(*w.link), 0);
    EXPECT_FALSE(w.ctx.opt.HomeDone);
    EXPECT_FALSE(w.display.home);
    // A character other than 0 or 1 leaves the lamp.
    w.display.home = true;
    w.sim().addCommand("0RH", [](sim::CtSim&, const QByteArray&) { return QByteArray("0RH7"); });
    EXPECT_EQ(ReadHomeState(*w.link), 0);
    EXPECT_TRUE(w.display.home);
}

TEST_F(HomeMoveTest, ReadHomeStateTimeout) {
    w.sim().silent = true;
    w.ctx.opt.HomeDone = true;
    w.l().TusinTimeout = 100;
    // ReadHomeState sets its own 5000 ms: cut it short by pulling the cable.
    w.sim().silent = false;
    w.sim().faults.push_back(SimFault(SimFault::Vanish));
    EXPECT_EQ(ReadHomeState(*w.link), -1);
    EXPECT_FALSE(w.ctx.opt.HomeDone);
    EXPECT_EQ(w.msg.shown.size(), 1u);
}

TEST_F(HomeMoveTest, MovePosiNoSendsThreeHexDigits) {
    w.sim().state.homeDone = true;
    EXPECT_EQ(MovePosiNo(*w.link, 399), 0);
    EXPECT_EQ(MovePosiNo(*w.link, 0), 0);
    EXPECT_EQ(w.sim().received[0], QByteArray("0MP18F"));
    EXPECT_EQ(w.sim().received[1], QByteArray("0MP000"));
    EXPECT_TRUE(w.port->isOpen()) << "the caller closes the port";
    for (int bad : {-1, 400, 4096}) {
        w.msg.clear();
        EXPECT_EQ(MovePosiNo(*w.link, bad), 1);
        EXPECT_EQ(w.msg.shown.size(), 1u);
    }
    EXPECT_EQ(w.sim().received.size(), 2u);
}

TEST_F(HomeMoveTest, ReadIoStateDecodesBothWords) {
    w.sim().state.inputs = "F00000";
    w.sim().state.outputs = "000003";
    ReadIoState(*w.link);
    EXPECT_FALSE(w.l().TusinError);
    for (int d = 0; d < 6; ++d)
        for (int b = 0; b < 4; ++b) {
            EXPECT_EQ(w.l().IoInput[d][b], d == 0) << d << "," << b;
            EXPECT_EQ(w.l().IoOutput[d][b], d == 5 && b >= 2) << d << "," << b;
        }
    EXPECT_EQ(w.l().CtLine[0], QStringLiteral("0RIF00000\r\n"));
}

TEST_F(HomeMoveTest, FailedIoReadKeepsTheTables) {
    w.l().IoYomikomiTyu = true;
    w.l().IoInput[2][3] = true;
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "001", "0RO"));
    ReadIoState(*w.link);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_TRUE(w.l().IoInput[2][3]);
    EXPECT_TRUE(w.l().IoYomikomiTyu);
    EXPECT_FALSE(w.port->isOpen());
}

TEST_F(HomeMoveTest, WriteOutputStateFlipsRequestedBits) {
    w.l().IoOutputReq[5][3] = true;
    w.l().OutputHenkoAri = true;
    WriteOutputState(*w.link);
    EXPECT_EQ(w.sim().received.back(), QByteArray("0WO000001"));
    EXPECT_EQ(w.sim().state.outputs, QByteArray("000001"));
    EXPECT_FALSE(w.l().IoOutputReq[5][3]);
    EXPECT_FALSE(w.l().OutputHenkoAri);
    EXPECT_FALSE(w.port->isOpen());

    // All four bits of a digit: "F"; the line is always nine characters.
    for (int b = 0; b < 4; ++b) w.l().IoOutputReq[1][b] = true;
    WriteOutputState(*w.link);
    EXPECT_EQ(w.sim().received.back(), QByteArray("0WO0F0001"));
}

TEST_F(HomeMoveTest, WriteOutputStateFailures) {
    w.l().OutputHenkoAri = true;
    w.l().IoOutputReq[0][1] = true;
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "002"));
    WriteOutputState(*w.link);
    EXPECT_TRUE(w.l().OutputHenkoAri);
    EXPECT_TRUE(w.l().IoOutput[0][1]) << "the flip stays";

    // An echo that differs after the three command characters.
    w.msg.clear();
    w.sim().addCommand("0WO", [](sim::CtSim&, const QByteArray&) { return QByteArray("0WO123456"); });
    WriteOutputState(*w.link);
    EXPECT_TRUE(w.l().TusinError);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Communication error occurs!\r\nReceiving data is wrong!"));
    EXPECT_FALSE(w.l().OutputHenkoAri);
}

// A move time-out of 0 or below written into the settings by hand is the
// default: the moves still wait for the controller's answer instead of
// failing at the first tick of the move clock.
TEST(MoveTimeoutSetting, ZeroOrBelowStillLetsMovesRun) {
    for (const char* stored : {"0", "-5"}) {
        LinkWorld w;
        Get_ErrorList(w.ctx);
        w.set(QStringLiteral("MoveTimeout"), QString::fromLatin1(stored));
        SelectWindowLoaded(w.ctx); // where the program reads it
        EXPECT_EQ(w.ctx.opt.MoveTimeout, 60.0f) << stored;
        // Answers that come after the move clock's first tick.
        w.sim().faults.push_back(SimFault(SimFault::Delay, 300, "00B", "0MP000"));
        w.sim().faults.push_back(SimFault(SimFault::Delay, 300, "00B", "0MP002"));
        EXPECT_EQ(HomeReturnMove(*w.link), 0) << stored;
        EXPECT_EQ(MovePosiNo(*w.link, 2), 0) << stored;
        EXPECT_TRUE(w.msg.shown.empty()) << stored << ": " << w.msg.lastText().toStdString();
        EXPECT_EQ(w.sim().received, (std::vector<QByteArray>{"0MP000", "0RO", "0MP002"}));
    }
}
