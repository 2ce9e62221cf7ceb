// The multi-line transfers through the real serial port against the
// simulated controller on a pseudo-terminal.
#include "link/CtError.h"
#include "link/Transfers.h"
#include "sim/PtySim.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/TransferFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;
using rer::sim::GarbleFault;
using rer::sim::SimFault;

namespace {

struct PtyTransferTest : ::testing::Test {
    sim::PtySim pty;
    std::unique_ptr<LinkWorld> w;
    ProgressRecorder progress;

    void SetUp() override {
        pty.usePrivateLink();
        ASSERT_TRUE(pty.start());
        qputenv("RER6O250_COM1", pty.openPath().toLocal8Bit());
        w = std::make_unique<LinkWorld>(std::make_unique<QtSerialPort>());
        Get_ErrorList(w->ctx);
        w->ctx.opt.PortNo = 1;
        w->link->setProgress(&progress);
    }
    void TearDown() override {
        w.reset();
        qunsetenv("RER6O250_COM1");
    }
    void fault(const SimFault& f) {
        pty.withSim([&](CtSim& s) { s.faults.push_back(f); });
    }
    sim::CtSimState state() {
        return pty.withSim([](CtSim& s) { return s.state; });
    }
    std::vector<QByteArray> received() {
        return pty.withSim([](CtSim& s) { return s.received; });
    }
    void forget() {
        pty.withSim([](CtSim& s) { s.received.clear(); });
    }
};

} // namespace

TEST_F(PtyTransferTest, Parameters) {
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        ProductParameters& pp = w->ctx.para.of(p);
        pp.rec = SampleParaRecord(p);
        // A bad echo of the middle line: nothing more is sent, no commit.
        const int commits = state().commits;
        fault(GarbleFault("0WD4"));
        const int first = p == Product::TwoAxis
                              ? (MakeParaWriteLines(w->ctx) == 1 ? 1 : WriteParaToCt(*w->link))
                              : W3kWriteParaToCt(*w->link);
        EXPECT_EQ(first, 1);
        EXPECT_TRUE(w->l().TusinError);
        EXPECT_EQ(received().size(), 4u);
        EXPECT_EQ(state().commits, commits);

        forget();
        const int again = p == Product::TwoAxis ? (MakeParaWriteLines(w->ctx) == 1 ? 1 : WriteParaToCt(*w->link))
                                                : W3kWriteParaToCt(*w->link);
        ASSERT_EQ(again, 0);
        EXPECT_FALSE(w->l().TusinError);
        EXPECT_EQ(received().back(), QByteArray("0WE2"));

        // A corrupted reply leaves the table; a clean read gives the record.
        for (auto& row : pp.ParaFileData) row.fill(Value::text(QStringLiteral("x")));
        const ParaFileTable before = pp.ParaFileData;
        fault(GarbleFault("0RD5", 5, 'G'));
        EXPECT_EQ(ReadParaFromCt(*w->link, p), 1);
        EXPECT_TRUE(pp.ParaFileData == before);
        ASSERT_EQ(ReadParaFromCt(*w->link, p), 0);
        for (int row : {1, 7, 17, 19, 23, 24, 34})
            for (int axis : {0, 1}) {
                if (!ParaRowAt(row)->perAxis() && axis == 1) continue;
                EXPECT_TRUE(SameValue(pp.ParaFileData[static_cast<size_t>(row)][static_cast<size_t>(axis)],
                                      ParaRecordValue(pp.rec, row, axis)))
                    << row;
            }
        if (p == Product::OneAxis) {
            EXPECT_EQ(pp.ParaFileData[35][0].toNumber(), 1);
        }
        EXPECT_FALSE(w->port->isOpen());
        forget();
    }
    EXPECT_EQ(state().commitLog, (std::vector<QByteArray>{"0WE2", "0WE2"}));
}

TEST_F(PtyTransferTest, GroupData) {
    w->ctx.grp.GrpData = SampleGroups();
    fault(SimFault(SimFault::Error, 0, "00B", "0WG63"));
    EXPECT_EQ(WriteGrpDataToCt(*w->link), 1);
    EXPECT_EQ(received().size(), 99u);
    EXPECT_EQ(state().commits, 0);
    ASSERT_EQ(WriteGrpDataToCt(*w->link), 0);
    EXPECT_EQ(progress.last(), 100);

    const GrpTable before = w->ctx.grp.GrpFileData;
    fault(GarbleFault("0RG01", 6, 'G'));
    EXPECT_EQ(ReadGrpDataFromCt(*w->link), 1);
    EXPECT_TRUE(w->l().TusinError);
    EXPECT_EQ(w->ctx.grp.GrpFileData, before);
    ASSERT_EQ(ReadGrpDataFromCt(*w->link), 0);
    for (int n = 1; n <= 99; ++n) {
        EXPECT_EQ(w->ctx.grp.GrpFileData[static_cast<size_t>(n)][0], w->ctx.grp.GrpData[static_cast<size_t>(n)][0]);
        EXPECT_EQ(w->ctx.grp.GrpFileData[static_cast<size_t>(n)][1], w->ctx.grp.GrpData[static_cast<size_t>(n)][1]);
    }
    EXPECT_EQ(progress.last(), 98);
}

TEST_F(PtyTransferTest, SequenceMacros) {
    w->ctx.sm.SmData = SampleMacros();
    fault(SimFault(SimFault::Shorten, 0, "00B", "0WM1"));
    EXPECT_EQ(WriteSmDataToCt(*w->link), 1);
    EXPECT_EQ(w->msg.lastText(), QStringLiteral("Communication data length error occurs!\r\n\r\nLength of data is wrong."));
    EXPECT_EQ(state().commits, 0);
    ASSERT_EQ(WriteSmDataToCt(*w->link), 0);

    const SmTable before = w->ctx.sm.SmFileData;
    fault(GarbleFault("0RM9", 30, '#'));
    EXPECT_EQ(ReadSmDataFromCt(*w->link), 1);
    EXPECT_EQ(w->ctx.sm.SmFileData, before);
    ASSERT_EQ(ReadSmDataFromCt(*w->link), 0);
    for (size_t s = 0; s < 16; ++s)
        for (size_t c = 0; c < 18; ++c) EXPECT_EQ(w->ctx.sm.SmFileData[s][c], w->ctx.sm.SmData[s][c]);
    EXPECT_EQ(state().commitLog, std::vector<QByteArray>{"0WE1"});
}
