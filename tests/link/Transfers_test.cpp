// The multi-line transfers of parameters, group data and sequence macros
// against the simulated controller in process.
#include "link/CtError.h"
#include "link/Transfers.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/TransferFixture.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::GarbleFault;
using rer::sim::SimFault;

namespace {

struct TransferTest : ::testing::Test {
    LinkWorld w;
    ProgressRecorder progress;

    void SetUp() override {
        Get_ErrorList(w.ctx);
        w.link->setProgress(&progress);
    }
    sim::CtSimState& ct() { return w.sim().state; }
    const std::vector<QByteArray>& received() { return w.sim().received; }
    QString wrong() const { return ReceivingDataWrongText(w.ctx); }
};

// A value that no transfer ever writes, to see a table left alone.
const Value kMarker = Value::text(QStringLiteral("untouched"));

void FillParaTable(ParaFileTable& t) {
    for (auto& row : t) row.fill(kMarker);
}

// The per-axis and common rows a parameter read fills, with their column.
std::vector<std::pair<int, int>> TransferredCells(Product p) {
    std::vector<std::pair<int, int>> cells;
    for (int axis = 0; axis < 2; ++axis)
        for (const ParaRowDef& d : kParaRows)
            if (d.perAxis()) cells.emplace_back(d.row, axis);
    for (const ParaRowDef& d : kParaRows)
        if (!d.perAxis() && d.in(p)) cells.emplace_back(d.row, 0);
    return cells;
}

const char* Name(Product p) { return p == Product::TwoAxis ? "two-axis" : "one-axis"; }

int WriteParameters(LinkWorld& w, Product p) {
    if (p == Product::OneAxis) return W3kWriteParaToCt(*w.link);
    if (MakeParaWriteLines(w.ctx) == 1) return 1;
    return WriteParaToCt(*w.link);
}

} // namespace

// ---------------------------------------------------------------- parameters

TEST(ParaLines, FieldsOnTheWire) {
    ParaRecord rec;
    rec.ParaJogVel[0] = 10;
    rec.ParaAutoDrive[0] = 0;
    rec.ParaType[0] = 2;
    EXPECT_EQ(ParaWriteLine(rec, Product::TwoAxis, 1).line, QStringLiteral("0WD10A0002") + QString(26, u'0'));

    rec.ParaHomeOffset[0] = Value::number(500);
    rec.ParaStroke[0] = Value::number(262143);
    rec.ParaPgAlm[0] = Value::number(0);
    const QString a = ParaWriteLine(rec, Product::TwoAxis, 0).line;
    EXPECT_EQ(a.mid(4, 4), QStringLiteral("01F4"));
    EXPECT_EQ(a.mid(18, 6), QStringLiteral("03FFFF"));
    rec.ParaStroke[0] = Value::number(255);
    EXPECT_EQ(ParaWriteLine(rec, Product::TwoAxis, 0).line.mid(18, 6), QStringLiteral("0000FF"));

    // Axis 2 goes in blocks 4 to 6.
    rec.ParaVel9[1] = 0xAB;
    rec.ParaHomeOffset[1] = Value::number(0);
    rec.ParaStroke[1] = Value::number(0);
    rec.ParaPgAlm[1] = Value::number(0);
    EXPECT_EQ(ParaWriteLine(rec, Product::TwoAxis, 5).line,
              QStringLiteral("0WD6") + QString(16, u'0') + QStringLiteral("AB") + QString(14, u'0'));
    EXPECT_TRUE(ParaWriteLine(rec, Product::TwoAxis, 3).line.startsWith(QStringLiteral("0WD4")));

    // BCD ENABLE travels only in the one-axis block "8".
    rec.ParaBcdEnable = 1;
    rec.ParaHomeOut = 0x12;
    rec.ParaAutoHome = 0x34;
    rec.ParaLsTimer = 0x56;
    const QString two = ParaWriteLine(rec, Product::TwoAxis, 6).line;
    const QString one = ParaWriteLine(rec, Product::OneAxis, 6).line;
    EXPECT_EQ(two, QStringLiteral("0WD81234") + QString(16, u'0') + QStringLiteral("56") + QString(10, u'0'));
    EXPECT_EQ(one, QStringLiteral("0WD81234") + QString(16, u'0') + QStringLiteral("5601") + QString(8, u'0'));
    EXPECT_EQ(ParaBlockDigit(6), '8');
}

TEST_F(TransferTest, ParameterRoundTripBothProducts) {
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        LinkWorld x;
        ProgressRecorder bar;
        x.link->setProgress(&bar);
        ProductParameters& pp = x.ctx.para.of(p);
        pp.rec = SampleParaRecord(p);
        ASSERT_EQ(WriteParameters(x, p), 0) << Name(p);
        EXPECT_FALSE(x.l().TusinError);
        EXPECT_TRUE(x.msg.shown.empty());
        EXPECT_EQ(x.l().TusinTimeout, p == Product::TwoAxis ? 1000 : 5000);
        EXPECT_EQ(bar.max, 8);
        EXPECT_EQ(bar.values, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
        EXPECT_EQ(bar.setumei, QStringLiteral("Sending data to the controller."));
        EXPECT_EQ(bar.unloads, 1);
        EXPECT_FALSE(x.port->isOpen());

        const auto& lines = p == Product::TwoAxis ? x.l().CtLine : x.l().W3kCtLine;
        const auto& got = x.sim().received;
        ASSERT_EQ(got.size(), 8u) << Name(p);
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(QString::fromLatin1(got[static_cast<size_t>(i)]), lines[static_cast<size_t>(i)]);
            EXPECT_EQ(x.sim().state.paramBlocks[ParaBlockDigit(i)], got[static_cast<size_t>(i)].mid(4));
        }
        EXPECT_EQ(got[7], QByteArray("0WE2"));
        EXPECT_EQ(x.sim().state.commitLog, std::vector<QByteArray>{"0WE2"});
        EXPECT_TRUE(x.sim().state.sentParamBlocks.empty());

        // Read back: every transferred cell equals the record.
        FillParaTable(pp.ParaFileData);
        bar = ProgressRecorder();
        x.sim().received.clear();
        ASSERT_EQ(ReadParaFromCt(*x.link, p), 0) << Name(p);
        EXPECT_FALSE(x.l().TusinError);
        for (auto [row, axis] : TransferredCells(p)) {
            const Value& v = pp.ParaFileData[static_cast<size_t>(row)][static_cast<size_t>(axis)];
            EXPECT_TRUE(v.isNumber()) << Name(p) << " row " << row << " axis " << axis;
            EXPECT_TRUE(SameValue(v, ParaRecordValue(pp.rec, row, axis))) << Name(p) << " row " << row;
        }
        // Nothing else is filled: the title cell, column 2, the common rows
        // of column 1.
        EXPECT_TRUE(pp.ParaFileData[0][0].isEmpty());
        for (const auto& row : pp.ParaFileData) EXPECT_TRUE(row[2].isEmpty());
        EXPECT_TRUE(pp.ParaFileData[24][1].isEmpty());
        ASSERT_EQ(x.sim().received.size(), 7u);
        EXPECT_EQ(x.sim().received.front(), QByteArray("0RD0"));
        EXPECT_EQ(x.sim().received.back(), QByteArray("0RD8"));
        EXPECT_EQ(bar.max, 7);
        EXPECT_EQ(bar.last(), 6);
        EXPECT_EQ(bar.setumei, QStringLiteral("Reading data from the controller..."));
        EXPECT_EQ(bar.unloads, 1);
        EXPECT_FALSE(x.port->isOpen());
    }
}

TEST_F(TransferTest, ParameterReadDecodesTheBlocks) {
    ct().paramBlocks['0'] = "01F4" + QByteArray(28, '0');
    // Characters 27-36 of block "8" carry nothing for the two-axis product;
    // the one-axis product takes BCD ENABLE from 27-28.
    ct().paramBlocks['8'] = QByteArray(20, '0') + "0901FFFFFFFF";
    ASSERT_EQ(ReadParaFromCt(*w.link), 0);
    const ParaFileTable& two = w.ctx.para.two.ParaFileData;
    EXPECT_EQ(two[1][0].toNumber(), 500);
    EXPECT_EQ(two[34][0].toNumber(), 9);
    EXPECT_TRUE(two[35][0].isEmpty());
    ASSERT_EQ(W3kReadParaFromCt(*w.link), 0);
    EXPECT_EQ(w.ctx.para.one.ParaFileData[35][0].toNumber(), 1);
    EXPECT_EQ(w.ctx.para.one.ParaFileData[1][0].toNumber(), 500);
    // The one-axis read used its own line buffer.
    EXPECT_EQ(w.l().W3kCtLine[6].left(4), QStringLiteral("0RD8"));
}

TEST_F(TransferTest, ParameterValuesThatDoNotFitAreRefusedBeforeAnyLine) {
    struct Case {
        Product p;
        int row, axis;
        Value v;
        const char* item;
    } cases[] = {
        {Product::TwoAxis, 1, 0, Value::number(65536), "OFFSET(1)"},
        {Product::TwoAxis, 17, 1, Value::number(16777216), "STROKE(2)"},
        {Product::TwoAxis, 2, 0, Value::number(256), "PUSH(1)"},
        {Product::TwoAxis, 3, 1, Value::number(-1), "VEL(2)"},
        {Product::TwoAxis, 23, 0, Value::text(QStringLiteral("abc")), "ALM(1)"},
        {Product::TwoAxis, 1, 1, Value(), "OFFSET(2)"},
        {Product::TwoAxis, 34, 0, Value::number(300), "LS TIMER"},
        {Product::OneAxis, 35, 0, Value::number(-2), "BCD ENABLE"},
        {Product::OneAxis, 19, 0, Value::number(70000), "PULSE(1)"},
    };
    for (const Case& c : cases) {
        LinkWorld x;
        ProductParameters& pp = x.ctx.para.of(c.p);
        pp.rec = SampleParaRecord(c.p);
        SetParaRecordValue(pp.rec, c.row, c.axis, c.v);
        auto& lines = c.p == Product::TwoAxis ? x.l().CtLine : x.l().W3kCtLine;
        for (int i = 0; i < 7; ++i) lines[static_cast<size_t>(i)] = QStringLiteral("0WD") + QChar(ParaBlockDigit(i)) + QString(32, u'1');
        const std::map<char, QByteArray> before = x.sim().state.paramBlocks;

        EXPECT_EQ(WriteParameters(x, c.p), 1) << c.item;
        EXPECT_TRUE(x.l().TusinError) << c.item;
        EXPECT_TRUE(x.sim().received.empty()) << c.item;
        EXPECT_EQ(x.sim().state.paramBlocks, before);
        ASSERT_EQ(x.msg.shown.size(), 1u) << c.item;
        EXPECT_TRUE(x.msg.lastText().contains(QString::fromLatin1(c.item))) << x.msg.lastText().toStdString();
        // No older lines stay behind to be sent by a later WriteParaToCt.
        for (int i = 0; i < 7; ++i) EXPECT_TRUE(lines[static_cast<size_t>(i)].isEmpty());
        if (c.p == Product::TwoAxis) {
            EXPECT_EQ(WriteParaToCt(*x.link), 1);
            EXPECT_TRUE(x.sim().received.empty());
            EXPECT_EQ(x.msg.shown.size(), 1u); // no second message for the same refusal
        }
    }
}

TEST_F(TransferTest, ParameterWriteSendsOnlyWholeLinesOfItsRecord) {
    // Lines of another transfer in the buffer are not parameter lines.
    w.l().CtLine[0] = QStringLiteral("0WG0100100A");
    EXPECT_EQ(WriteParaToCt(*w.link), 1);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_TRUE(received().empty());
    EXPECT_EQ(w.msg.shown.size(), 1u);
}

TEST_F(TransferTest, ParameterWriteFailingAtAnyLineIsNeverCommitted) {
    struct Case {
        Product p;
        QByteArray line; // the request that fails
        size_t index;    // its place in the transfer
        bool badEcho;    // else the exchange itself fails
    } cases[] = {
        {Product::TwoAxis, "0WD0", 0, false}, {Product::TwoAxis, "0WD5", 4, false},
        {Product::TwoAxis, "0WD8", 6, false}, {Product::TwoAxis, "0WD0", 0, true},
        {Product::TwoAxis, "0WD5", 4, true},  {Product::TwoAxis, "0WD8", 6, true},
        {Product::OneAxis, "0WD0", 0, false}, {Product::OneAxis, "0WD2", 2, true},
        {Product::OneAxis, "0WD8", 6, false},
    };
    for (const Case& c : cases) {
        LinkWorld x;
        ProgressRecorder bar;
        x.link->setProgress(&bar);
        Get_ErrorList(x.ctx);
        x.ctx.para.of(c.p).rec = SampleParaRecord(c.p);
        const auto before = x.sim().state.paramBlocks;
        if (c.badEcho) x.sim().faults.push_back(GarbleFault(c.line));
        else x.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", c.line));

        const std::string what = std::string(Name(c.p)) + " " + c.line.toStdString() + (c.badEcho ? " echo" : " error");
        EXPECT_EQ(WriteParameters(x, c.p), 1) << what;
        EXPECT_TRUE(x.l().TusinError) << what;
        // Nothing after the failing line, and no commit.
        ASSERT_EQ(x.sim().received.size(), c.index + 1) << what;
        EXPECT_TRUE(x.sim().received.back().startsWith(c.line)) << what;
        EXPECT_EQ(x.sim().state.commits, 0) << what;
        EXPECT_EQ(x.sim().state.paramBlocks, before) << what;
        EXPECT_EQ(bar.unloads, 1) << what;
        EXPECT_EQ(bar.values.size(), c.index) << what; // up to the line before
        EXPECT_FALSE(x.port->isOpen()) << what;
        ASSERT_EQ(x.msg.shown.size(), 1u) << what;
        if (c.badEcho) {
            EXPECT_EQ(x.msg.lastText(), ReceivingDataWrongText(x.ctx)) << what;
        }
    }
}

TEST_F(TransferTest, ParameterCommitWithABadEchoIsAFailure) {
    w.ctx.para.two.rec = SampleParaRecord(Product::TwoAxis);
    // "0WE0" names another commit: no answer of "0WE2" while one may still
    // come; once the time is up it is the answer with a wrong echo.
    w.sim().faults.push_back(GarbleFault("0WE2"));
    EXPECT_EQ(WriteParameters(w, Product::TwoAxis), 1);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("Communication error occurs!"));
    EXPECT_EQ(progress.last(), 7);
    // The line is made clean before the link check: the commit's own
    // answer may still come.
    ASSERT_EQ(received().size(), 10u);
    EXPECT_EQ(received()[8], QByteArray("0RH"));
    EXPECT_EQ(received().back(), QByteArray("0CM0")); // the link check
}

TEST_F(TransferTest, ParameterReadFailureLeavesTheTable) {
    struct Case {
        SimFault fault;
        bool message;
        const char* what;
    } cases[] = {
        {SimFault(SimFault::Error, 0, "00B", "0RD0"), true, "error reply at the first block"},
        {SimFault(SimFault::Shorten, 0, "00B", "0RD5"), true, "short reply at the fifth block"},
        {GarbleFault("0RD0", 4, 'G'), true, "OFFSET not hexadecimal"},
        {GarbleFault("0RD4", 20, 'x'), true, "STROKE of axis 2 not hexadecimal"},
        {GarbleFault("0RD2", 21, ' '), true, "VEL9 with a blank"},
        {GarbleFault("0RD8", 24, 'Z'), true, "LS TIMER not hexadecimal"},
    };
    for (const Case& c : cases) {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            LinkWorld x;
            ProgressRecorder bar;
            x.link->setProgress(&bar);
            Get_ErrorList(x.ctx);
            FillParaTable(x.ctx.para.of(p).ParaFileData);
            const ParaFileTable before = x.ctx.para.of(p).ParaFileData;
            x.sim().faults.push_back(c.fault);
            EXPECT_EQ(ReadParaFromCt(*x.link, p), 1) << c.what;
            EXPECT_TRUE(x.l().TusinError) << c.what;
            EXPECT_TRUE(x.ctx.para.of(p).ParaFileData == before) << c.what << " " << Name(p);
            EXPECT_EQ(x.msg.shown.size(), 1u) << c.what;
            EXPECT_EQ(bar.unloads, 1) << c.what;
            EXPECT_FALSE(x.port->isOpen()) << c.what;
        }
    }
    // A field's characters outside the fields are not examined.
    ct().paramBlocks['1'] = "0A0002" + QByteArray(26, 'G');
    EXPECT_EQ(ReadParaFromCt(*w.link), 0);
    EXPECT_EQ(w.ctx.para.two.ParaFileData[16][0].toNumber(), 10);
}

TEST_F(TransferTest, ParameterReadAcceptsLowerCaseDigits) {
    ct().paramBlocks['0'] = "01f4" + QByteArray(28, '0');
    ASSERT_EQ(ReadParaFromCt(*w.link), 0);
    EXPECT_EQ(w.ctx.para.two.ParaFileData[1][0].toNumber(), 500);
}

// ---------------------------------------------------------------- groups

TEST(GrpLines, GroupNumbersOneTo99) {
    EXPECT_EQ(GrpWriteLine(1, 1, 10).line, QStringLiteral("0WG0100100A"));
    EXPECT_EQ(GrpWriteLine(99, 300, 399).line, QStringLiteral("0WG6312C18F"));
    EXPECT_EQ(GrpWriteLine(5, 0, 0).line, QStringLiteral("0WG05000000"));
    const LineOrItem bad = GrpWriteLine(7, 4096, 1);
    EXPECT_TRUE(bad.line.isEmpty());
    EXPECT_EQ(bad.badItem, QStringLiteral("GROUP7 START"));
    EXPECT_EQ(GrpWriteLine(8, 1, -1).badItem, QStringLiteral("GROUP8 END"));
}

TEST_F(TransferTest, GroupRoundTrip) {
    w.ctx.grp.GrpData = SampleGroups();
    ASSERT_EQ(WriteGrpDataToCt(*w.link), 0);
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_TRUE(w.msg.shown.empty());
    ASSERT_EQ(received().size(), 100u);
    EXPECT_EQ(received().front(), QByteArray("0WG0100418E"));
    EXPECT_EQ(received().back(), QByteArray("0WE3"));
    EXPECT_EQ(ct().commitLog, std::vector<QByteArray>{"0WE3"});
    EXPECT_EQ(progress.max, 100);
    EXPECT_EQ(progress.last(), 100);
    EXPECT_EQ(progress.setumei, QStringLiteral("Sending data to the controller..."));
    EXPECT_EQ(progress.unloads, 1);
    EXPECT_EQ(w.l().TusinTimeout, 5000);
    for (int n = 1; n <= 99; ++n) {
        EXPECT_EQ(ct().groups[static_cast<size_t>(n)].first, w.ctx.grp.GrpData[static_cast<size_t>(n)][0]);
        EXPECT_EQ(ct().groups[static_cast<size_t>(n)].second, w.ctx.grp.GrpData[static_cast<size_t>(n)][1]);
    }

    // Read back; the error marks of the file table stay.
    for (auto& g : w.ctx.grp.GrpFileData) g = {-7, -7, 1};
    w.sim().received.clear();
    progress = ProgressRecorder();
    ASSERT_EQ(ReadGrpDataFromCt(*w.link), 0);
    EXPECT_FALSE(w.l().TusinError);
    for (int n = 1; n <= 99; ++n) {
        const auto& got = w.ctx.grp.GrpFileData[static_cast<size_t>(n)];
        const auto& want = w.ctx.grp.GrpData[static_cast<size_t>(n)];
        EXPECT_EQ(got[0], want[0]) << n;
        EXPECT_EQ(got[1], want[1]) << n;
        EXPECT_EQ(got[2], 1) << n;
    }
    EXPECT_EQ(w.ctx.grp.GrpFileData[0][0], -7);
    ASSERT_EQ(received().size(), 99u);
    EXPECT_EQ(received().front(), QByteArray("0RG01"));
    EXPECT_EQ(received().back(), QByteArray("0RG63"));
    EXPECT_EQ(progress.max, 98);
    EXPECT_EQ(progress.last(), 98);
    EXPECT_EQ(progress.setumei, QStringLiteral("Reading data from the controller..."));
    EXPECT_EQ(progress.unloads, 1);
    EXPECT_FALSE(w.port->isOpen());
}

TEST_F(TransferTest, GroupReadDecodesStartAndEnd) {
    ct().groups[1] = {10, 24};
    ASSERT_EQ(ReadGrpDataFromCt(*w.link), 0);
    EXPECT_EQ(w.l().CtLine[0], QStringLiteral("0RG0100A018\r\n"));
    EXPECT_EQ(w.ctx.grp.GrpFileData[1][0], 10);
    EXPECT_EQ(w.ctx.grp.GrpFileData[1][1], 24);
}

TEST_F(TransferTest, GroupWriteFailingAtAnyLineIsNeverCommitted) {
    struct Case {
        QByteArray line;
        size_t index;
        SimFault::Kind kind;
    } cases[] = {
        {"0WG01", 0, SimFault::Error},   {"0WG32", 49, SimFault::Error},  {"0WG63", 98, SimFault::Error},
        {"0WG01", 0, SimFault::Garble},  {"0WG32", 49, SimFault::Garble}, {"0WG63", 98, SimFault::Garble},
        {"0WG32", 49, SimFault::Corrupt},
    };
    for (const Case& c : cases) {
        LinkWorld x;
        ProgressRecorder bar;
        x.link->setProgress(&bar);
        Get_ErrorList(x.ctx);
        x.ctx.grp.GrpData = SampleGroups();
        const auto before = x.sim().state.groups;
        x.sim().faults.push_back(c.kind == SimFault::Garble ? GarbleFault(c.line)
                                                            : SimFault(c.kind, 0, "00B", c.line));
        const std::string what = c.line.toStdString() + " fault " + std::to_string(c.kind);
        EXPECT_EQ(WriteGrpDataToCt(*x.link), 1) << what;
        EXPECT_TRUE(x.l().TusinError) << what;
        const auto& got = x.sim().received;
        // The failing line is the last group line sent (a garbled echo of
        // the first three characters is followed by the link check only,
        // on a line made clean first).
        const size_t extra = c.kind == SimFault::Corrupt ? 2 : 0;
        ASSERT_EQ(got.size(), c.index + 1 + extra) << what;
        EXPECT_TRUE(got[c.index].startsWith(c.line)) << what;
        if (extra) {
            EXPECT_EQ(got.back(), QByteArray("0CM0"));
        }
        EXPECT_EQ(x.sim().state.commits, 0) << what;
        EXPECT_EQ(x.sim().state.groups, before) << what;
        EXPECT_EQ(bar.unloads, 1) << what;
        ASSERT_EQ(x.msg.shown.size(), 1u) << what;
        if (c.kind == SimFault::Garble) {
            EXPECT_EQ(x.msg.lastText(), ReceivingDataWrongText(x.ctx));
        }
        if (c.kind == SimFault::Corrupt) {
            EXPECT_EQ(x.msg.lastText(), QStringLiteral("Communication error occurs!"));
        }
    }
}

TEST_F(TransferTest, GroupValuesThatDoNotFitAreRefusedBeforeAnyLine) {
    for (int n : {1, 50, 99}) {
        LinkWorld x;
        x.ctx.grp.GrpData = SampleGroups();
        x.ctx.grp.GrpData[static_cast<size_t>(n)][1] = n == 50 ? 4096 : -1;
        x.l().CtLine[0] = QStringLiteral("previous");
        EXPECT_EQ(WriteGrpDataToCt(*x.link), 1);
        EXPECT_TRUE(x.l().TusinError);
        EXPECT_TRUE(x.sim().received.empty());
        EXPECT_TRUE(x.msg.lastText().contains(QStringLiteral("GROUP%1 END").arg(n))) << x.msg.lastText().toStdString();
        EXPECT_TRUE(x.l().CtLine[0].isEmpty()); // no older line left to be sent
    }
}

TEST_F(TransferTest, GroupReadFailureLeavesTheTable) {
    struct Case {
        SimFault fault;
        const char* what;
    } cases[] = {
        {SimFault(SimFault::Error, 0, "00B", "0RG32"), "error reply at group 50"},
        {GarbleFault("0RG01", 5, 'G'), "start of group 1 not hexadecimal"},
        {GarbleFault("0RG32", 9, '-'), "end of group 50 not hexadecimal"},
        {GarbleFault("0RG63", 10, ' '), "end of group 99 with a blank"},
    };
    for (const Case& c : cases) {
        LinkWorld x;
        Get_ErrorList(x.ctx);
        x.sim().state.groups.fill({5, 6});
        for (auto& g : x.ctx.grp.GrpFileData) g = {-7, -7, 0};
        const GrpTable before = x.ctx.grp.GrpFileData;
        x.sim().faults.push_back(c.fault);
        EXPECT_EQ(ReadGrpDataFromCt(*x.link), 1) << c.what;
        EXPECT_TRUE(x.l().TusinError) << c.what;
        EXPECT_EQ(x.ctx.grp.GrpFileData, before) << c.what;
        EXPECT_EQ(x.msg.shown.size(), 1u) << c.what;
        EXPECT_FALSE(x.port->isOpen()) << c.what;
    }
}

TEST_F(TransferTest, StoppedReadIsAFailureWithoutError) {
    // A stop is not a communication error, but the read did not happen.
    for (auto& g : w.ctx.grp.GrpFileData) g = {-7, -7, 0};
    const GrpTable before = w.ctx.grp.GrpFileData;
    w.sim().faults.push_back(SimFault(SimFault::Delay, 500, "00B", "0RG03"));
    QTimer::singleShot(100, w.link.get(), [&] { w.link->Stop(); });
    EXPECT_EQ(ReadGrpDataFromCt(*w.link), 1);
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_EQ(w.ctx.grp.GrpFileData, before);
    EXPECT_EQ(progress.unloads, 1);
}

// ---------------------------------------------------------------- macros

TEST(SmLines, CommandAndDataAlternate) {
    SmTable sm{};
    sm[0][0] = 3;
    sm[0][1] = 2;
    sm[1][0] = 5;
    sm[1][1] = 9;
    EXPECT_EQ(SmWriteLine(sm, 1).line, QStringLiteral("0WM13259") + QString(28, u'0'));
    sm[15][16] = 6;
    sm[15][17] = 15;
    EXPECT_EQ(SmWriteLine(sm, 9).line, QStringLiteral("0WM9") + QString(30, u'0') + QStringLiteral("6F"));
    sm[4][2] = 16;
    const LineOrItem bad = SmWriteLine(sm, 2);
    EXPECT_TRUE(bad.line.isEmpty());
    EXPECT_EQ(bad.badItem, QStringLiteral("SM2 STEP5 CMD"));
}

TEST_F(TransferTest, MacroRoundTrip) {
    w.ctx.sm.SmData = SampleMacros();
    ASSERT_EQ(WriteSmDataToCt(*w.link), 0);
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_TRUE(w.msg.shown.empty());
    ASSERT_EQ(received().size(), 10u);
    EXPECT_EQ(received().back(), QByteArray("0WE1"));
    EXPECT_EQ(ct().commitLog, std::vector<QByteArray>{"0WE1"});
    EXPECT_EQ(progress.max, 10);
    EXPECT_EQ(progress.last(), 10);
    EXPECT_EQ(progress.unloads, 1);
    EXPECT_EQ(w.l().TusinTimeout, 1000);

    for (auto& row : w.ctx.sm.SmFileData) row.fill(-3);
    w.sim().received.clear();
    progress = ProgressRecorder();
    ASSERT_EQ(ReadSmDataFromCt(*w.link), 0);
    for (size_t s = 0; s < 16; ++s)
        for (size_t c = 0; c < 18; ++c) EXPECT_EQ(w.ctx.sm.SmFileData[s][c], w.ctx.sm.SmData[s][c]) << s << "," << c;
    // Step 16 and column 18 do not travel.
    EXPECT_EQ(w.ctx.sm.SmFileData[16][0], -3);
    EXPECT_EQ(w.ctx.sm.SmFileData[0][18], -3);
    ASSERT_EQ(received().size(), 9u);
    EXPECT_EQ(received().front(), QByteArray("0RM1"));
    EXPECT_EQ(received().back(), QByteArray("0RM9"));
    EXPECT_EQ(progress.max, 9);
    EXPECT_EQ(progress.values, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(progress.unloads, 1);
}

TEST_F(TransferTest, MacroReadDecodesDigits) {
    ct().macros[2] = "1A" + QByteArray(30, '0');
    ASSERT_EQ(ReadSmDataFromCt(*w.link), 0);
    EXPECT_EQ(w.ctx.sm.SmFileData[0][2], 1);
    EXPECT_EQ(w.ctx.sm.SmFileData[0][3], 10);
}

TEST_F(TransferTest, MacroWriteFailingAtAnyLineIsNeverCommitted) {
    struct Case {
        QByteArray line;
        size_t index;
        bool badEcho;
    } cases[] = {{"0WM1", 0, false}, {"0WM5", 4, false}, {"0WM9", 8, false},
                 {"0WM1", 0, true},  {"0WM5", 4, true},  {"0WM9", 8, true}};
    for (const Case& c : cases) {
        LinkWorld x;
        ProgressRecorder bar;
        x.link->setProgress(&bar);
        Get_ErrorList(x.ctx);
        x.ctx.sm.SmData = SampleMacros();
        const auto before = x.sim().state.macros;
        // A lower-case digit in the echo counts as different.
        x.sim().faults.push_back(c.badEcho ? GarbleFault(c.line, 10, 'a') : SimFault(SimFault::Error, 0, "00B", c.line));
        const std::string what = c.line.toStdString() + (c.badEcho ? " echo" : " error");
        EXPECT_EQ(WriteSmDataToCt(*x.link), 1) << what;
        EXPECT_TRUE(x.l().TusinError) << what;
        ASSERT_EQ(x.sim().received.size(), c.index + 1) << what;
        EXPECT_EQ(x.sim().state.commits, 0) << what;
        EXPECT_EQ(x.sim().state.macros, before) << what;
        EXPECT_EQ(bar.unloads, 1) << what;
        ASSERT_EQ(x.msg.shown.size(), 1u) << what;
        if (c.badEcho) {
            EXPECT_EQ(x.msg.lastText(), ReceivingDataWrongText(x.ctx)) << what;
        }
    }
}

TEST_F(TransferTest, MacroValuesThatDoNotFitAreRefusedBeforeAnyLine) {
    w.ctx.sm.SmData = SampleMacros();
    w.ctx.sm.SmData[15][17] = 16;
    EXPECT_EQ(WriteSmDataToCt(*w.link), 1);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_TRUE(received().empty());
    EXPECT_TRUE(w.msg.lastText().contains(QStringLiteral("SM9 STEP16 DATA")));
    w.ctx.sm.SmData[15][17] = 0;
    w.ctx.sm.SmData[0][0] = -1;
    EXPECT_EQ(WriteSmDataToCt(*w.link), 1);
    EXPECT_TRUE(received().empty());
}

TEST_F(TransferTest, MacroReadFailureLeavesTheTableAndBringsTheCommandsBack) {
    struct Case {
        SimFault fault;
        const char* what;
    } cases[] = {
        {SimFault(SimFault::Error, 0, "00B", "0RM4"), "error reply at macro 4"},
        {SimFault(SimFault::Lengthen, 0, "00B", "0RM1"), "long reply at macro 1"},
        {GarbleFault("0RM1", 4, 'G'), "first command of macro 1"},
        {GarbleFault("0RM5", 20, 'g'), "macro 5"},
        {GarbleFault("0RM9", 35, '*'), "last data of macro 9"},
    };
    for (const Case& c : cases) {
        LinkWorld x;
        ProgressRecorder bar;
        x.link->setProgress(&bar);
        Get_ErrorList(x.ctx);
        for (auto& row : x.ctx.sm.SmFileData) row.fill(-3);
        const SmTable before = x.ctx.sm.SmFileData;
        x.sim().faults.push_back(c.fault);
        EXPECT_EQ(ReadSmDataFromCt(*x.link), 1) << c.what;
        EXPECT_TRUE(x.l().TusinError) << c.what;
        EXPECT_EQ(x.ctx.sm.SmFileData, before) << c.what;
        EXPECT_EQ(x.msg.shown.size(), 1u) << c.what;
        EXPECT_EQ(bar.unloads, 1) << c.what;
        EXPECT_FALSE(bar.visible) << c.what;
    }
}

// ---------------------------------------------------------------- common

TEST_F(TransferTest, JapaneseTextsAndTheProgressWindowClosedTwice) {
    w.ctx.setLanguage(1);
    w.ctx.grp.GrpData = SampleGroups();
    w.sim().faults.push_back(GarbleFault("0WG02"));
    EXPECT_EQ(WriteGrpDataToCt(*w.link), 1);
    EXPECT_EQ(progress.setumei, QStringLiteral("データをコントローラへ転送しています"));
    EXPECT_EQ(w.msg.lastText(), QStringLiteral("通信データエラー！\r\n通信データのデータに異常が検出されました"));
    // The caller may unload the window again.
    progress.Unload();
    EXPECT_EQ(progress.unloads, 2);
    ASSERT_EQ(ReadSmDataFromCt(*w.link), 0);
    EXPECT_EQ(progress.setumei, QStringLiteral("コントローラからデータを読み込んでいます…"));
}

TEST_F(TransferTest, PortKeptOpenWhenOccupied) {
    w.ctx.opt.PortOccupy = true;
    w.ctx.sm.SmData = SampleMacros();
    ASSERT_EQ(WriteSmDataToCt(*w.link), 0);
    ASSERT_EQ(ReadSmDataFromCt(*w.link), 0);
    EXPECT_TRUE(w.port->isOpen());
    EXPECT_EQ(w.simPort().opens, 1);
}

TEST_F(TransferTest, NoProgressWindow) {
    // Without a main window the transfers still run.
    w.link->setProgress(nullptr);
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0RM2"));
    EXPECT_EQ(ReadSmDataFromCt(*w.link), 1);
    w.ctx.para.one.rec = SampleParaRecord(Product::OneAxis);
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0WD1"));
    EXPECT_EQ(W3kWriteParaToCt(*w.link), 1);
    EXPECT_EQ(W3kWriteParaToCt(*w.link), 0);
}
