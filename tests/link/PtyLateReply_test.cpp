// A reply that comes after its time-out, through the real serial port with
// the port kept open between jobs ("PortOccupy"), for every read from the
// controller: it must never be taken as the answer to a later request.
#include "files/ParaFile.h"
#include "link/Transfers.h"
#include "mainwin/PositionCommands.h"
#include "testsupport/PtyLinkWorld.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <ostream>
#include <gtest/gtest.h>
#include <thread>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;
using rer::sim::SimFault;

namespace {

// One read of a table from the controller.
struct LateRead {
    const char* id;
    const char* name;
    int timeoutMs;                                  // the read's reply time-out
    int replies;                                    // requests of one read
    std::function<int(ControllerLink&)> read;
    std::function<QStringList(const AppContext&)> table; // the table the read fills
    std::function<void(AppContext&)> clear;
};

// Test names and failures show the read by its name.
void PrintTo(const LateRead& r, std::ostream* os) { *os << r.name; }

QStringList ParaTable(const AppContext& ctx, Product p) {
    QStringList t;
    for (const auto& row : ctx.para.of(p).ParaFileData)
        for (const Value& v : row) t << v.toText();
    return t;
}

template <class Table>
QStringList NumberTable(const Table& table) {
    QStringList t;
    for (const auto& row : table)
        for (const auto v : row) t << QString::number(v);
    return t;
}

const LateRead kReads[] = {
    {"ParametersTwoAxis", "parameters, two-axis", 1000, 7, [](ControllerLink& l) { return ReadParaFromCt(l, Product::TwoAxis); },
     [](const AppContext& c) { return ParaTable(c, Product::TwoAxis); },
     [](AppContext& c) { ClearParaFileTable(c, Product::TwoAxis); }},
    {"ParametersOneAxis", "parameters, one-axis", 1000, 7, [](ControllerLink& l) { return W3kReadParaFromCt(l); },
     [](const AppContext& c) { return ParaTable(c, Product::OneAxis); },
     [](AppContext& c) { ClearParaFileTable(c, Product::OneAxis); }},
    {"GroupData", "group data", 5000, 99, [](ControllerLink& l) { return ReadGrpDataFromCt(l); },
     [](const AppContext& c) { return NumberTable(c.grp.GrpFileData); },
     [](AppContext& c) { c.grp.GrpFileData = GrpTable{}; }},
    {"SequenceMacros", "sequence macros", 1000, 9, [](ControllerLink& l) { return ReadSmDataFromCt(l); },
     [](const AppContext& c) { return NumberTable(c.sm.SmFileData); },
     [](AppContext& c) { c.sm.SmFileData = SmTable{}; }},
    {"Positions", "positions 1 to 20", 5000, 20,
     [](ControllerLink& l) {
         l.ctx().pos.PosiRangeStart = 1;
         l.ctx().pos.PosiRangeEnd = 20;
         return ReadPosidataFromCt(l, Product::TwoAxis);
     },
     [](const AppContext& c) {
         QStringList t;
         for (const auto& row : c.pos.two.PosiFileData)
             for (const Value& v : row) t << v.toText();
         return t;
     },
     [](AppContext& c) { c.pos.two.PosiFileData = PosiFileTable(kPosiRows); }},
};

// Every block, group, macro and position of the controller different from
// its neighbours, so that an answer taken for the wrong request shows.
void DistinctData(CtSim& s) {
    const char digits[] = "0124568";
    for (int i = 0; i < 7; ++i) s.state.paramBlocks[digits[i]] = QByteArray(32, "1234567"[i]);
    for (int n = 1; n <= 99; ++n) s.state.groups[size_t(n)] = {n, 100 + 2 * n};
    for (int m = 1; m <= 9; ++m) s.state.macros[size_t(m)] = QByteArray(32, char('0' + m));
    for (int n = 1; n <= 399; ++n)
        s.state.positions[size_t(n)] = sim::PositionRecord(n % 9 + 1, n % 3 + 1, n % 4, n * 3, 9 - n % 9, 1, 0,
                                                           n, n % 2, n % 4, n % 10);
}

void SleepWithoutEvents(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace

struct PtyLateReply : ::testing::TestWithParam<LateRead> {};

TEST_P(PtyLateReply, IsNeverTakenAsTheAnswerToALaterRequest) {
    const LateRead& r = GetParam();
    PtyLinkWorld pw;
    ASSERT_TRUE(pw.start());
    sim::PtySim& pty = pw.pty;
    LinkWorld& w = *pw.world;
    w.ctx.opt.PortOccupy = true;
    pty.withSim(DistinctData);

    ASSERT_EQ(r.read(*w.link), 0) << r.name;
    const QStringList good = r.table(w.ctx);
    r.clear(w.ctx);
    const QStringList cleared = r.table(w.ctx);
    ASSERT_NE(good, cleared) << r.name;

    // The first answer comes 600 ms after the time-out; the next few 150 ms
    // after their request, so that no two arrive together even on a loaded
    // machine.
    pty.withSim([&r](CtSim& s) {
        s.faults.push_back(SimFault(SimFault::Delay, r.timeoutMs + 600));
        for (int i = 0; i < std::min(r.replies, 4); ++i) s.faults.push_back(SimFault(SimFault::Delay, 150));
    });
    w.msg.clear();
    EXPECT_EQ(r.read(*w.link), 1) << r.name;
    EXPECT_EQ(w.msg.lastText().left(29), QStringLiteral("Communication timeout error!\r")) << r.name;
    EXPECT_TRUE(w.port->isOpen()) << r.name;

    // Read again at once: the late answer arrives while the first request
    // of this read waits (the same request: its answer is as good), the
    // answer to that request while the second waits, and so on. Each is
    // known by its echo and dropped; the read gets its own answers.
    w.msg.clear();
    EXPECT_EQ(r.read(*w.link), 0) << r.name;
    EXPECT_TRUE(w.msg.shown.empty()) << r.name << ": " << w.msg.lastText().toStdString();
    EXPECT_FALSE(w.l().TusinError) << r.name;
    EXPECT_EQ(r.table(w.ctx), good) << r.name;
    EXPECT_TRUE(w.port->isOpen()) << r.name;
    r.clear(w.ctx);

    // The answer to the second request reaches the line before the
    // next read begins, the program not looking: it is dropped.
    pty.withSim([](CtSim& s) { s.faults.clear(); });
    SleepWithoutEvents(600);
    w.msg.clear();
    EXPECT_EQ(r.read(*w.link), 0) << r.name;
    EXPECT_TRUE(w.msg.shown.empty()) << r.name << ": " << w.msg.lastText().toStdString();
    EXPECT_EQ(r.table(w.ctx), good) << r.name;
    EXPECT_TRUE(w.port->isOpen()) << r.name;
}

INSTANTIATE_TEST_SUITE_P(EveryRead, PtyLateReply, ::testing::ValuesIn(kReads),
                         [](const ::testing::TestParamInfo<LateRead>& i) { return std::string(i.param.id); });
