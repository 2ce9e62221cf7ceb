// The position write and read through the real serial port against the
// simulated controller on a pseudo-terminal.
#include "link/CtError.h"
#include "platform/SerialPort.h"
#include "app/StartUp.h"
#include "link/Transfers.h"
#include "setup/ParamFields.h"
#include "sim/NewUserState.h"
#include "sim/PtySim.h"
#include "testsupport/AppFixture.h"
#include "testsupport/NumericLocale.h"
#include "testsupport/PositionLinkWorld.h"

#include <QFileInfo>
#include <functional>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace rer {
namespace {

using sim::CtSim;

// The controller as a new user's ctsim starts, changed by `prepare`, behind
// the fixed path `link` that the program's port 1 opens.
testing::AssertionResult StartNewUsersController(sim::PtySim& pty, const QString& link,
                                                 const std::function<void(CtSim&)>& prepare = {}) {
    QString why;
    if (!pty.withSim([&](CtSim& s) { return sim::LoadNewUserState(s.state, QStringLiteral(RER_DATA_DIR), &why); }))
        return testing::AssertionFailure() << why.toStdString();
    if (prepare) pty.withSim(prepare);
    pty.setLinkPath(link);
    if (!pty.start()) return testing::AssertionFailure() << pty.error().toStdString();
    qputenv("RER6O250_COM1", link.toLocal8Bit());
    return testing::AssertionSuccess();
}

// The program started for product `ct` with nothing saved: the product
// confirmed without a message, a new position table, port 1.
testing::AssertionResult StartProgram(test::PositionLinkWorld& w, int ct) {
    Get_ErrorList(w.ctx);
    test::RecordingMainWindow win;
    ConfirmProduct(w.ctx, ct, win);
    if (!w.msg.shown.empty()) return testing::AssertionFailure() << w.msg.lastText().toStdString();
    SetUpPositionGrid(w.ctx, w.product());
    w.ctx.opt.PortNo = 1;
    w.l().TusinTimeout = 1000;
    return testing::AssertionSuccess();
}

TEST(PtyPosition, WriteThenReadBack) {
    sim::PtySim pty;
    pty.usePrivateLink();
    ASSERT_TRUE(pty.start());
    qputenv("RER6O250_COM1", pty.openPath().toLocal8Bit());
    {
        test::PositionLinkWorld w(1, false, std::make_unique<QtSerialPort>());
        Get_ErrorList(w.ctx);
        w.ctx.opt.PortNo = 1;
        pty.withSim([](CtSim& s) {
            for (char b : {'0', '4'}) s.state.paramBlocks[b].replace(14, 6, "0FFFFF");
        });
        w.fillGrid();
        const auto shown = w.grid().snapshot();
        ASSERT_TRUE(PosidataLoadtoCtProc(w.ctx, *w.link, w.host, Product::TwoAxis));
        EXPECT_EQ(w.msg.lastText(), QStringLiteral("Completed data transmit."));
        const QByteArray p200 = pty.withSim([](CtSim& s) { return s.state.positions[200]; });
        EXPECT_EQ(p200, sim::PositionRecord(3, 3, 0, 2600, 6, 1, 2, 1400, 0, 0, 0));

        SetUpPositionGrid(w.ctx, Product::TwoAxis);
        w.ctx.pos.two.PosiData = PosiDataTable(kPosiRows);
        w.msg.clear();
        ASSERT_TRUE(PosidataGetfromCtProc(w.ctx, *w.link, w.host, Product::TwoAxis));
        const auto back = w.grid().snapshot();
        for (size_t i = 13; i < back.size(); ++i)
            if (i % 13 != 12) {
                EXPECT_EQ(back[i], shown[i]) << i;
            }
    }
    qunsetenv("RER6O250_COM1");
}

// A new user's first hour: ctsim as it starts, reached through the fixed
// path of its link, and a program that has saved nothing yet. Reading the
// positions gives a table that passes the program's checks; the parameters
// read are within their ranges; writing the new table back passes the
// stroke check and completes.
TEST(PtyPosition, ANewUsersFirstReadAndWritePassTheProgramsChecks) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    for (int ct : {1, 2}) {
        sim::PtySim pty;
        ASSERT_TRUE(StartNewUsersController(pty, link));
        {
            test::PositionLinkWorld w(ct, true, std::make_unique<QtSerialPort>());
            ASSERT_TRUE(StartProgram(w, ct));
            const Product p = w.product();

            ASSERT_TRUE(PosidataGetfromCtProc(w.ctx, *w.link, w.host, p)) << w.msg.lastText().toStdString();
            w.msg.clear();
            w.ctx.pos.PosiRangeStart = 1;
            w.ctx.pos.PosiRangeEnd = 399;
            PosiDataCheck(w.ctx, p);
            EXPECT_FALSE(w.ctx.main.PosiDataCheckError) << ct << " " << w.msg.lastText().toStdString();
            EXPECT_EQ(w.grid().text(1, 1), QStringLiteral("5")); // VEL of a new table
            EXPECT_EQ(w.grid().text(4, 4).trimmed(), QStringLiteral("100.005")); // the whole stroke

            ASSERT_EQ(ReadParaFromCt(*w.link, p), 0);
            ParaRecord rec;
            ParaTableToRecord(w.ctx.para.of(p).ParaFileData, p, rec);
            EXPECT_FALSE(ParaOutOfRange(rec, p)) << ct;

            SetUpPositionGrid(w.ctx, p); // New: the table a new user starts with
            w.msg.clear();
            ASSERT_TRUE(PosidataLoadtoCtProc(w.ctx, *w.link, w.host, p)) << w.msg.lastText().toStdString();
            EXPECT_EQ(w.msg.lastText(), QStringLiteral("Completed data transmit."));
        }
        qunsetenv("RER6O250_COM1");
    }
}

// Under a locale whose decimal mark is a comma, as many users run the
// program: positions read in millimetres (the default display) and written
// straight back leave the controller's pulses as they were, and a typed
// "12.5" is 12.5 mm, in both products.
TEST(PtyPosition, MillimetresReadAndWrittenBackUnderACommaLocaleKeepThePulses) {
    test::ScopedLocale comma(test::kCommaLocale);
    ASSERT_TRUE(comma.ok()) << test::kLocaleMissing;
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    for (int ct : {1, 2}) {
        sim::PtySim pty;
        // Positions 5 to 8 at 12.495, 0.015, 66.675 and 100.005 mm (lead 6,
        // 400 pulses per revolution), axis 2 elsewhere.
        const int pulses[] = {833, 1, 4445, 6667};
        ASSERT_TRUE(StartNewUsersController(pty, link, [&](CtSim& s) {
            for (int i = 0; i < 4; ++i)
                s.state.positions[5 + i] = ct == 1 ? sim::PositionRecord(5, 3, 0, pulses[i], 4, 2, 0, pulses[3 - i], 0, 0, 0)
                                                   : sim::PositionRecord(5, 3, 0, pulses[i], 0, 0, 0, 0, 0, 0, 0);
        }));
        const auto before = pty.withSim([](CtSim& s) { return s.state.positions; });
        {
            test::PositionLinkWorld w(ct, true, std::make_unique<QtSerialPort>());
            ASSERT_TRUE(StartProgram(w, ct));
            ASSERT_TRUE(w.ctx.opt.DispMmUnit);
            const Product p = w.product();

            ASSERT_TRUE(PosidataGetfromCtProc(w.ctx, *w.link, w.host, p)) << w.msg.lastText().toStdString();
            EXPECT_EQ(w.grid().text(5, 4), QStringLiteral(" 12.495")) << ct;
            EXPECT_EQ(w.grid().text(6, 4), QStringLiteral("  0.015")) << ct;
            if (ct == 1) {
                EXPECT_EQ(w.grid().text(5, 8), QStringLiteral("100.005"));
            }
            w.msg.clear();
            ASSERT_TRUE(PosidataLoadtoCtProc(w.ctx, *w.link, w.host, p)) << w.msg.lastText().toStdString();
            EXPECT_EQ(w.msg.lastText(), QStringLiteral("Completed data transmit."));
            const auto after = pty.withSim([](CtSim& s) { return s.state.positions; });
            for (int n = 1; n <= 399; ++n) EXPECT_EQ(after[size_t(n)], before[size_t(n)]) << "product " << ct << " position " << n;

            // Typed 12.5 mm (833.33 pulses: the pulse of 12.495 mm) goes out
            // as 833 pulses, not as 12 mm (800).
            w.grid().setCurrent(9, 4);
            ASSERT_TRUE(EditTorikomi(w.ctx, p, QStringLiteral("12.5")).accepted);
            EXPECT_EQ(w.grid().text(9, 4), QStringLiteral(" 12.495"));
            w.msg.clear();
            ASSERT_TRUE(PosidataLoadtoCtProc(w.ctx, *w.link, w.host, p)) << w.msg.lastText().toStdString();
            EXPECT_EQ(pty.withSim([](CtSim& s) { return s.state.positions[9].mid(3, 5); }), QByteArray("00341")) << ct;
        }
        qunsetenv("RER6O250_COM1");
    }
}

// The cable pulled and plugged in again: the program, pointed at the fixed
// path, reaches the controller again without being told of a new device.
TEST(PtyPosition, ReplugBringsTheControllerBackBehindTheSamePath) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    sim::PtySim pty;
    pty.setLinkPath(link);
    ASSERT_TRUE(pty.start());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), pty.devicePath());
    qputenv("RER6O250_COM1", link.toLocal8Bit());
    {
        test::LinkWorld w(std::make_unique<QtSerialPort>());
        w.ctx.opt.PortNo = 1;
        w.l().TusinTimeout = 1000;
        EXPECT_EQ(w.link->CtCommModeOn(), 0);
        w.link->PortCloseIfFree();
        pty.pull();
        EXPECT_FALSE(pty.alive());
        // The path goes with the device: it never leads to a terminal that
        // takes the freed name.
        EXPECT_FALSE(QFileInfo(link).isSymLink());
        EXPECT_EQ(w.link->CtCommModeOn(), 1);
        ASSERT_EQ(w.msg.shown.size(), 1u);
        EXPECT_TRUE(w.msg.lastText().startsWith(QStringLiteral("Failed port open.\r\nCOM1 (") + link));
        ASSERT_TRUE(pty.replug()) << pty.error().toStdString();
        EXPECT_EQ(QFileInfo(link).symLinkTarget(), pty.devicePath());
        EXPECT_EQ(w.link->CtCommModeOn(), 0);
        EXPECT_EQ(w.msg.shown.size(), 1u);
        // The controller kept what it held.
        EXPECT_EQ(pty.withSim([](CtSim& s) { return s.received.size(); }), 2u);
        w.link->PortCloseIfFree();
    }
    qunsetenv("RER6O250_COM1");
    // A path that is a file of its own is not taken over.
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    sim::PtySim other;
    other.setLinkPath(plain.fileName());
    EXPECT_FALSE(other.start());
    EXPECT_TRUE(other.error().contains(QStringLiteral("no symbolic link")));
    EXPECT_TRUE(QFileInfo(plain.fileName()).isFile());
}

// The link goes with the simulator.
TEST(PtyPosition, TheLinkGoesWithTheSimulator) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("com1"));
    {
        sim::PtySim pty;
        pty.setLinkPath(link);
        ASSERT_TRUE(pty.start());
        EXPECT_TRUE(QFileInfo(link).isSymLink());
    }
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(link));
}

} // namespace
} // namespace rer
