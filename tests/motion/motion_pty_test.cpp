// A motion-test run, a jog and an I/O monitor tick through the real serial
// port against the simulated controller on a pseudo-terminal.
#include "link/CtError.h"
#include "motion/IoMonitor.h"
#include "motion/MoveRuns.h"
#include "motion/Teaching.h"
#include "sim/PtySim.h"
#include "testsupport/LinkFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;

namespace {

struct NullRunView : MoveRunView {
    std::vector<QString> reached;
    void setOutLamp(int, bool) override {}
    void setKanryoNo(const QString& t) override { reached.push_back(t); }
    void setRunControlsEnabled(bool) override {}
    void setTabControlEnabled(bool) override {}
    void setTabEnabled(int, bool) override {}
    void setProgramGridEnabled(bool) override {}
    void setMainRunLock(bool) override {}
    void focusDummy() override {}
};

struct NullTeachView : TeachView {
    QString posi[2];
    JogMode m = JogMode::Jog;
    void setJogControlsEnabled(bool) override {}
    void setStartEnabled(bool) override {}
    void setPosiText(int a, const QString& t) override { posi[a] = t; }
    QString posiText(int a) const override { return posi[a]; }
    void setPosiNoText(const QString&) override {}
    QString posiNoText() const override { return QStringLiteral("1"); }
    JogMode mode() const override { return m; }
    bool axisTicked(int) const override { return true; }
    void focusDummy() override {}
};

struct NullIoView : IoMonitorView {
    int shown = 0;
    void setTimerEnabled(bool) override {}
    void setMonitorCaption(const QString&) override {}
    void setCloseEnabled(bool) override {}
    void IoStateHyoji() override { ++shown; }
};

struct MotionPtyTest : ::testing::Test {
    sim::PtySim pty;
    std::unique_ptr<LinkWorld> w;
    void SetUp() override {
        pty.usePrivateLink();
        ASSERT_TRUE(pty.start());
        qputenv("RER6O250_COM1", pty.openPath().toLocal8Bit());
        w = std::make_unique<LinkWorld>(std::make_unique<QtSerialPort>());
        Get_ErrorList(w->ctx);
        w->ctx.opt.PortNo = 1;
        w->ctx.link.ct = w->link.get();
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

TEST_F(MotionPtyTest, StartToEndRunJogAndIoTick) {
    NullRunView rv;
    MoveRuns runs(w->ctx, rv);
    runs.s.startPosiNo = 2;
    runs.s.endPosiNo = 3;
    runs.cmdSelectMove_Click();
    EXPECT_EQ(received(), (std::vector<QByteArray>{"0RH", "0MP000", "0RO", "0MP002", "0RO", "0MP003", "0RO"}));
    EXPECT_EQ(rv.reached, (std::vector<QString>{QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_TRUE(w->msg.shown.empty());

    NullTeachView tv;
    JogTeach t(w->ctx, Product::TwoAxis, tv);
    t.Form_Load();
    t.cmdJOGST_Click();
    t.cmdJOG_MouseDown(0, true);
    t.cmdJOG_MouseUp(0, true);
    EXPECT_EQ(t.DispPOS[0], 100);
    // Held: the read-out follows the axis until the release.
    t.cmdJOG_MouseDown(0, true);
    t.JogReadOut_Timer();
    EXPECT_EQ(t.DispPOS[0], 200);
    t.cmdJOG_MouseUp(0, true);
    EXPECT_EQ(t.DispPOS[0], 300);
    EXPECT_EQ(pty.withSim([](CtSim& s) { return s.state.jogging[0]; }), 0);

    NullIoView iv;
    IoMonitor mon(w->ctx, iv);
    mon.Form_Load();
    mon.cmdIoMonitor_Click();
    mon.Timer();
    EXPECT_EQ(iv.shown, 1);
    EXPECT_TRUE(w->msg.shown.empty());
}
