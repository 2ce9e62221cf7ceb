// The group, macro and parameter listings and the position listing's page
// set-up and frame, drawn on the recording printer.
#include "files/Listings.h"
#include "testsupport/AppFixture.h"
#include "testsupport/FullDisk.h"
#include "testsupport/PrintOps.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <map>

using namespace rer;
using rer::test::TestApp;
using rer::test::textOps;
using Op = RecordingPrintSurface::Op;

namespace {

// The first drawing of a text; a failed expectation when there is none.
Op find(const RecordingPrintSurface& ps, const QString& text, int nth = 0) {
    if (const Op* op = rer::test::findText(ps, text, nth)) return *op;
    ADD_FAILURE() << "not printed: " << text.toStdString();
    return {};
}

bool has(const RecordingPrintSurface& ps, Op::Kind k) { return rer::test::countOps(ps, k) > 0; }

// The height of a text drawn on the recording printer, in millimetres.
double boxHeight(const Op& op) {
    RecordingPrintSurface m;
    m.setScale(PrintSurface::Scale::Millimetres);
    m.setFont(op.font, op.points, false, false);
    return m.textHeight(op.text);
}

struct Listing : ::testing::Test {
    TestApp t;
    RecordingPrintSurface& ps = t.printer;
    void SetUp() override {
        t.ctx.setLanguage(2);
        t.files.answerPrinter(true);
    }
};

} // namespace

TEST(ListingText, NumbersPrintWithTheirSignPlace) {
    EXPECT_EQ(PrintedNumber(0), QStringLiteral(" 0"));
    EXPECT_EQ(PrintedNumber(1500), QStringLiteral(" 1500"));
    EXPECT_EQ(PrintedNumber(-20), QStringLiteral("-20"));
    EXPECT_EQ(PrintedNumber(2.5), QStringLiteral(" 2.5"));
    EXPECT_EQ(CellNumber(Value::text(QStringLiteral(" 25 "))), 25.0);
    EXPECT_EQ(CellNumber(Value::number(-3)), -3.0);
    EXPECT_FALSE(CellNumber(Value()));
    EXPECT_FALSE(CellNumber(Value::text(QString())));
    EXPECT_FALSE(CellNumber(Value::text(QStringLiteral("12ab"))));
    EXPECT_FALSE(CellNumber(Value::text(QStringLiteral("1,500"))));
}

TEST_F(Listing, CancelledPrintDialogPrintsNothingAndSaysNothing) {
    t.files.printerAnswers.clear();
    t.files.answerPrinter(false);
    EXPECT_FALSE(PrintGrpData(t.ctx));
    t.files.answerPrinter(false);
    EXPECT_FALSE(PrintSmData(t.ctx));
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        t.files.answerPrinter(false);
        EXPECT_FALSE(PrintParaData(t.ctx, p));
    }
    EXPECT_EQ(t.files.printerShown, 4);
    EXPECT_TRUE(ps.ops.empty());
    EXPECT_TRUE(t.msg.shown.empty());
}

TEST_F(Listing, GroupDataPageInTwoBlocks) {
    t.ctx.grp.GrpFileData[1] = {3, 7, 0};
    t.ctx.grp.GrpFileData[99] = {12, 399, 0};
    t.ctx.grp.GrpFileName = QStringLiteral("line.grp");
    t.ctx.print.PrintFileFlag = false;
    ASSERT_TRUE(PrintGrpData(t.ctx));

    const auto texts = ps.texts();
    ASSERT_GE(texts.size(), 5u);
    EXPECT_EQ(texts[0], QStringLiteral("DI-D6"));
    EXPECT_EQ(texts[2], QStringLiteral("=== GROUP DATA  ") + QString(56, QLatin1Char('=')));
    EXPECT_EQ(texts[3], QStringLiteral("   ")); // no file line without the flag, though a name is set
    EXPECT_EQ(texts[4], QString(86, QLatin1Char('-')));
    EXPECT_EQ(find(ps, texts[2]).y, 800);
    EXPECT_EQ(find(ps, texts[0]).font, QStringLiteral("century"));
    EXPECT_EQ(find(ps, texts[0]).points, 11);

    const Op caption1 = find(ps, QStringLiteral("<GRP No>"));
    EXPECT_EQ(caption1.x, 1000);
    const Op g1 = find(ps, QStringLiteral("No. 1:"));
    EXPECT_EQ(g1.x, 1200);
    EXPECT_EQ(g1.y, caption1.y + 250);
    EXPECT_EQ(find(ps, QStringLiteral(" 3")).x, 2200);
    EXPECT_EQ(find(ps, QStringLiteral(" 7")).x, 3600);
    EXPECT_EQ(find(ps, QStringLiteral("No. 50:")).y, g1.y + 49 * 250);
    // The second block starts level with the first, 4500 to the right,
    // however tall the head.
    const Op caption2 = find(ps, QStringLiteral("<GRP No>"), 1);
    EXPECT_EQ(caption2.x, 5500);
    EXPECT_EQ(caption2.y, caption1.y);
    const Op g51 = find(ps, QStringLiteral("No. 51:"));
    EXPECT_EQ(g51.x, 5700);
    EXPECT_EQ(g51.y, g1.y);
    // An empty group prints a blank and 0 in both columns.
    const Op g2 = find(ps, QStringLiteral("No. 2:"));
    int zeros = 0;
    for (const Op& op : textOps(ps))
        if (op.y == g2.y && op.x < 4500 && op.text == QStringLiteral(" 0")) ++zeros;
    EXPECT_EQ(zeros, 2);
    EXPECT_EQ(find(ps, QStringLiteral(" 399")).x, 8100);
    EXPECT_EQ(ps.ops.back().kind, Op::EndDoc);
    EXPECT_EQ(ps.pages(), 1);
}

TEST_F(Listing, GroupDataHeadFollowsLanguageFileFlagAndProduct) {
    t.ctx.setLanguage(1);
    t.ctx.opt.CtType = 2;
    t.ctx.grp.GrpFileName = QStringLiteral("line.grp");
    t.ctx.print.PrintFileFlag = true;
    ASSERT_TRUE(PrintGrpData(t.ctx));
    auto texts = ps.texts();
    EXPECT_EQ(texts[0], QStringLiteral("DE-D3U"));
    EXPECT_EQ(texts[2], QStringLiteral("=== グループデータ ") + QString(67, QLatin1Char('=')));
    EXPECT_EQ(texts[3], QStringLiteral("ファイル名：line.grp"));
    EXPECT_EQ(ps.ops.front().font, QStringLiteral("ＭＳ 明朝"));

    // Any other controller kind: an empty title line, the rest unchanged.
    ps.ops.clear();
    t.ctx.setLanguage(2);
    t.ctx.opt.CtType = 0;
    t.files.answerPrinter(true);
    ASSERT_TRUE(PrintGrpData(t.ctx));
    texts = ps.texts();
    EXPECT_EQ(texts[0], QString());
    EXPECT_EQ(texts[3], QStringLiteral("File Name : line.grp"));
    EXPECT_EQ(find(ps, QStringLiteral("<GRP No>"), 1).y, find(ps, QStringLiteral("<GRP No>")).y);
}

TEST_F(Listing, MacroBlocksThreeToARow) {
    auto& sm = t.ctx.sm;
    sm.SmFileData[0][0] = 5;  // macro 1 step 1: TIMER 3
    sm.SmFileData[0][1] = 3;
    sm.SmFileData[1][0] = 15; // read as END
    sm.SmFileData[0][2] = 7;  // macro 2: an unknown code
    sm.SmFileData[2][3] = -1;
    sm.SmFileName = QStringLiteral("m.smd");
    t.ctx.print.PrintFileFlag = true;
    // A4 as Qt's printer gives it (margins of 10 points): the three rows of
    // blocks on one page.
    ps.pageWidthMm = 202.94;
    ps.pageHeightMm = 289.94;
    ASSERT_TRUE(PrintSmData(t.ctx));
    EXPECT_EQ(ps.pages(), 1);

    const auto texts = ps.texts();
    EXPECT_EQ(texts[2], QStringLiteral("=== SM DATA  ") + QString(56, QLatin1Char('=')));
    EXPECT_EQ(texts[3], QStringLiteral("File Name：m.smd"));

    const Op m1 = find(ps, QStringLiteral("<SM No.1>"));
    const Op m2 = find(ps, QStringLiteral("<SM No.2>"));
    const Op m3 = find(ps, QStringLiteral("<SM No.3>"));
    const Op m4 = find(ps, QStringLiteral("<SM No.4>"));
    const Op m9 = find(ps, QStringLiteral("<SM No.9>"));
    EXPECT_EQ(m1.x, 1000);
    EXPECT_EQ(m2.x, 4500);
    EXPECT_EQ(m3.x, 7500);
    EXPECT_EQ(m2.y, m1.y);
    EXPECT_EQ(m3.y, m1.y);
    // Name line, caption line, 16 steps, one empty line.
    EXPECT_EQ(m4.x, 1000);
    EXPECT_EQ(m4.y, m1.y + 19 * 250);
    EXPECT_EQ(m9.x, 7500);
    EXPECT_EQ(m9.y, m1.y + 2 * 19 * 250);

    const Op step1 = find(ps, QStringLiteral("STEP1:"));
    EXPECT_EQ(step1.y, m1.y + 500);
    EXPECT_EQ(find(ps, QStringLiteral("STEP16:")).y, m1.y + 500 + 15 * 250);
    EXPECT_EQ(find(ps, QStringLiteral("5. TIMER")).x, 2000);
    EXPECT_EQ(find(ps, QStringLiteral(" 3")).x, 3200);
    EXPECT_EQ(find(ps, QStringLiteral(" 3")).y, step1.y);
    // Code 15 is END; an unknown code prints its number with no name.
    const auto end1 = std::find_if(ps.ops.begin(), ps.ops.end(), [](const Op& op) {
        return op.text == QStringLiteral("0. END") && op.x == 2000;
    });
    ASSERT_NE(end1, ps.ops.end());
    EXPECT_EQ(end1->y, step1.y + 250);
    const Op unknown = find(ps, QStringLiteral("7"));
    EXPECT_EQ(unknown.x, 5500);
    EXPECT_EQ(unknown.y, step1.y);
    EXPECT_EQ(find(ps, QStringLiteral("-1")).x, 3500 + 3200);
    EXPECT_EQ(ps.ops.back().kind, Op::EndDoc);
}

TEST_F(Listing, MacroListingInJapaneseAndAPartRange) {
    t.ctx.setLanguage(1);
    t.ctx.sm.SmRangeStart = 4;
    t.ctx.sm.SmRangeEnd = 5;
    ASSERT_TRUE(PrintSmData(t.ctx));
    EXPECT_EQ(ps.texts()[2], QStringLiteral("=== シーケンスマクロ　データ ") + QString(57, QLatin1Char('=')));
    EXPECT_EQ(find(ps, QStringLiteral("<SM No.4>")).x, 1000);
    EXPECT_EQ(find(ps, QStringLiteral("<SM No.5>")).x, 4500);
}

TEST_F(Listing, MacroRangeOutsideOneToNineAbortsSilently) {
    t.ctx.sm.SmRangeEnd = 10;
    EXPECT_FALSE(PrintSmData(t.ctx));
    EXPECT_FALSE(has(ps, Op::EndDoc));
    EXPECT_TRUE(has(ps, Op::AbortDoc));
    EXPECT_TRUE(t.msg.shown.empty());
}

namespace {

// A parameter table with a number in every cell that is printed.
void fillPara(ParaFileTable& t) {
    for (size_t r = 1; r < t.size(); ++r)
        for (size_t c = 0; c < 2; ++c) t[r][c] = Value::number(double(r * 10 + c));
    t[0][0] = Value::text(QStringLiteral("INDICATED DATA"));
}

} // namespace

TEST_F(Listing, TwoAxisParameterPage) {
    auto& table = t.ctx.para.two.ParaFileData;
    fillPara(table);
    table[1][0] = Value::number(0);
    table[1][1] = Value::number(1500);
    table[2][0] = Value::number(-20);
    table[2][1] = Value::text(QStringLiteral("25"));
    table[24][1] = Value::text(QStringLiteral("not printed"));
    t.ctx.print.PrintFileFlag = false;
    ASSERT_TRUE(PrintParaData(t.ctx));

    const auto texts = ps.texts();
    EXPECT_EQ(texts[0], QStringLiteral("DI-D6"));
    EXPECT_EQ(texts[2], QStringLiteral("=== PARAMETERS ") + QString(56, QLatin1Char('=')));
    EXPECT_EQ(texts[2].size(), 71);
    EXPECT_EQ(texts[3], QStringLiteral("   "));
    EXPECT_EQ(texts[4], QString(82, QLatin1Char('-')));
    const double H = ps.textHeight(QStringLiteral("A"));
    EXPECT_EQ(find(ps, texts[0]).y, 0);
    EXPECT_DOUBLE_EQ(find(ps, texts[1]).y, H);
    EXPECT_EQ(find(ps, texts[2]).y, 1000);
    EXPECT_DOUBLE_EQ(find(ps, texts[4]).y, 1000 + 2 * H);

    const double Y1 = 1200 + 3 * H;
    const struct {
        const char* header;
        double dy;
    } heads[] = {{"<< HOMING PARAMETER >>", 0},  {"<< VEL PARAMETER >>", 2400}, {"<< AXIS PARAMETER >>", 6000},
                 {"<< PG PARAMETER >>", 8100},   {"<< Etc PARAMETER >>", 9300}, {"<< SP PARAMETER >>", 11400}};
    for (const auto& h : heads) {
        const Op op = find(ps, QString::fromLatin1(h.header));
        EXPECT_EQ(op.x, 1000);
        EXPECT_DOUBLE_EQ(op.y, Y1 + h.dy) << h.header;
    }
    EXPECT_EQ(find(ps, QStringLiteral("< AXIS 1 >"), 3).x, 5500);
    EXPECT_EQ(find(ps, QStringLiteral("< AXIS 2 >"), 3).x, 7500);
    EXPECT_DOUBLE_EQ(find(ps, QStringLiteral(" 6. LS TIMER:")).y, Y1 + 13200);

    // Values: sign place, texts that are numbers, per-axis columns.
    const Op offset = find(ps, QStringLiteral(" 1.OFFSET:"));
    EXPECT_DOUBLE_EQ(offset.y, Y1 + 300);
    const Op v0 = find(ps, QStringLiteral(" 0"));
    EXPECT_EQ(v0.x, 5500);
    EXPECT_DOUBLE_EQ(v0.y, offset.y);
    EXPECT_EQ(find(ps, QStringLiteral(" 1500")).x, 7500);
    EXPECT_EQ(find(ps, QStringLiteral("-20")).x, 5500);
    EXPECT_EQ(find(ps, QStringLiteral(" 25")).x, 7500);
    // VEL labels are built; the tenth is fixed.
    EXPECT_DOUBLE_EQ(find(ps, QStringLiteral("  1.VEL 1:")).y, Y1 + 2700);
    EXPECT_DOUBLE_EQ(find(ps, QStringLiteral("  9.VEL 9:")).y, Y1 + 2400 + 9 * 300);
    EXPECT_DOUBLE_EQ(find(ps, QStringLiteral("10.JOG VEL:")).y, Y1 + 2400 + 10 * 300);
    find(ps, QStringLiteral(" 4.Auto Drive:"));
    find(ps, QStringLiteral(" 2. 1 AXIS:"));
    // Common items: column 0 only, at 6500.
    const Op homeOut = find(ps, QStringLiteral(" 1. HOME OUT:"));
    const Op v240 = find(ps, QStringLiteral(" 240"));
    EXPECT_EQ(v240.x, 6500);
    EXPECT_DOUBLE_EQ(v240.y, homeOut.y);
    for (const QString& s : ps.texts()) EXPECT_NE(s, QStringLiteral("not printed"));
    EXPECT_EQ(ps.ops.back().kind, Op::EndDoc);
}

TEST_F(Listing, OneAxisParameterPage) {
    auto& table = t.ctx.para.one.ParaFileData;
    fillPara(table);
    table[0][0] = Value::text(QStringLiteral("p.pmt"));
    table[6][0] = Value::text(QStringLiteral("SEQ is not printed"));
    table[30][0] = Value::text(QStringLiteral("1AXIS is not printed"));
    t.ctx.print.PrintFileFlag = true;
    t.ctx.setLanguage(1);
    t.ctx.opt.CtType = 2;
    ASSERT_TRUE(W3kPrintParaData(t.ctx));

    const auto texts = ps.texts();
    EXPECT_EQ(texts[0], QStringLiteral("DE-D3U"));
    EXPECT_EQ(texts[2], QStringLiteral("=== パラメータ ") + QString(67, QLatin1Char('=')));
    EXPECT_EQ(texts[2].size(), 77);
    EXPECT_EQ(texts[3], QStringLiteral("ファイル名：p.pmt"));
    EXPECT_EQ(ps.ops.front().font, QStringLiteral("ＭＳ 明朝"));
    const double Y1 = 1200 + 3 * ps.textHeight(QStringLiteral("A"));
    const struct {
        const char* header;
        double dy;
    } heads[] = {{"<< HOMING PARAMETER >>", 0},  {"<< VEL PARAMETER >>", 2100}, {"<< AXIS PARAMETER >>", 5700},
                 {"<< PG PARAMETER >>", 7800},   {"<< Etc PARAMETER >>", 9000}, {"<< SP PARAMETER >>", 11100}};
    for (const auto& h : heads) EXPECT_DOUBLE_EQ(find(ps, QString::fromLatin1(h.header)).y, Y1 + h.dy) << h.header;
    const Op bcd = find(ps, QStringLiteral(" 6.BCD ENABLE:"));
    EXPECT_DOUBLE_EQ(bcd.y, Y1 + 12900);
    const Op bcdValue = find(ps, QStringLiteral(" 350"));
    EXPECT_EQ(bcdValue.x, 6500);
    EXPECT_DOUBLE_EQ(bcdValue.y, bcd.y);
    find(ps, QStringLiteral(" 4.AUTO DRIVE:"));
    find(ps, QStringLiteral(" 2.AUTO HOME:"));
    find(ps, QStringLiteral(" 1.HOME OUT:"));
    for (const QString& s : ps.texts()) {
        EXPECT_NE(s, QStringLiteral(" 60"));  // row 6
        EXPECT_NE(s, QStringLiteral(" 300")); // row 30
        EXPECT_NE(s, QStringLiteral("< AXIS 1 >"));
        EXPECT_NE(s, QStringLiteral(" 6.SEQ:"));
    }

    // Called while the two-axis product runs, the page is headed "DI-D6".
    ps.ops.clear();
    t.ctx.opt.CtType = 1;
    t.files.answerPrinter(true);
    ASSERT_TRUE(W3kPrintParaData(t.ctx));
    EXPECT_EQ(ps.texts()[0], QStringLiteral("DI-D6"));
}

// A value the table lacks leaves its place blank and one that is no number
// is printed as it stands: the page always comes out whole.
TEST_F(Listing, ParameterCellsThatAreNoNumbersNeverStopThePage) {
    auto& table = t.ctx.para.two.ParaFileData;
    fillPara(table);
    table[18][0] = Value::text(QString());
    table[19][1] = Value::text(QStringLiteral("abc"));
    ASSERT_TRUE(PrintParaData(t.ctx));
    EXPECT_TRUE(has(ps, Op::EndDoc));
    EXPECT_FALSE(has(ps, Op::AbortDoc));
    EXPECT_TRUE(t.msg.shown.empty());
    const Op lead = find(ps, QStringLiteral(" 2.LEAD:"));
    std::vector<Op> leadRow;
    for (const Op& op : textOps(ps))
        if (op.y == lead.y) leadRow.push_back(op);
    ASSERT_EQ(leadRow.size(), 2u); // the label and axis 2's value only
    EXPECT_EQ(leadRow[1].text, QStringLiteral(" 181"));
    EXPECT_EQ(leadRow[1].x, 7500);
    const Op abc = find(ps, QStringLiteral("abc"));
    EXPECT_EQ(abc.x, 7500);
    EXPECT_DOUBLE_EQ(abc.y, find(ps, QStringLiteral(" 3.PULSE:")).y);
    EXPECT_EQ(ps.texts().back(), QStringLiteral(" 340")); // LS TIMER, the last row
}

// ---- Pages

namespace {

// A listing on a page of another size: the kinds and what each must print.
enum class Kind { Groups, Macros, Parameters2, Parameters1 };

bool printKind(TestApp& t, Kind k) {
    t.files.answerPrinter(true);
    switch (k) {
    case Kind::Groups: return PrintGrpData(t.ctx);
    case Kind::Macros: return PrintSmData(t.ctx);
    case Kind::Parameters2: return PrintParaData(t.ctx, Product::TwoAxis);
    case Kind::Parameters1: return PrintParaData(t.ctx, Product::OneAxis);
    }
    return false;
}

// The texts that stand for the rows of a listing and how often each is
// printed, whatever the page (0: at least once, as the names of macro blocks
// repeated where a row of blocks is parted).
std::vector<std::pair<QString, int>> rowTexts(Kind k) {
    std::vector<std::pair<QString, int>> rows;
    switch (k) {
    case Kind::Groups:
        for (int g = 1; g <= 99; ++g) rows.emplace_back(QStringLiteral("No.") + PrintedNumber(g) + QStringLiteral(":"), 1);
        break;
    case Kind::Macros:
        for (int m = 1; m <= 9; ++m) rows.emplace_back(QStringLiteral("<SM No.%1>").arg(m), 0);
        for (int v = 1; v <= 9 * 16; ++v) rows.emplace_back(PrintedNumber(v), 1); // every step's data, one value each
        break;
    case Kind::Parameters2: // both axes of rows 1 to 23, the common rows 24 to 34
        for (int r = 1; r <= 34; ++r) rows.emplace_back(PrintedNumber(r * 10), r <= 23 ? 2 : 1);
        break;
    case Kind::Parameters1: // no SEQ (6), no 1AXIS (30)
        for (int r = 1; r <= 35; ++r)
            if (r != 6 && r != 30) rows.emplace_back(PrintedNumber(r * 10), 1);
        break;
    }
    return rows;
}

} // namespace

// On a page shorter than the one the listings were laid out for (A4
// landscape, A5 either way, a page too short for one row of macro blocks),
// every listing goes on to new pages: each row printed once, every page under
// the listing's head, no text beyond the printable area; a row of macro
// blocks, a parameter section and a group line stay whole.
TEST_F(Listing, EveryListingGoesOnToNewPagesOnAShorterPage) {
    for (int g = 1; g <= 99; ++g) t.ctx.grp.GrpFileData[g] = {int16_t(g), int16_t(300 + g), 0};
    for (int m = 0; m < 9; ++m)
        for (int step = 0; step < 16; ++step) {
            t.ctx.sm.SmFileData[step][2 * m] = int16_t(1 + step % 6);
            t.ctx.sm.SmFileData[step][2 * m + 1] = int16_t(1 + m * 16 + step);
        }
    for (Product p : {Product::TwoAxis, Product::OneAxis}) {
        auto& table = t.ctx.para.of(p).ParaFileData;
        for (size_t r = 1; r < table.size(); ++r) table[r] = {Value::number(double(r * 10)), Value::number(double(r * 10))};
    }
    const struct {
        const char* name;
        double width, height; // printable, mm
    } pages[] = {{"A4 landscape", 289.94, 202.94}, {"A5", 140.94, 202.94}, {"A5 landscape", 202.94, 140.94},
                 {"shorter than a row of macros", 202.94, 80}};
    for (const auto& page : pages) {
        for (Kind k : {Kind::Groups, Kind::Macros, Kind::Parameters2, Kind::Parameters1}) {
            const std::string what = std::string(page.name) + " kind " + std::to_string(int(k));
            RecordingPrintSurface sheet;
            sheet.pageWidthMm = page.width;
            sheet.pageHeightMm = page.height;
            t.ctx.platform.printer = &sheet;
            ASSERT_TRUE(printKind(t, k)) << what;
            EXPECT_GT(sheet.pages(), 1) << what;
            EXPECT_EQ(sheet.ops.back().kind, Op::EndDoc) << what;

            const auto texts = sheet.texts();
            for (const auto& [row, times] : rowTexts(k)) {
                const auto n = std::count(texts.begin(), texts.end(), row);
                if (times == 0)
                    EXPECT_GE(n, 1) << what << " " << row.toStdString();
                else
                    EXPECT_EQ(n, times) << what << " " << row.toStdString();
            }
            const double bottom = sheet.pageHeight();
            const QString banner = sheet.textsOfPage(1)[2];
            for (int n = 1; n <= sheet.pages(); ++n) {
                const auto onPage = sheet.textsOfPage(n);
                ASSERT_GE(onPage.size(), 5u) << what;
                EXPECT_EQ(onPage[2], banner) << what << " page " << n; // the head again
                if (k == Kind::Groups) { // the caption line over both blocks on every page
                    EXPECT_EQ(std::count(onPage.begin(), onPage.end(), QStringLiteral("<GRP No>")), 2) << what;
                }
            }
            // Within the printable area: on a narrower page the columns
            // close up and the texts come out smaller.
            for (const Op& op : textOps(sheet)) {
                RecordingPrintSurface m;
                m.setFont(op.font, op.points, false, false);
                EXPECT_LE(op.y + m.textHeight(op.text), bottom + 1e-9) << what << " " << op.text.toStdString();
                EXPECT_LE(op.x + m.textWidth(op.text), sheet.pageWidth() + 1e-9) << what << " " << op.text.toStdString();
            }
            // What belongs on one line stays on one line of one page.
            const auto sameLine = [&](const QString& a, const QString& b) {
                const Op x = find(sheet, a), y = find(sheet, b);
                EXPECT_EQ(x.page, y.page) << what << " " << a.toStdString();
                EXPECT_EQ(x.y, y.y) << what << " " << a.toStdString();
            };
            if (k == Kind::Groups)
                for (int g = 1; g <= 49; ++g)
                    sameLine(QStringLiteral("No.") + PrintedNumber(g) + QStringLiteral(":"),
                             QStringLiteral("No.") + PrintedNumber(g + 50) + QStringLiteral(":"));
            // A row of macro blocks or a parameter section that a page holds
            // is not parted.
            const auto together = [&](const QString& first, const QString& last) {
                EXPECT_EQ(find(sheet, first).page, find(sheet, last).page) << what << " " << first.toStdString();
            };
            if (k == Kind::Macros && page.height > 100)
                for (int m = 1; m <= 9; ++m) together(QStringLiteral("<SM No.%1>").arg(m), PrintedNumber(m * 16));
            if (k == Kind::Parameters2 && page.height > 100) {
                together(QStringLiteral("<< VEL PARAMETER >>"), QStringLiteral("10.JOG VEL:"));
                together(QStringLiteral("<< SP PARAMETER >>"), QStringLiteral(" 6. LS TIMER:"));
            }
            if (k == Kind::Macros && page.height < 100) {
                // A row of blocks taller than a page goes on under its blocks'
                // names and captions again.
                const Op step1 = find(sheet, QStringLiteral("STEP1:"));
                const Op step16 = find(sheet, QStringLiteral("STEP16:"));
                EXPECT_LT(step1.page, step16.page) << what;
                const auto onPage = sheet.textsOfPage(step16.page);
                EXPECT_NE(std::find(onPage.begin(), onPage.end(), QStringLiteral("<SM No.1>")), onPage.end()) << what;
                EXPECT_NE(std::find(onPage.begin(), onPage.end(), QStringLiteral("COMMAND")), onPage.end()) << what;
            }
        }
    }
}

// A print to a file that does not take the document is told once, with the
// file and the reason, in the run's language; a printer that fails is not
// (as before).
TEST_F(Listing, APrintToAFileThatFailsIsToldOnceWithTheFileAndTheReason) {
    const QString file = QStringLiteral("/home/user/out.pdf");
    for (int16_t language : {1, 2}) {
        t.ctx.setLanguage(language);
        const QString told = language == 1 ? QStringLiteral("ファイルへの印刷でエラーが発生しました。\r\n"
                                                            "/home/user/out.pdf: ファイルが大きすぎます")
                                           : QStringLiteral("An error occurred while printing to the file.\r\n"
                                                            "/home/user/out.pdf: File too large");
        for (Kind k : {Kind::Groups, Kind::Macros, Kind::Parameters2, Kind::Parameters1}) {
            t.msg.clear();
            ps.failFile = PrintFileFailure{file, {QStringLiteral("ファイルが大きすぎます"), QStringLiteral("File too large")}};
            EXPECT_FALSE(printKind(t, k));
            EXPECT_EQ(rer::test::ShownTexts(t.msg), QStringList{told}) << int(k);
            ps.failFile.reset();
            ps.failOnEnd = true;
            t.msg.clear();
            EXPECT_FALSE(printKind(t, k));
            EXPECT_TRUE(t.msg.shown.empty()) << int(k);
            ps.failOnEnd = false;
        }
    }
}

// ---- Texts that fit their columns

namespace {

// A printer whose characters are half as wide again as an ideographic
// font's half-width ones: the columns laid out for that font are too close.
class WidePrintSurface : public RecordingPrintSurface {
public:
    double textWidth(const QString& text) const override { return RecordingPrintSurface::textWidth(text) * 1.5; }
};

// Texts of one line (same page and height) that end less than the column gap
// before the next one or the right edge, measured at their own size.
QStringList crowdedTexts(const RecordingPrintSurface& ps, double gap) {
    std::map<std::pair<int, double>, std::vector<Op>> lines;
    for (const Op& op : textOps(ps)) lines[{op.page, op.y}].push_back(op);
    QStringList bad;
    for (auto& [key, ops] : lines) {
        std::sort(ops.begin(), ops.end(), [](const Op& a, const Op& b) { return a.x < b.x; });
        for (size_t i = 0; i < ops.size(); ++i) {
            WidePrintSurface m;
            m.setFont(ops[i].font, ops[i].points, false, false);
            const double next = i + 1 < ops.size() ? ops[i + 1].x : ps.pageWidth();
            if (!ops[i].text.trimmed().isEmpty() && ops[i].x + m.textWidth(ops[i].text) + gap > next) bad << ops[i].text;
        }
    }
    return bad;
}

} // namespace

TEST(FittingPoints, LargestHalfPointAtWhichEveryTextClearsTheNext) {
    RecordingPrintSurface ps; // a character is half an em wide, a line 1.2 em high
    ps.setScale(PrintSurface::Scale::Millimetres);
    const struct {
        std::vector<PlacedText> texts;
        double right, maxHeight, want;
        std::vector<double> columnStarts = {};
    } cases[] = {
        {{{0, 0, QStringLiteral("ABCD")}, {0, 20, QStringLiteral("EF")}}, 100, 0, 11}, // fits as it is
        // 8 characters in 10 mm less the 1 mm gap: 4 x points x em <= 9.
        {{{0, 0, QStringLiteral("ABCDEFGH")}, {0, 10, QStringLiteral("X")}}, 100, 0, 6},
        // The last text of a line before the right edge; other lines do not count.
        {{{0, 0, QStringLiteral("AB")}, {0, 90, QStringLiteral("ABCDEFGH")}, {1, 0, QStringLiteral("X")}}, 100, 0, 6},
        // Blank texts take no room.
        {{{0, 0, QStringLiteral("   ")}, {0, 1, QStringLiteral("A")}}, 100, 0, 11},
        // No higher than the room: 1.2 x points x em <= 5, <= 4.
        {{{0, 0, QStringLiteral("A")}}, 100, 5, 11},
        {{{0, 0, QStringLiteral("A")}}, 100, 4, 9},
        // Nothing fits: the smallest size.
        {{{0, 0, QStringLiteral("ABCDEFGH")}, {0, 1, QStringLiteral("X")}}, 100, 0, kMinListingPoints},
        // The next column begins where its caption stands, left of its cells:
        // the room ends there, not at the next text of the line.
        {{{0, 0, QStringLiteral("ABCDEFGH")}, {0, 12, QStringLiteral("X")}}, 100, 0, 6, {0, 10, 20}},
        {{{0, 0, QStringLiteral("ABCDEFGH")}}, 100, 0, 6, {10}},
        // Starts at or left of a text do not bound it.
        {{{0, 10, QStringLiteral("ABCD")}}, 100, 0, 11, {0, 10}},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(FittingPoints(ps, QStringLiteral("century"), 11, false, false, c.texts, c.right, 1, c.maxHeight,
                                       c.columnStarts),
                         c.want)
            << c.texts.front().text.toStdString() << " " << c.maxHeight;
    }
}

TEST_F(Listing, AWideFontPrintsEachListingSmallerUntilItsColumnsClear) {
    WidePrintSurface wide;
    t.ctx.platform.printer = &wide;
    for (int g = 1; g <= 99; ++g) t.ctx.grp.GrpFileData[g] = {399, 399, 0};
    for (int language : {1, 2}) {
        t.ctx.setLanguage(int16_t(language));
        for (int kind = 0; kind < 3; ++kind) {
            wide.ops.clear();
            t.files.answerPrinter(true);
            fillPara(t.ctx.para.two.ParaFileData);
            ASSERT_TRUE(kind == 0 ? PrintGrpData(t.ctx) : kind == 1 ? PrintSmData(t.ctx) : PrintParaData(t.ctx));
            const auto texts = textOps(wide);
            ASSERT_FALSE(texts.empty());
            const double points = texts.front().points;
            for (const Op& op : texts) EXPECT_EQ(op.points, points); // one size for the page
            EXPECT_LT(points, 11) << kind;
            const QStringList crowded = crowdedTexts(wide, kColumnGapMm * 1440 / 25.4);
            EXPECT_TRUE(crowded.isEmpty()) << kind << " " << crowded.join(QLatin1Char('|')).toStdString();
        }
    }
}

// ---- Position listing: set-up and page frame

namespace {

// A printer of a given printable area and line height (millimetres).
class SizedSurface : public RecordingPrintSurface {
public:
    SizedSurface(double w, double h, double line) : w_(w), h_(h), line_(line) {}
    double pageWidth() const override { return w_; }
    double pageHeight() const override { return h_; }
    double textHeight(const QString&) const override { return line_; }

private:
    double w_, h_, line_;
};

} // namespace

TEST(PosiPageSetup, MetricsFromPageAndFont) {
    TestApp t;
    SizedSurface ps(200, 270, 4.4);
    t.ctx.platform.printer = &ps;
    ASSERT_TRUE(PosiPrintPageSetup(t.ctx));
    const PrintState& p = t.ctx.print;
    EXPECT_EQ(p.PrintLineHeight, 4);
    EXPECT_EQ(p.PrintLineHeight2, 5);
    EXPECT_EQ(p.PrintLines, 67);
    EXPECT_EQ(p.PrintLines2, 54);
    EXPECT_EQ(p.PrintPageHeight, 268);
    EXPECT_EQ(p.PrintRightX, 190);

    // Halves of the line pitch go to the even neighbour.
    SizedSurface half(200.5, 270, 4.5);
    t.ctx.platform.printer = &half;
    ASSERT_TRUE(W3kPosiPrintPageSetup(t.ctx));
    EXPECT_EQ(p.PrintLineHeight, 4);
    EXPECT_EQ(p.PrintRightX, 190);

    // A font without height gives no line pitch: no division by zero.
    SizedSurface none(200, 270, 0.2);
    t.ctx.platform.printer = &none;
    EXPECT_FALSE(PosiPrintPageSetup(t.ctx));
}

TEST(PosiPageFrame, HeadFooterRulesAndRightAlignedPageNumber) {
    TestApp t;
    t.ctx.setLanguage(2);
    RecordingPrintSurface& ps = t.printer;
    ps.setFont(QStringLiteral("century"), 11, false, false);
    ASSERT_TRUE(PosiPrintPageSetup(t.ctx));
    auto& pr = t.ctx.print;
    const double h = pr.PrintLineHeight;
    auto& head = t.ctx.pos.two.PosiFileData[0];
    for (int c = 0; c <= 12; ++c) head[c] = Value::text(QStringLiteral("C%1").arg(c));
    t.ctx.pos.two.PosiFileDevice = {QStringLiteral("KZ- 28L-100"), QStringLiteral("VT- 45M-200")};
    pr.FilePosiPrint = true;
    pr.PrintPosiFileName = QStringLiteral("/d/a.kzd");
    pr.PrintPageNo = 9;
    const QString printedFrom = ListingDateTime();
    PosiDataPrintOut(t.ctx);
    const QString printedTo = ListingDateTime(); // the clock may pass a second meanwhile

    const Op title = find(ps, QStringLiteral("DI-D6 Position Data"));
    EXPECT_EQ(title.x, 10);
    EXPECT_EQ(title.y, h);
    EXPECT_EQ(title.points, 14);
    const Op file = find(ps, QStringLiteral("File Name/d/a.kzd"));
    EXPECT_EQ(file.x, 70);
    EXPECT_EQ(file.y, h);
    const Op models = find(ps, QStringLiteral("AXIS1:KZ- 28L-100    / AXIS2:VT- 45M-200"));
    EXPECT_EQ(models.x, 20);
    EXPECT_EQ(models.y, 3 * h);
    // The page number on line 4, above the first rule and clear of it.
    const Op page9 = find(ps, QStringLiteral("Page:9"));
    EXPECT_GT(page9.y, 3 * h);
    EXPECT_LE(page9.y + boxHeight(page9), 5 * h - kRuleClearanceMm);
    EXPECT_EQ(page9.points, 11);
    EXPECT_DOUBLE_EQ(page9.x + ps.textWidth(QStringLiteral("Page:9")), pr.PrintRightX);
    // The captions between the rules, clear of both.
    const double xs[] = {22, 28, 36, 44, 54, 78, 86, 94, 104, 121, 129, 137};
    for (int c = 0; c < 12; ++c) {
        const Op cap = find(ps, QStringLiteral("C%1").arg(c));
        EXPECT_EQ(cap.x, xs[c]);
        EXPECT_GE(cap.y, 5 * h + kRuleClearanceMm);
        EXPECT_LE(cap.y + boxHeight(cap), 6 * h - kRuleClearanceMm);
        EXPECT_LE(cap.points, 10);
    }
    EXPECT_EQ(find(ps, QStringLiteral(":C12")).x, 145);
    std::vector<double> rules;
    for (const Op& op : ps.ops)
        if (op.kind == Op::Line) {
            EXPECT_EQ(op.x, 10);
            EXPECT_EQ(op.x2, pr.PrintRightX);
            EXPECT_EQ(op.y, op.y2);
            rules.push_back(op.y);
        }
    EXPECT_EQ(rules, (std::vector<double>{5 * h, 6 * h, pr.PrintPageHeight - h}));
    const Op footer = ps.texts().size() ? textOps(ps).back() : Op{};
    EXPECT_TRUE(footer.text == printedFrom || footer.text == printedTo) << footer.text.toStdString();
    EXPECT_GE(footer.y, (pr.PrintLines - 1) * h + kRuleClearanceMm); // below the rule over it
    EXPECT_LE(footer.y + boxHeight(footer), ps.pageHeight());
    EXPECT_DOUBLE_EQ(footer.x + ps.textWidth(footer.text), pr.PrintRightX);

    // Page 10 ends where page 9 did.
    pr.PrintPageNo = 10;
    PosiDataPrintOut(t.ctx);
    const Op page10 = find(ps, QStringLiteral("Page:10"));
    EXPECT_DOUBLE_EQ(page10.x + ps.textWidth(QStringLiteral("Page:10")), pr.PrintRightX);
    EXPECT_LT(page10.x, page9.x);
}

TEST(PosiPageFrame, OneAxisAndJapaneseWithoutFileOrModelLines) {
    TestApp t;
    t.ctx.setLanguage(1);
    RecordingPrintSurface& ps = t.printer;
    ASSERT_TRUE(PosiPrintPageSetup(t.ctx));
    auto& head = t.ctx.pos.one.PosiFileData[0];
    for (int c = 0; c <= 12; ++c) head[c] = Value::text(QStringLiteral("C%1").arg(c));
    t.ctx.pos.one.PosiFileDevice = {QStringLiteral("KZ- 28L-100"), QStringLiteral("X")};
    auto& pr = t.ctx.print;
    pr.GridPosiPrint = pr.FilePosiPrint = false;
    W3kPosiDataPrintOut(t.ctx);
    find(ps, QStringLiteral("DE-D3U 位置データ"));
    for (const QString& s : ps.texts()) {
        EXPECT_FALSE(s.startsWith(QStringLiteral("AXIS1:")));
        EXPECT_FALSE(s.startsWith(QStringLiteral("ファイル名")));
    }
    const struct {
        int c;
        double x;
    } caps[] = {{0, 22}, {1, 28}, {2, 36}, {3, 44}, {4, 54}, {10, 78}, {11, 86}};
    for (const auto& c : caps) EXPECT_EQ(find(ps, QStringLiteral("C%1").arg(c.c)).x, c.x);
    EXPECT_EQ(find(ps, QStringLiteral(":C12")).x, 94);
    for (const QString& s : ps.texts()) EXPECT_NE(s, QStringLiteral("C5"));

    // With the grid chosen: the model line without its axis-2 part, no file line.
    ps.ops.clear();
    pr.GridPosiPrint = true;
    W3kPosiDataPrintOut(t.ctx);
    find(ps, QStringLiteral("AXIS1:KZ- 28L-100"));
}

TEST(FormatOneDecimal, LargestPulseOfAStroke) {
    const struct {
        double stroke, lead;
        int ppr;
        std::optional<double> want;
    } cases[] = {
        {100, 10, 400, 4000}, {100, 6, 400, 6667},      {100, 12, 400, 3334}, {50, 20, 400, 1000},
        {100, 6, 500, 8334},  {100, 0, 400, std::nullopt}, {0, 6, 400, std::nullopt},
        {100, 6, 0, std::nullopt}, {0.0001, 6, 400, std::nullopt}, {1, 8000, 400, 1},
    };
    for (const auto& c : cases) {
        const auto got = FormatOneDecimal(c.stroke, c.lead, c.ppr);
        EXPECT_EQ(got, c.want) << c.stroke << " / " << c.lead << " x " << c.ppr;
    }
}
