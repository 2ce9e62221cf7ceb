// Jog, inching, the watchdog's stop and the teaching list with its adoption
// into the main grid, against the simulated controller.
#include "catalogue/CatalogueTables.h"
#include "mainwin/PositionEditor.h"
#include "motion/Teaching.h"
#include "testsupport/LinkFixture.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {

struct ViewRecorder : TeachView {
    bool jogControls = true, start = false;
    QString posi[2], posiNo;
    JogMode jogMode = JogMode::Jog;
    bool ticked[2] = {false, false};
    int focus = 0;
    void setJogControlsEnabled(bool on) override { jogControls = on; }
    void setStartEnabled(bool on) override { start = on; }
    void setPosiText(int a, const QString& t) override { posi[a] = t; }
    QString posiText(int a) const override { return posi[a]; }
    void setPosiNoText(const QString& t) override { posiNo = t; }
    QString posiNoText() const override { return posiNo; }
    JogMode mode() const override { return jogMode; }
    bool axisTicked(int a) const override { return ticked[a]; }
    void focusDummy() override { ++focus; }
};

void SetActuator(AxisActuator& a, const char* size, const char* speed) {
    a.Size = QString::fromLatin1(size);
    a.Speed = QString::fromLatin1(speed);
    a.Lead = 6;
    a.PPR = 1000;
}

// Maximum stroke (pulses) into parameter block b: characters 19..24 of the reply.
void SetStroke(sim::CtSim& s, char b, int pulses) {
    s.state.paramBlocks[b].replace(14, 6, QByteArray::number(pulses, 16).toUpper().rightJustified(6, '0'));
}

struct TeachTest : ::testing::TestWithParam<Product> {
    LinkWorld w;
    ViewRecorder view;
    std::unique_ptr<JogTeach> t;
    void SetUp() override {
        w.ctx.link.ct = w.link.get();
        w.ctx.opt.DispMmUnit = false;
        for (auto* axes : {&w.ctx.dev.two, &w.ctx.dev.one})
            for (auto& a : *axes) SetActuator(a, " 28", "A");
        SetStroke(w.sim(), '0', 5000);
        SetStroke(w.sim(), '4', 3000);
        make(GetParam());
    }
    void make(Product p) {
        t = std::make_unique<JogTeach>(w.ctx, p, view);
        t->Form_Load();
    }
    std::vector<QByteArray>& sent() { return w.sim().received; }
    void start() {
        w.sim().state.homeDone = true;
        t->cmdJOGST_Click();
        ASSERT_TRUE(view.jogControls);
        sent().clear();
    }
};

} // namespace

TEST(TeachRecords, PulseFeedRecordAndSteps) {
    AxisFeed a;
    a.vel = 20;
    a.acc = 3;
    a.move = true;
    a.target = 1500;
    EXPECT_EQ(PulseFeedRecord(a, AxisFeed{}), QStringLiteral("1431005DC011000000000"));
    EXPECT_EQ(PulseFeedRecord(a, AxisFeed{}).size(), 21);
    struct Case {
        int p, max, m;
        bool fwd, move;
        int target;
    } cases[] = {
        {950, 1000, 100, true, true, 1000}, {100, 1000, 100, false, true, 0},   {101, 1000, 100, false, true, 1},
        {500, 1000, 10, true, true, 510},   {995, 1000, 10, true, true, 1000},  {5, 1000, 10, false, true, 0},
        {1000, 1000, 1, true, false, 0},    {999, 1000, 1, true, true, 1000},   {0, 1000, 1, false, true, 0},
        {1, 1000, 1, false, true, 0},       {2, 1000, 1, false, true, 1},       {40, 1000, 1, true, true, 41},
    };
    for (const Case& c : cases) {
        const AxisFeed f = StepTarget(c.p, c.max, c.m, c.fwd);
        EXPECT_EQ(f.move, c.move) << c.p << " " << c.m << " " << c.fwd;
        EXPECT_EQ(f.target, c.target) << c.p << " " << c.m << " " << c.fwd;
    }
    EXPECT_EQ(PositionReadOut(1500, true, 6, 1000), QStringLiteral("  9.000"));
    EXPECT_EQ(PositionReadOut(5, true, 6, 3000), QStringLiteral("  0.010"));
    EXPECT_EQ(PositionReadOut(1, true, 3, 400), QStringLiteral("  0.008")); // 0.0075: the half goes up
    EXPECT_EQ(PositionReadOut(1500, false, 6, 1000), QStringLiteral("1500"));
}

TEST_P(TeachTest, StartHomesWhenNeededAndReadsPositionAndStroke) {
    w.sim().state.axisPos = {1500, 700};
    t->cmdJOGST_Click();
    std::vector<QByteArray> want{"0RH", "0MP000", "0RC", "0RD0"};
    if (GetParam() == Product::TwoAxis) want.push_back("0RD4");
    EXPECT_EQ(sent(), want);
    EXPECT_TRUE(view.jogControls);
    EXPECT_FALSE(view.start);
    EXPECT_EQ(t->MaxPOS[0], 5000);
    if (GetParam() == Product::TwoAxis) {
        EXPECT_EQ(t->MaxPOS[1], 3000);
    }
    EXPECT_EQ(t->DispPOS[1], 700);
    EXPECT_EQ(view.posi[0], QStringLiteral("1500"));
    EXPECT_TRUE(w.port->isOpen());
    t->cmdJOGend_Click();
    EXPECT_FALSE(view.jogControls);
    EXPECT_TRUE(view.start);
    EXPECT_FALSE(w.port->isOpen());
}

TEST_P(TeachTest, FailedHomeReturnLeavesTheWindowIdle) {
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0MP"));
    t->cmdJOGST_Click();
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RH", "0MP000"}));
    EXPECT_FALSE(view.jogControls);
    EXPECT_TRUE(view.start);
    EXPECT_FALSE(w.port->isOpen());
}

TEST_P(TeachTest, ContinuousJogPressAndRelease) {
    start();
    t->cmdJOG_MouseDown(0, true);
    EXPECT_TRUE(t->JogFLG);
    EXPECT_TRUE(t->JogTyuFLG);
    t->cmdJOG_MouseUp(0, true);
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RC", "0JR1100", "0SP", "0RC"}));
    EXPECT_EQ(w.l().TusinTimeout, 5000); // after the "0RC" read
    EXPECT_FALSE(t->JogFLG || t->JogTyuFLG || t->JogTometeFLG);
    EXPECT_EQ(t->DispPOS[0], 100);
    EXPECT_EQ(view.posi[0], QStringLiteral("100"));
    // A press with the right button sends nothing and only moves the focus.
    const int focus = view.focus;
    t->cmdJOG_MouseDown(1, false);
    EXPECT_EQ(sent().size(), 4u);
    EXPECT_EQ(view.focus, focus + 1);
}

TEST_P(TeachTest, ReleaseDuringTheJogCommandLeavesTheStopToTheWatchdog) {
    start();
    w.sim().faults.push_back(SimFault(SimFault::Delay, 150, "00B", "0JR"));
    QTimer::singleShot(50, [&] { t->cmdJOG_MouseUp(1, true); });
    t->cmdJOG_MouseDown(1, true);
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RC", "0JR1200"}));
    EXPECT_TRUE(t->JogTometeFLG);
    EXPECT_TRUE(t->JogFLG);
    t->TimerBosoKansi_Timer();
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RC", "0JR1200", "0SP", "0RC"}));
    EXPECT_FALSE(t->JogFLG || t->JogTyuFLG || t->JogTometeFLG);
    // Nothing pending: the watchdog sends nothing.
    t->TimerBosoKansi_Timer();
    EXPECT_EQ(sent().size(), 4u);
}

TEST_P(TeachTest, ReleaseWhileThePressStillReadsThePositionStopsTheJog) {
    start();
    w.sim().faults.push_back(SimFault(SimFault::Delay, 150, "00B", "0RC"));
    QTimer::singleShot(50, [&] { t->cmdJOG_MouseUp(0, true); });
    t->cmdJOG_MouseDown(0, true);
    EXPECT_TRUE(t->JogTometeFLG);
    t->TimerBosoKansi_Timer();
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RC", "0JR1100", "0SP", "0RC"}));
}

// While the button is held the read-out follows the axis: each tick of the
// read-out timer reads the present position between the jog command and its
// stop. Without a jog the tick sends nothing.
TEST_P(TeachTest, AHeldJogShowsThePositionAsItChanges) {
    start();
    t->JogReadOut_Timer();
    EXPECT_TRUE(sent().empty());
    t->cmdJOG_MouseDown(0, true);
    EXPECT_EQ(view.posi[0], QStringLiteral("0"));
    t->JogReadOut_Timer();
    EXPECT_EQ(view.posi[0], QStringLiteral("100"));
    t->JogReadOut_Timer();
    EXPECT_EQ(view.posi[0], QStringLiteral("200"));
    EXPECT_TRUE(t->JogFLG && t->JogTyuFLG);
    EXPECT_FALSE(t->running());
    t->cmdJOG_MouseUp(0, true);
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RC", "0JR1100", "0RC", "0RC", "0SP", "0RC"}));
    EXPECT_EQ(view.posi[0], QStringLiteral("300"));
    EXPECT_FALSE(t->JogFLG || t->JogTyuFLG || t->JogTometeFLG);
    t->JogReadOut_Timer();
    EXPECT_EQ(sent().size(), 6u);

    // Inching steps are read after each step; the tick reads nothing.
    view.jogMode = JogMode::Pulse10;
    t->cmdJOG_MouseDown(0, true);
    t->JogReadOut_Timer();
    EXPECT_EQ(sent().size(), 9u);
}

// Let go while the tick's read waits: the stop goes out as soon as the read
// has ended, not a watchdog tick later. A read that fails stops the jog.
TEST_P(TeachTest, AHeldJogStopsAtOnceWhenReleasedDuringARead) {
    start();
    t->cmdJOG_MouseDown(1, true);
    w.sim().state.axisPos = {500, 0};
    w.sim().faults.push_back(SimFault(SimFault::Delay, 150, "00B", "0RC"));
    QTimer::singleShot(50, [&] { t->cmdJOG_MouseUp(1, true); });
    t->JogReadOut_Timer();
    EXPECT_EQ(sent(), (std::vector<QByteArray>{"0RC", "0JR1200", "0RC", "0SP", "0RC"}));
    EXPECT_FALSE(t->JogFLG || t->JogTyuFLG || t->JogTometeFLG);
    EXPECT_EQ(w.sim().state.jogging[0], 0);
    EXPECT_EQ(view.posi[0], QStringLiteral("300"));

    sent().clear();
    t->cmdJOG_MouseDown(0, true);
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0RC"));
    w.msg.clear();
    t->JogReadOut_Timer();
    ASSERT_GE(sent().size(), 4u);
    EXPECT_EQ(sent().at(2), QByteArray("0RC"));
    EXPECT_EQ(sent().at(3), QByteArray("0SP"));
    EXPECT_EQ(w.msg.shown.size(), 1u);
    EXPECT_FALSE(t->JogFLG || t->JogTyuFLG || t->JogTometeFLG);
    EXPECT_EQ(w.sim().state.jogging[0], 0);
}

TEST_P(TeachTest, InchingStepsStopAtTheEnds) {
    start();
    w.ctx.teach.VelOf100Pls = w.ctx.teach.VelOf10Pls = w.ctx.teach.VelOf1Pls = 20;
    w.ctx.teach.AccOf100Pls = w.ctx.teach.AccOf10Pls = w.ctx.teach.AccOf1Pls = 3;
    w.ctx.teach.AccOf100Pls2 = w.ctx.teach.AccOf10Pls2 = w.ctx.teach.AccOf1Pls2 = 2;
    w.sim().state.axisPos = {4950, 0};
    view.jogMode = JogMode::Pulse100;
    t->cmdJOG_MouseDown(0, true);
    EXPECT_EQ(sent().at(1), QByteArray("0MV143101388011000000000"));
    EXPECT_EQ(w.sim().state.axisPos[0], 5000);
    EXPECT_EQ(t->DispPOS[0], 5000);
    t->cmdJOG_MouseUp(0, true); // an inching release sends nothing
    EXPECT_EQ(sent().size(), 3u);
    view.jogMode = JogMode::Pulse1;
    t->cmdJOG_MouseDown(0, true); // at the end: the axis is left alone
    EXPECT_EQ(sent().at(4), QByteArray("0MV143000000011000000000"));

    // The special model takes the second acceleration; the other axis idles.
    auto& axes = w.ctx.dev.axes(GetParam());
    axes[0].Size = SpecialModel::size();
    axes[0].Speed = SpecialModel::speed();
    view.jogMode = JogMode::Pulse10;
    sent().clear();
    t->cmdJOG_MouseDown(1, true);
    EXPECT_EQ(sent().at(1), QByteArray("0MV14210137E011000000000"));
    EXPECT_EQ(sent().at(1).size(), 24);
    if (GetParam() == Product::TwoAxis) {
        sent().clear();
        t->cmdJOG_MouseDown(2, true);
        EXPECT_EQ(sent().at(1), QByteArray("0MV01100000014310000A000"));
    }
}

// An inching step whose answer comes after its time-out, the port kept
// open: the step's position read that follows at once makes the line clean,
// drops the late answer and gets its own. One fault, one message, no link
// check.
TEST_P(TeachTest, ALateStepAnswerIsToldOnce) {
    start();
    w.ctx.opt.PortOccupy = true;
    w.sim().state.axisPos = {100, 0};
    // The read before the step answers at once, the one after it late
    // enough that the step's late answer comes while it waits.
    w.sim().faults.push_back(SimFault(SimFault::Delay, 0, "00B", "0RC"));
    w.sim().faults.push_back(SimFault(SimFault::Delay, 5300, "00B", "0MV"));
    w.sim().faults.push_back(SimFault(SimFault::Delay, 600, "00B", "0RC"));
    view.jogMode = JogMode::Pulse10;
    w.msg.clear();
    t->cmdJOG_MouseDown(0, true);
    ASSERT_EQ(w.msg.shown.size(), 1u) << w.msg.lastText().toStdString();
    EXPECT_TRUE(w.msg.lastText().startsWith(QStringLiteral("Communication timeout error!")));
    ASSERT_EQ(sent().size(), 4u);
    EXPECT_TRUE(sent().at(1).startsWith("0MV"));
    EXPECT_EQ(sent().at(2), QByteArray("0RH"));
    EXPECT_EQ(sent().at(3), QByteArray("0RC"));
    // The controller made the step; the read after it says where it went.
    EXPECT_EQ(t->DispPOS[0], 110);
    EXPECT_TRUE(w.port->isOpen());
}

TEST_P(TeachTest, MillimetreReadOut) {
    w.ctx.opt.DispMmUnit = true;
    w.sim().state.axisPos = {1500, 5};
    w.ctx.dev.axes(GetParam())[1].PPR = 3000;
    start();
    EXPECT_EQ(view.posi[0], QStringLiteral("  9.000"));
    if (GetParam() == Product::TwoAxis) {
        EXPECT_EQ(view.posi[1], QStringLiteral("  0.010"));
    }
}

TEST_P(TeachTest, ListTakeInAndAdoption) {
    const Product p = GetParam();
    PositionGrid& g = w.ctx.grid.of(p);
    g.setText(5, 4, QStringLiteral(" 10.500"));
    if (p == Product::TwoAxis) g.setText(12, 8, QStringLiteral("   3000"));
    make(p);
    EXPECT_EQ(t->list().text(5, 1), QStringLiteral(" 10.500"));
    EXPECT_EQ(t->list().text(7, 0), QStringLiteral("7"));
    EXPECT_EQ(t->list().text(0, 1), QStringLiteral("Axis1(PLS)"));
    EXPECT_EQ(view.posiNo, QStringLiteral("1"));

    // Row selection colours only that row.
    t->flgdJOGPosi_Click(12);
    EXPECT_EQ(view.posiNo, QStringLiteral("12"));
    EXPECT_EQ(t->list().cellBackColor(12, 1), 0xFFFFC0u);
    EXPECT_EQ(t->list().cellBackColor(1, 1), PositionGrid::kWindowColour);

    // Closing untouched asks nothing.
    EXPECT_TRUE(t->Form_QueryUnload());
    EXPECT_TRUE(w.msg.shown.empty());

    view.posi[0] = QStringLiteral("1500");
    view.posi[1] = QStringLiteral("250");
    view.ticked[1] = true;
    t->cmdJOGWrite_Click();
    EXPECT_TRUE(t->JogChange);
    if (p == Product::TwoAxis) {
        EXPECT_EQ(t->list().text(12, 1), QString());
        EXPECT_EQ(t->list().text(12, 2), QStringLiteral("    250"));
    } else {
        EXPECT_EQ(t->list().text(12, 1), QStringLiteral("   1500"));
    }

    // Cancel keeps the window; No leaves the grid; Yes writes every row and
    // marks the table changed.
    const auto before = g.snapshot();
    w.msg.script = {MsgAnswer::Cancel, MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(t->Form_QueryUnload());
    EXPECT_TRUE(t->Form_QueryUnload());
    EXPECT_EQ(g.snapshot(), before);
    EXPECT_TRUE(g.Tag.isEmpty());
    EXPECT_EQ(w.msg.shown[0].text, QStringLiteral("Do you want to adopt the teaching data in the chart of the main screen?"));
    EXPECT_EQ(w.msg.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(w.msg.shown[0].icon, MsgIcon::Question);
    EXPECT_TRUE(t->Form_QueryUnload());
    EXPECT_EQ(g.text(5, 4), QStringLiteral(" 10.500"));
    EXPECT_EQ(g.text(399, 0), QStringLiteral("399"));
    if (p == Product::TwoAxis) {
        EXPECT_EQ(g.text(12, 8), QStringLiteral("    250"));
    } else {
        EXPECT_EQ(g.text(12, 4), QStringLiteral("   1500"));
    }
    EXPECT_EQ(g.Tag, kDataChange);
    // The other grid is untouched.
    EXPECT_TRUE(w.ctx.grid.of(p == Product::TwoAxis ? Product::OneAxis : Product::TwoAxis).Tag.isEmpty());
}

TEST_P(TeachTest, TakeInWithNoAxisTickedDoesNothingOnTwoAxis) {
    if (GetParam() != Product::TwoAxis) GTEST_SKIP();
    view.posi[0] = QStringLiteral("1500");
    t->cmdJOGWrite_Click();
    EXPECT_FALSE(t->JogChange);
    EXPECT_EQ(t->list().text(1, 1), QString());
}

INSTANTIATE_TEST_SUITE_P(BothProducts, TeachTest, ::testing::Values(Product::TwoAxis, Product::OneAxis),
                         [](const auto& i) { return i.param == Product::TwoAxis ? "TwoAxis" : "OneAxis"; });
