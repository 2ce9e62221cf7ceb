// The motion-test runs against the simulated controller: home return,
// programmed rows, start-to-end, group move, pause, stop and dwell.
#include "link/CtError.h"
#include "motion/MoveRuns.h"
#include "testsupport/LinkFixture.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {

struct RunView : MoveRunView {
    DisplayRecorder& d;
    explicit RunView(DisplayRecorder& r) : d(r) {}
    bool controls = true, locked = false, grid = true, tabControl = true;
    bool tabs[3] = {true, true, true};
    std::vector<QString> reached;
    void setOutLamp(int out, bool on) override { d.setOutLamp(out, on); }
    void setKanryoNo(const QString& t) override {
        d.setKanryoNo(t);
        reached.push_back(t);
    }
    void setRunControlsEnabled(bool on) override { controls = on; }
    void setTabControlEnabled(bool on) override { tabControl = on; }
    void setTabEnabled(int t, bool on) override { tabs[t] = on; }
    void setProgramGridEnabled(bool on) override { grid = on; }
    void setMainRunLock(bool l) override { locked = l; }
    void focusDummy() override {}
};

struct MoveRunsTest : ::testing::Test {
    LinkWorld w;
    RunView view{w.display};
    MoveRuns runs{w.ctx, view};
    void SetUp() override {
        Get_ErrorList(w.ctx);
        w.ctx.link.ct = w.link.get();
        w.sim().state.homeDone = true;
    }
    std::vector<QByteArray>& sent() { return w.sim().received; }
    std::vector<QByteArray> moves() {
        std::vector<QByteArray> m;
        for (const auto& r : sent())
            if (r.startsWith("0MP") || r.startsWith("0MM") || r.startsWith("0MG")) m.push_back(r);
        return m;
    }
    void program(std::initializer_list<int> cells) {
        int c = 1;
        for (int v : cells) runs.s.program[size_t(c++)] = QString::number(v);
    }
};

} // namespace

TEST_F(MoveRunsTest, HomeReturnRunAndTheHomeSensorMessage) {
    w.sim().state.outputs = "000003";
    runs.cmdHome_Click();
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0CM1", "0MP000", "0RO"}));
    EXPECT_EQ(w.display.kanryo, QStringLiteral("H0"));
    EXPECT_TRUE(w.display.out1 && w.display.out2 && w.display.home);
    EXPECT_TRUE(view.controls && !view.locked && view.tabs[1] && view.grid);
    EXPECT_FALSE(w.port->isOpen());

    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "134", "0MP"));
    runs.cmdHome_Click();
    ASSERT_GE(w.msg.shown.size(), 1u);
    EXPECT_TRUE(w.msg.shown.back().text.startsWith(QStringLiteral("Home sensor could not be detected at homing.\r\n")));
    EXPECT_EQ(w.msg.shown.back().icon, MsgIcon::Exclamation);
    EXPECT_FALSE(w.port->isOpen());
}

TEST_F(MoveRunsTest, ProgrammedRunStopsAtTheEmptyCellOrWraps) {
    program({3, 26, 5});
    runs.cmdMove_Click();
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MP003", "0MP01A", "0MP005"}));
    EXPECT_EQ(view.reached.back(), QStringLiteral("5"));
    EXPECT_EQ(runs.CurCellNo, 1);
    EXPECT_TRUE(w.msg.shown.empty());

    // Repeat goes on with cell 1; the third pass is paused from a timer.
    sent().clear();
    runs.s.repeat = true;
    runs.s.noSqMcr1 = true;
    int count = 0;
    w.sim().addCommand("0RO", [&](sim::CtSim& s, const QByteArray&) {
        if (++count == 5) runs.cmdTmpStop_Click();
        return "0RO" + s.state.outputs;
    });
    runs.cmdMove_Click();
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MM003", "0MM01A", "0MM005", "0MM003", "0MM01A"}));
    EXPECT_TRUE(runs.Tmp_Stop);
    // Move resumes at the next cell.
    sent().clear();
    runs.s.repeat = false;
    runs.cmdMove_Click();
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MM005"}));
}

TEST_F(MoveRunsTest, StepModeOneCellPerClick) {
    program({7, 8});
    runs.s.selectStep = true;
    w.ctx.motion.MoveFirstTime = true;
    runs.CurCellNo = 9; // left over: the first step still uses cell 1
    for (int i = 0; i < 3; ++i) runs.cmdMove_Click();
    // Third click meets the empty cell: no move, next click starts at 1.
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MP007", "0MP008"}));
    EXPECT_EQ(runs.CurCellNo, 1);
    runs.cmdMove_Click();
    EXPECT_EQ(moves().back(), QByteArray("0MP007"));
}

TEST_F(MoveRunsTest, EmptyRowAndBadPosition) {
    runs.cmdMove_Click();
    EXPECT_TRUE(moves().empty());
    EXPECT_TRUE(w.msg.shown.empty());
    runs.s.repeat = true;
    runs.cmdMove_Click();
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.shown[0].text, QStringLiteral("Input position No. by decimal(Using 1 to 399)"));
    program({400});
    runs.cmdMove_Click();
    EXPECT_EQ(w.msg.shown.size(), 2u);
    EXPECT_TRUE(moves().empty());
}

TEST_F(MoveRunsTest, NotHomedRunsHomeFirst) {
    w.sim().state.homeDone = false;
    runs.s.startPosiNo = runs.s.endPosiNo = 4;
    runs.cmdSelectMove_Click();
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RH", "0MP000", "0RO", "0MP004", "0RO"}));
    EXPECT_EQ(w.display.kanryo, QStringLiteral("4"));
}

TEST_F(MoveRunsTest, StartToEndRepeatUntilStopAndSingleMove) {
    runs.s.startPosiNo = 3;
    runs.s.endPosiNo = 5;
    runs.s.repeat2 = true;
    int count = 0;
    w.sim().addCommand("0RO", [&](sim::CtSim& s, const QByteArray&) {
        if (++count == 7) runs.cmdStop2_Click();
        return "0RO" + s.state.outputs;
    });
    runs.cmdSelectMove_Click();
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MP003", "0MP004", "0MP005", "0MP003", "0MP004", "0MP005",
                                                "0MP003"}));
    EXPECT_FALSE(runs.Move_Stop2);
    sent().clear();
    runs.s.singleMove = true;
    runs.s.timerUse2 = true;
    runs.s.timer2 = QStringLiteral("50");
    runs.cmdSelectMove_Click();
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MP003"}));
}

TEST_F(MoveRunsTest, DwellPauseEndsItAtOnce) {
    EXPECT_EQ(MoveRuns::DwellMs(QStringLiteral("15")), 1500);
    EXPECT_EQ(MoveRuns::DwellMs(QStringLiteral("0")), 0);
    EXPECT_EQ(MoveRuns::DwellMs(QString()), 0);
    EXPECT_EQ(MoveRuns::DwellMs(QStringLiteral("-5")), 0);
    EXPECT_EQ(MoveRuns::DwellMs(QStringLiteral("999")), 99900);
    // The leading number: letters wait for nothing, a number too large for
    // a double waits the longest, as any number beyond 999.
    EXPECT_EQ(MoveRuns::DwellMs(QStringLiteral("inf")), 0);
    EXPECT_EQ(MoveRuns::DwellMs(QStringLiteral("nan")), 0);
    EXPECT_EQ(MoveRuns::DwellMs(QStringLiteral("1e999")), 99900);
    runs.s.startPosiNo = 1;
    runs.s.endPosiNo = 3;
    runs.s.timerUse2 = true;
    runs.s.timer2 = QStringLiteral("600"); // a minute per stop
    QTimer::singleShot(100, [&] { runs.cmdTempStop2_Click(); });
    runs.cmdSelectMove_Click();
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MP001"}));
    EXPECT_TRUE(runs.Tmp_Stop2);
    runs.s.timerUse2 = false;
    sent().clear();
    runs.cmdSelectMove_Click(); // resumes at 2
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MP002", "0MP003"}));
}

TEST_F(MoveRunsTest, GroupMoveWaitsUntilForcedEnding) {
    runs.s.grpNo = 26;
    w.sim().state.groups[26] = {4, 9};
    runs.cmdGrpMove_Click();
    EXPECT_EQ(moves(), (std::vector<QByteArray>{"0MG1A"}));
    EXPECT_EQ(w.sim().state.currentPosition, 9);
    EXPECT_TRUE(w.msg.shown.empty());
    // No answer: waits without limit until Forced ending.
    w.sim().addCommand("0MG", [](sim::CtSim&, const QByteArray&) { return QByteArray(); });
    w.ctx.opt.MoveTimeout = 1;
    QTimer::singleShot(300, [&] { runs.cmdGrpMoveStop_Click(); });
    runs.cmdGrpMove_Click();
    EXPECT_FALSE(w.l().TusinStop);
    EXPECT_TRUE(view.controls);
    // The port closes at its end; the group's answer stays owed.
    EXPECT_FALSE(w.port->isOpen());
    EXPECT_EQ(w.link->owedRequests(), QStringList{QStringLiteral("0MG1A")});
    // Forced ending outside a run leaves no stop behind.
    runs.cmdGrpMoveStop_Click();
    EXPECT_FALSE(w.l().TusinStop);
    runs.s.grpNo = 0;
    runs.cmdGrpMove_Click();
    EXPECT_EQ(w.msg.shown.back().text, QStringLiteral("Select Group No. (1 to 99)"));
}
