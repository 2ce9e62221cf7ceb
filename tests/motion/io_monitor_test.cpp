// The I/O monitor's tick, its output requests and its stop against the
// simulated controller.
#include "motion/IoMonitor.h"
#include "testsupport/LinkFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {

struct ViewRecorder : IoMonitorView {
    bool timer = false;
    QString caption;
    bool closeEnabled = true;
    int shown = 0;
    void setTimerEnabled(bool on) override { timer = on; }
    void setMonitorCaption(const QString& t) override { caption = t; }
    void setCloseEnabled(bool on) override { closeEnabled = on; }
    void IoStateHyoji() override { ++shown; }
};

struct IoMonitorTest : ::testing::Test {
    LinkWorld w;
    ViewRecorder view;
    IoMonitor mon{w.ctx, view};
    void SetUp() override {
        w.ctx.link.ct = w.link.get();
        mon.Form_Load();
    }
    std::vector<QByteArray> sent() const { return const_cast<LinkWorld&>(w).sim().received; }
    // Index in kOutputLamps of a lamp name.
    static int out(const char* name) {
        for (int k = 0; k < 19; ++k)
            if (qstrcmp(kOutputLamps[k].name, name) == 0) return k;
        return -1;
    }
};

} // namespace

TEST_F(IoMonitorTest, StartStopAndTheTickThatFinishesTheStop) {
    EXPECT_EQ(view.caption, QStringLiteral("Start Monitor"));
    mon.cmdIoMonitor_Click();
    EXPECT_TRUE(w.ctx.motion.IoCheckTyu);
    EXPECT_TRUE(view.timer);
    EXPECT_FALSE(view.closeEnabled);
    EXPECT_EQ(view.caption, QStringLiteral("Stop Monitor"));

    w.sim().state.inputs = "003000";
    w.sim().state.outputs = "F00000";
    mon.Timer();
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RI", "0RO"}));
    EXPECT_EQ(view.shown, 1);
    // Input digit 2 = 3: IP200 and IP100; output digit 0 = F: ALM, RDY, IN-P.
    EXPECT_TRUE(w.l().IoInput[2][2] && w.l().IoInput[2][3]);
    EXPECT_TRUE(w.l().IoOutput[0][1] && w.l().IoOutput[0][2] && w.l().IoOutput[0][3]);
    EXPECT_TRUE(w.port->isOpen());

    mon.cmdIoMonitor_Click(); // stop requested
    EXPECT_TRUE(w.ctx.motion.IoCheckTeisi);
    EXPECT_TRUE(view.timer);
    EXPECT_TRUE(view.closeEnabled);
    EXPECT_EQ(view.caption, QStringLiteral("Start Monitor"));
    mon.cmdIoMonitor_Click(); // pressed again while stopping: nothing changes
    EXPECT_TRUE(w.ctx.motion.IoCheckTyu);
    EXPECT_TRUE(w.ctx.motion.IoCheckTeisi);

    mon.Timer(); // still reads once, then stops
    EXPECT_EQ(sent().size(), 4u);
    EXPECT_FALSE(view.timer);
    EXPECT_FALSE(w.ctx.motion.IoCheckTyu);
    EXPECT_FALSE(w.ctx.motion.IoCheckTeisi);
    EXPECT_FALSE(w.port->isOpen());
}

TEST_F(IoMonitorTest, OutputRequestIsWrittenBeforeTheRead) {
    mon.cmdIoMonitor_Click();
    mon.Timer();
    w.sim().received.clear();
    mon.OutputLampDblClick(out("imgOutputOut1"));
    mon.WhiteIconDblClick(26); // EXP-OUT1's unlit icon while running
    EXPECT_TRUE(w.l().OutputHenkoAri);
    mon.Timer();
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0WO010001", "0RI", "0RO"}));
    EXPECT_FALSE(w.l().OutputHenkoAri);
    EXPECT_EQ(w.sim().state.outputs, QByteArray("010001"));
    EXPECT_TRUE(w.l().IoOutput[5][3]);
    EXPECT_EQ(view.shown, 2);
}

TEST_F(IoMonitorTest, DoubleClickRules) {
    // Stopped: an unlit icon does nothing, a lit lamp marks the output.
    mon.WhiteIconDblClick(28);
    EXPECT_FALSE(w.l().OutputHenkoAri);
    mon.OutputLampDblClick(out("imgOutputAlm"));
    EXPECT_TRUE(w.l().OutputHenkoAri);
    EXPECT_TRUE(w.l().IoOutputReq[0][1]);
    // Input icons never do anything; nor does anything while a stop is pending.
    w.l().OutputHenkoAri = false;
    w.l().IoOutputReq = {};
    mon.cmdIoMonitor_Click();
    for (int i = 0; i < 20; ++i) mon.WhiteIconDblClick(i);
    EXPECT_FALSE(w.l().OutputHenkoAri);
    mon.cmdIoMonitor_Click();
    mon.WhiteIconDblClick(28);
    mon.OutputLampDblClick(out("imgOutputOut1"));
    EXPECT_FALSE(w.l().OutputHenkoAri);
    EXPECT_EQ(w.l().IoOutputReq, LinkState::IoLampTable{});
    // The change marked while stopped goes out with the first tick after start.
    mon.Timer();
    mon.OutputLampDblClick(out("imgOutputOut2"));
    mon.cmdIoMonitor_Click();
    w.sim().received.clear();
    mon.Timer();
    EXPECT_EQ(sent().front(), QByteArray("0WO000002"));
}

TEST_F(IoMonitorTest, FailedReadStopsTheMonitorAndItCanStartAgain) {
    mon.cmdIoMonitor_Click();
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "003", "0RO"));
    mon.Timer();
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_FALSE(view.timer);
    EXPECT_FALSE(w.ctx.motion.IoCheckTyu);
    EXPECT_TRUE(view.closeEnabled);
    EXPECT_EQ(view.caption, QStringLiteral("Start Monitor"));
    EXPECT_EQ(view.shown, 0);
    EXPECT_EQ(w.msg.shown.size(), 1u);
    mon.cmdIoMonitor_Click();
    EXPECT_TRUE(w.ctx.motion.IoCheckTyu);
    mon.Timer();
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_EQ(view.shown, 1);
}

TEST_F(IoMonitorTest, UnansweredOutputWriteIsSentAgainNextTick) {
    mon.cmdIoMonitor_Click();
    mon.OutputLampDblClick(out("imgOutputP1"));
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "003", "0WO"));
    mon.Timer();
    EXPECT_TRUE(w.l().OutputHenkoAri);
    w.sim().received.clear();
    mon.Timer();
    EXPECT_EQ(sent().front(), QByteArray("0WO000010"));
    EXPECT_FALSE(w.l().OutputHenkoAri);
}

TEST_F(IoMonitorTest, CloseWhileRunningRequestsTheStopAndStopsTheTimer) {
    mon.cmdIoMonitor_Click();
    mon.Form_QueryUnload();
    EXPECT_TRUE(w.ctx.motion.IoCheckTeisi);
    EXPECT_FALSE(view.timer);
    // The next load starts clean; the output request survives.
    w.l().OutputHenkoAri = true;
    mon.Form_Load();
    EXPECT_FALSE(w.ctx.motion.IoCheckTyu);
    EXPECT_FALSE(w.ctx.motion.IoCheckTeisi);
    EXPECT_TRUE(w.l().OutputHenkoAri);
}
