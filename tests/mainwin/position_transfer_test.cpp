// Position data with the controller: write, read and verification against
// the simulated controller in process.
#include "files/GrpSmFiles.h"
#include "sim/CtSim.h"
#include "testsupport/PositionLinkWorld.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace rer {
namespace {

using sim::GarbleFault;
using sim::SimFault;
using test::PositionLinkWorld;

QString Completed() { return QStringLiteral("Completed data transmit."); }

struct Written : PositionLinkWorld {
    explicit Written(int ctType = 1, bool mm = false) : PositionLinkWorld(ctType, mm) {
        fillGrid();
        setStroke(0, 0xFFFFF);
        setStroke(1, 0xFFFFF);
    }
    bool write() { return PosidataLoadtoCtProc(ctx, *link, host, product()); }
};

TEST(PositionWrite, LineLayout) {
    PositionLinkWorld w;
    auto& row = w.ctx.pos.two.PosiData[399];
    const double v[11] = {9, 3, 2, 1048575, 1, 2, 3, 10, 1, 3, 9};
    for (int c = 0; c < 11; ++c) row[c] = Value::number(v[c]);
    EXPECT_EQ(PosiWriteLine(w.ctx, Product::TwoAxis, 399), QStringLiteral("0WP18F932FFFFF1230000A139"));
    row[3] = Value::number(2.5); // halves to even
    EXPECT_EQ(PosiWriteLine(w.ctx, Product::TwoAxis, 399)->mid(9, 5), QStringLiteral("00002"));
    w.ctx.pos.two.PosiData[10] = row;
    EXPECT_EQ(PosiWriteLine(w.ctx, Product::TwoAxis, 10)->left(6), QStringLiteral("0WP00A"));
    for (double bad : {1048576.0, -1.0}) {
        row[3] = Value::number(bad);
        EXPECT_FALSE(PosiWriteLine(w.ctx, Product::TwoAxis, 399)) << bad;
    }
    row[3] = Value::number(0);
    row[9] = Value::number(16);
    EXPECT_FALSE(PosiWriteLine(w.ctx, Product::TwoAxis, 399));
    row[9] = Value();
    EXPECT_FALSE(PosiWriteLine(w.ctx, Product::TwoAxis, 399));
}

TEST(PositionWrite, WholeTableThenReadBackIntoAFreshGrid) {
    for (int ctType : {1, 2}) {
        Written w(ctType);
        const Product p = w.product();
        if (p == Product::OneAxis)
            for (int r = 1; r <= 399; ++r) w.ctx.grid.flgdDummy.setText(r, 4, QString::number(r)); // carried POSI2
        const auto shown = w.grid().snapshot();
        ASSERT_TRUE(w.write());
        EXPECT_EQ(w.msg.lastText(), Completed());
        EXPECT_FALSE(w.l().TusinError);
        const auto& rx = w.sim().received;
        ASSERT_EQ(rx.size(), size_t(3 + 399));
        EXPECT_EQ(rx[0], QByteArray("0CM1"));
        EXPECT_EQ(rx[1], QByteArray("0RD0"));
        EXPECT_EQ(rx[2], QByteArray("0RD4"));
        EXPECT_EQ(rx[3].left(6), QByteArray("0WP001"));
        EXPECT_EQ(rx.back().left(6), QByteArray("0WP18F"));
        const auto& sp = w.sim().state.positions;
        if (p == Product::TwoAxis) {
            EXPECT_EQ(sp[5], sim::PositionRecord(6, 3, 1, 65, 9, 1, 3, 35, 1, 1, 5));
        } else {
            EXPECT_EQ(sp[5], sim::PositionRecord(6, 3, 1, 65, 0, 0, 0, 5, 0, 1, 5));
        }
        EXPECT_EQ(w.progress.max, 399);
        EXPECT_EQ(w.progress.last(), 399);
        EXPECT_FALSE(w.progress.visible);
        EXPECT_FALSE(w.link->busy());

        // A fresh table: read back shows the same cells; comments come from
        // the received table (none yet).
        w.msg.clear();
        w.ctx.pos.of(p).PosiData = PosiDataTable(kPosiRows);
        SetUpPositionGrid(w.ctx, p);
        w.msg.answer(MsgAnswer::Ok);
        ASSERT_TRUE(PosidataGetfromCtProc(w.ctx, *w.link, w.host, p));
        ASSERT_EQ(w.msg.shown.size(), size_t(1));
        EXPECT_EQ(w.msg.shown[0].text, QStringLiteral("Read the data from controller, OK?"));
        const auto back = w.grid().snapshot();
        const int cols = LastColumn(p) + 1;
        for (size_t i = size_t(cols); i < back.size(); ++i) {
            if (int(i % size_t(cols)) == LastColumn(p)) continue; // comments
            EXPECT_EQ(back[i], shown[i]) << "cell " << i;
        }
        EXPECT_EQ(w.ctx.main.TitleOfShowFile, QStringLiteral("Inside of C/T"));
        EXPECT_EQ(w.host.fileLabel, QStringLiteral("Inside of C/T"));
        if (p == Product::OneAxis) {
            EXPECT_EQ(w.ctx.grid.flgdDummy.text(77, 4), QStringLiteral("77"));
        }
        EXPECT_EQ(w.progress.max, 400);
    }
}

TEST(PositionWrite, ARangeSendsOnlyItsPositions) {
    Written w;
    w.host.ranges.push_back(std::make_pair(10, 12));
    w.grid().setText(200, 1, QStringLiteral("")); // outside the range: not checked
    ASSERT_TRUE(w.write());
    EXPECT_EQ(w.count("0WP"), 3);
    EXPECT_EQ(w.sim().received.back().left(6), QByteArray("0WP00C"));
    EXPECT_EQ(w.progress.max, 3);
    EXPECT_EQ(w.progress.values.back(), 3);
}

TEST(PositionWrite, FailureAtTheFirstMiddleAndLastPosition) {
    struct Case {
        const char* at;
        int sent;
        bool echo; // a changed echo instead of an error reply
    };
    const Case cases[] = {{"0WP001", 1, false}, {"0WP0C8", 200, false}, {"0WP18F", 399, false},
                          {"0WP001", 1, true},  {"0WP0C8", 200, true},  {"0WP18F", 399, true}};
    for (const Case& c : cases) {
        Written w;
        if (c.echo)
            w.sim().faults.push_back(GarbleFault(c.at, 20));
        else
            w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", c.at));
        EXPECT_FALSE(w.write()) << c.at;
        EXPECT_EQ(w.count("0WP"), c.sent) << c.at;
        EXPECT_TRUE(w.l().TusinError) << c.at;
        EXPECT_FALSE(w.msg.anyContains(Completed())) << c.at;
        if (c.echo) {
            EXPECT_EQ(w.msg.lastText(), QStringLiteral("Communication error occurs!\r\ntransmit data is wrong"));
        }
        EXPECT_FALSE(w.progress.visible) << c.at;
    }
}

TEST(PositionWrite, AStopIsAFailure) {
    Written w;
    w.sim().faults.push_back(SimFault(SimFault::Delay, 300, "00B", "0WP0C8"));
    // Stop while position 200 waits for its reply, however loaded the machine.
    QTimer stop;
    QObject::connect(&stop, &QTimer::timeout, [&] {
        if (w.count("0WP0C8") == 0) return;
        stop.stop();
        w.link->Stop();
    });
    stop.start(2);
    EXPECT_FALSE(w.write());
    EXPECT_EQ(w.count("0WP"), 200);
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_FALSE(w.msg.anyContains(Completed()));
}

TEST(PositionWrite, SoftLimitsComparePulsesInEitherUnit) {
    for (bool mm : {false, true}) {
        for (int ctType : {1, 2}) {
            Written w(ctType, mm);
            // 6000 pulses = 90 mm, 6001 pulses = 90.015 mm (lead 6, 400 p/rev).
            w.grid().setText(5, 4, mm ? QStringLiteral("90.015") : QStringLiteral("6001"));
            w.grid().setText(6, 4, mm ? QStringLiteral("90") : QStringLiteral("6000"));
            for (int r = 1; r <= 399; ++r) {
                if (r != 5 && r != 6) w.grid().setText(r, 4, QStringLiteral("0"));
                if (ctType == 1) w.grid().setText(r, 8, QStringLiteral("0"));
            }
            w.setStroke(0, 6000);
            EXPECT_FALSE(w.write());
            EXPECT_EQ(w.count("0WP"), 0);
            EXPECT_EQ(w.msg.lastText(), QStringLiteral("Some position data exceed the soft limit in the Parameter(Stroke).\r\n"
                                                       "Confirm the position data indicated bellow, and try it again.\r\n"
                                                       " <Position No. 5、>"));
            EXPECT_EQ(w.ctx.posJob.StrokeSoftLimit[0] + w.ctx.posJob.W3kStrokeSoftLimit[0], 6000);
            EXPECT_FALSE(w.progress.visible);
        }
    }
    // Axis 2 of the two-axis product.
    Written w;
    w.setStroke(1, 10);
    EXPECT_FALSE(w.write());
    EXPECT_TRUE(w.msg.lastText().startsWith(QStringLiteral("Some position data exceed")));
    EXPECT_TRUE(w.msg.lastText().contains(QStringLiteral(" <Position No. 2、3、")));
}

// The soft limits cover positions 1 to 399 whatever range is written, in
// either display unit.
TEST(PositionWrite, SoftLimitsCoverEveryPositionWhateverTheRange) {
    for (bool mm : {false, true}) {
        for (int ctType : {1, 2}) {
            Written w(ctType, mm);
            for (int r = 1; r <= 399; ++r) {
                w.grid().setText(r, 4, QStringLiteral("0"));
                if (ctType == 1) w.grid().setText(r, 8, QStringLiteral("0"));
            }
            // 6001 pulses = 90.015 mm (lead 6, 400 p/rev), beyond a limit of 6000.
            w.grid().setText(300, 4, mm ? QStringLiteral("90.015") : QStringLiteral("6001"));
            w.setStroke(0, 6000);
            w.host.ranges.push_back(std::make_pair(10, 12));
            EXPECT_FALSE(w.write()) << ctType << mm;
            EXPECT_EQ(w.count("0WP"), 0) << ctType << mm;
            EXPECT_TRUE(w.msg.lastText().endsWith(QStringLiteral(" <Position No. 300、>"))) << ctType << mm;
        }
    }
}

TEST(PositionWrite, RefusalsSendNothing) {
    enum Stop { RangeCancelled, CheckRefused, ConfirmCancelled, ModeFails, StrokeReadFails };
    for (Stop stop : {RangeCancelled, CheckRefused, ConfirmCancelled, ModeFails, StrokeReadFails}) {
        Written w;
        if (stop == RangeCancelled) w.host.ranges.push_back(std::nullopt);
        if (stop == CheckRefused) w.grid().setText(399, 2, QStringLiteral("4"));
        if (stop == ConfirmCancelled) w.msg.answer(MsgAnswer::Cancel);
        if (stop == ModeFails) w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0CM"));
        if (stop == StrokeReadFails) w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0RD4"));
        EXPECT_FALSE(w.write()) << stop;
        EXPECT_EQ(w.count("0WP"), 0) << stop;
        EXPECT_FALSE(w.msg.anyContains(Completed())) << stop;
        if (stop <= ConfirmCancelled) {
            EXPECT_TRUE(w.sim().received.empty()) << stop;
        }
        if (stop == CheckRefused) {
            EXPECT_TRUE(w.msg.lastText().contains(QStringLiteral("399,"))) << stop;
        }
        EXPECT_FALSE(w.ctx.pos.SelectPosiCancel);
    }
}

TEST(PositionWrite, CommandTogglesTheFamilies) {
    Written w;
    PosidataLoadtoCt(w.ctx, *w.link, w.host);
    EXPECT_EQ(w.host.calls, QStringList({QStringLiteral("Off"), QStringLiteral("On")}));
    EXPECT_EQ(w.host.win.calls, QStringList({QStringLiteral("FocusDummy")}));
    EXPECT_EQ(w.msg.lastText(), Completed());
}

// ---- Read

struct ReadWorld : PositionLinkWorld {
    explicit ReadWorld(int ctType = 1) : PositionLinkWorld(ctType) {
        for (int n = 1; n <= 399; ++n)
            sim().state.positions[size_t(n)] = sim::PositionRecord(n % 9 + 1, 2, 1, n * 2, 3, 3, 0, n, 0, 2, 4);
    }
    bool read() { return PosidataGetfromCtProc(ctx, *link, host, product()); }
};

TEST(PositionRead, DecodesIntoTheGridAndKeepsTheFileComments) {
    ReadWorld w;
    w.sim().state.positions[16] = sim::PositionRecord(1, 1, 0, 0xFFFFF, 1, 1, 0, 0xA, 1, 3, 9);
    w.ctx.pos.two.PosiFileData[16][12] = Value::text(QStringLiteral("from file"));
    ASSERT_TRUE(w.read());
    EXPECT_EQ(w.sim().received[15], QByteArray("0RP010"));
    EXPECT_EQ(w.sim().received[254], QByteArray("0RP0FF"));
    EXPECT_EQ(w.grid().text(16, 4), QStringLiteral("1048575"));
    EXPECT_EQ(w.grid().text(16, 8), QStringLiteral("     10"));
    EXPECT_EQ(w.grid().text(16, 11), QStringLiteral("9"));
    EXPECT_EQ(w.grid().text(16, 12), QStringLiteral("from file"));
    EXPECT_EQ(w.grid().text(17, 12), QString());
    EXPECT_EQ(w.ctx.pos.two.PosiFileData[16][4].toNumber(), 1048575);
}

TEST(PositionRead, FailureAtTheFirstMiddleAndLastPositionChangesNothing) {
    for (const char* at : {"0RP001", "0RP0C8", "0RP18F", "bad field"}) {
        ReadWorld w;
        const bool badField = QByteArray(at) == "bad field";
        if (badField)
            w.sim().state.positions[200] = "3210G00" + QByteArray(12, '0');
        else
            w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", at));
        w.ctx.main.TitleOfShowFile = QStringLiteral("kept");
        w.ctx.pos.two.PosiFileData[1][1] = Value::text(QStringLiteral("kept"));
        const auto before = w.grid().snapshot();
        EXPECT_FALSE(w.read()) << at;
        EXPECT_EQ(w.grid().snapshot(), before) << at;
        EXPECT_EQ(w.ctx.main.TitleOfShowFile, QStringLiteral("kept")) << at;
        EXPECT_EQ(w.ctx.pos.two.PosiFileData[1][1].toText(), QStringLiteral("kept")) << at;
        EXPECT_FALSE(w.progress.visible) << at;
        EXPECT_FALSE(w.msg.shown.empty()) << at; // the failure was told
    }
}

// Every field of the record must be hexadecimal, the one-digit ones (VEL,
// ACC, WAY, ITPL, OUT, S/M) as well as the positions.
TEST(PositionRead, ACharacterThatIsNotHexadecimalIsRefusedInEveryField) {
    for (int at = 6; at <= 24; ++at) {
        for (char with : {'G', ' ', ':'}) {
            ReadWorld w;
            w.sim().faults.push_back(GarbleFault("0RP0C8", at, with));
            const auto before = w.grid().snapshot();
            const PosiFileTable received = w.ctx.pos.two.PosiFileData;
            EXPECT_FALSE(w.read()) << at << with;
            EXPECT_EQ(w.msg.lastText(), QStringLiteral("Communication error occurs!\r\nReceiving data is wrong!"))
                << at << " '" << with << "'";
            EXPECT_TRUE(w.l().TusinError) << at << with;
            EXPECT_EQ(w.grid().snapshot(), before) << at << with;
            EXPECT_TRUE(w.ctx.pos.two.PosiFileData == received) << at << with;
        }
    }
}

TEST(PositionRead, AsksToSaveFirstAndStopsWhenTheSaveDidNotHappen) {
    ReadWorld w;
    w.ctx.pos.two.PosiData[7][0] = Value::number(3); // data in the table
    w.msg.answer(MsgAnswer::Yes);
    w.files.answer(std::nullopt); // Save As dialog cancelled (after its own OK)
    EXPECT_FALSE(w.read());
    EXPECT_EQ(w.msg.shown[0].text, QStringLiteral("Save the editing data before reading data?"));
    EXPECT_EQ(w.msg.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(w.sim().received.empty());

    w.msg.clear();
    w.msg.answer(MsgAnswer::Cancel);
    EXPECT_FALSE(w.read());
    EXPECT_EQ(w.msg.shown.size(), size_t(1));

    // An edit typed since the last check asks as well; No reads.
    ReadWorld e;
    e.grid().Tag = kDataChange;
    e.msg.answer(MsgAnswer::No);
    e.msg.answer(MsgAnswer::Ok);
    EXPECT_TRUE(e.read());
    EXPECT_EQ(e.msg.shown[0].text, QStringLiteral("Save the editing data before reading data?"));
    EXPECT_EQ(e.count("0RP"), 399);
}

// ---- Verification

struct VerifyWorld : Written {
    QTemporaryDir dir;
    explicit VerifyWorld(int ctType = 1) : Written(ctType) {
        EXPECT_TRUE(write());
        msg.clear();
    }
};

TEST(PositionVerify, AgainstTheControllerListsExactlyTheDifferences) {
    for (int ctType : {1, 2}) {
        VerifyWorld w(ctType);
        const Product p = w.product();
        PosiDataCtShogo(w.ctx, *w.link, w.host, p);
        EXPECT_EQ(w.msg.lastText(), QStringLiteral("Data : indicated and inside of controller\r\n\r\nResult of Verify : OK"));
        EXPECT_EQ(w.host.resultsShown, 0);
        EXPECT_EQ(w.ctx.pos.PosiShogoNgCount, 0);

        // Two differences in the controller: position 5 VEL1, position 300 SM.
        auto& sp = w.sim().state.positions;
        sp[5][0] = sp[5][0] == '1' ? '2' : '1';
        sp[300][18] = sp[300][18] == '0' ? '1' : '0';
        w.grid().setText(8, LastColumn(p), QStringLiteral("other comment")); // never compared
        PosiDataCtShogo(w.ctx, *w.link, w.host, p);
        ASSERT_EQ(w.host.resultsShown, 1);
        ASSERT_EQ(w.host.resultRows.size(), size_t(2));
        EXPECT_EQ(w.host.resultRows[0].posiNo, 5);
        EXPECT_EQ(w.host.resultRows[1].posiNo, 300);
        const size_t items = p == Product::TwoAxis ? 11 : 6;
        ASSERT_EQ(w.host.resultRows[0].differs.size(), items);
        for (size_t i = 0; i < items; ++i) {
            EXPECT_EQ(w.host.resultRows[0].differs[i], i == 0) << i;
            EXPECT_EQ(w.host.resultRows[1].differs[i], i == items - 1) << i;
        }
        EXPECT_EQ(w.ctx.pos.PosiShogoNgCount, 2);
        for (const auto& row : w.ctx.pos.of(p).PosiShogoKekka) EXPECT_EQ(row, (std::array<bool, 12>{}));

        // A range of one position compares only that one.
        w.host.ranges.push_back(std::make_pair(300, 300));
        w.host.resultRows.clear();
        PosiDataCtShogo(w.ctx, *w.link, w.host, p);
        ASSERT_EQ(w.host.resultRows.size(), size_t(1));
        EXPECT_EQ(w.host.resultRows[0].posiNo, 300);
    }
}

TEST(PositionVerify, AgainstAFileWithTwoChangedCells) {
    for (int ctType : {1, 2}) {
        VerifyWorld w(ctType);
        const Product p = w.product();
        const QString path = w.dir.filePath(QStringLiteral("v.kzd"));
        ASSERT_TRUE(SaveFileAs(w.ctx, w.host, p, path));
        w.files.answer(path);
        PosiDataFileShogo(w.ctx, w.host, p);
        EXPECT_EQ(w.msg.lastText(), QStringLiteral("Data : indicated and saved into the file(v.kzd)\r\n\r\nResult of Verify : OK"));
        EXPECT_EQ(w.files.opened.back().title, QStringLiteral("Open Position Data file to be Verified"));

        w.grid().setText(2, 4, QStringLiteral("1"));
        w.grid().setText(398, 1, QStringLiteral("9"));
        w.files.answer(path);
        PosiDataFileShogo(w.ctx, w.host, p);
        ASSERT_EQ(w.host.resultRows.size(), size_t(2));
        EXPECT_EQ(w.host.resultRows[0].posiNo, 2);
        EXPECT_TRUE(w.host.resultRows[0].differs[3]);
        EXPECT_EQ(w.host.resultRows[1].posiNo, 398);
        EXPECT_TRUE(w.host.resultRows[1].differs[0]);
    }
}

// A file the reader refuses: told once, over the file and why; a file of
// another kind by the reader alone. Nothing is compared.
TEST(PositionVerify, ARefusedFileIsToldOnceWithWhy) {
    for (int ctType : {1, 2}) {
        VerifyWorld w(ctType);
        const Product p = w.product();
        const QString bad = w.dir.filePath(QStringLiteral("bad.kzd"));
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"VO-D6\"\r\n\"KZ- 28L-100\",\"KZ- 28L-100\",\"NEW\",\"NEW\"\r\n"
                "400,\"5\",\"3\",\"0\",\"100\",\"5\",\"3\",\"0\",\"100\",\"0\",\"0\",\"0\",\"\"\r\n");
        f.close();
        w.files.answer(bad);
        PosiDataFileShogo(w.ctx, w.host, p);
        ASSERT_EQ(w.msg.shown.size(), 1u);
        EXPECT_EQ(w.msg.lastText(), QStringLiteral("Fail to open Position Data file.\r\n") +
                                        QDir::toNativeSeparators(QFileInfo(bad).absoluteFilePath()) +
                                        QStringLiteral(": Position No. = 400"));
        EXPECT_EQ(w.host.resultsShown, 0);

        const QString other = w.dir.filePath(QStringLiteral("other.grp"));
        ASSERT_TRUE(WriteGrpFile(w.ctx, other));
        w.msg.clear();
        w.files.answer(other);
        PosiDataFileShogo(w.ctx, w.host, p);
        ASSERT_EQ(w.msg.shown.size(), 1u);
        EXPECT_TRUE(w.msg.lastText().startsWith(QStringLiteral("Not Position Data file for DI-D6. Opening file is canceled.\r\n")));
        EXPECT_EQ(w.host.resultsShown, 0);
    }
}

TEST(PositionVerify, ChoiceDialogAndMenuFollowTheProduct) {
    VerifyWorld w(2);
    w.host.shogoChoice = 2;
    PosiDataShogoProc(w.ctx, *w.link, w.host);
    EXPECT_TRUE(w.msg.lastText().startsWith(QStringLiteral("Data : indicated and inside of controller")));
    EXPECT_EQ(w.host.calls.back(), QStringLiteral("On"));

    w.msg.clear();
    w.host.shogoChoice = 0;
    PosiDataShogoProc(w.ctx, *w.link, w.host);
    EXPECT_TRUE(w.msg.shown.empty());

    // The File menu on the one-axis product verifies the one-axis table.
    w.sim().state.positions[9][18] = w.sim().state.positions[9][18] == '0' ? '1' : '0';
    PosiVerifyMenu(w.ctx, *w.link, w.host, false);
    ASSERT_EQ(w.host.resultRows.size(), size_t(1));
    EXPECT_EQ(w.host.resultRows[0].differs.size(), size_t(6));
    EXPECT_TRUE(w.host.resultRows[0].differs[5]);

    // Refused check or a port that fails: nothing read.
    w.sim().received.clear();
    w.grid().setText(3, 1, QString());
    PosiVerifyMenu(w.ctx, *w.link, w.host, false);
    EXPECT_TRUE(w.sim().received.empty());
}

} // namespace
} // namespace rer
