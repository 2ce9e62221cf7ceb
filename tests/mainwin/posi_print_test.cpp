// The position print from the printer dialog on: the grid or a file copied
// into the print table, page breaks at both spacings, the range, the file in
// millimetres checked against each model's stroke, and the failures.
#include "files/Listings.h"
#include "files/DataCodec.h"
#include "mainwin/PosiPrint.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionGrid.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/PrintOps.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cmath>
#include <map>

using namespace rer;
using rer::test::GridTestContext;
using rer::test::textOps;
using Op = RecordingPrintSurface::Op;

namespace {

const Op* findOp(const RecordingPrintSurface& ps, const QString& text) { return rer::test::findText(ps, text); }
int count(const RecordingPrintSurface& ps, Op::Kind k) { return rer::test::countOps(ps, k); }

// The texts printed at one x on the rows of a page (below the captions).
std::vector<Op> rowOps(const RecordingPrintSurface& ps, double x, double belowY) {
    std::vector<Op> out;
    for (const Op& op : textOps(ps))
        if (op.x == x && op.y > belowY) out.push_back(op);
    return out;
}

// A catalogue of two models, and what was asked of it.
struct FakeCatalogue {
    std::vector<QString> asked;
    ModelLookup lookup() {
        return [this](AppContext&, bool, const QString& series, const QString& size, const QString& speed, int stroke) {
            asked.push_back(series + QLatin1Char('|') + size + QLatin1Char('|') + speed + QLatin1Char('|') +
                            QString::number(stroke));
            if (size == QStringLiteral(" 28") && speed == QStringLiteral("L") && stroke == 100) return ModelLeadPpr{6, 400};
            if (size == QStringLiteral(" 45") && speed == QStringLiteral("M") && stroke == 200) return ModelLeadPpr{10, 500};
            return ModelLeadPpr{};
        };
    }
};

struct PosiPrint : ::testing::Test {
    GridTestContext t{1, 2, false};
    RecordingPrintSurface& ps = t.printer;
    QTemporaryDir dir;

    void SetUp() override { t.files.answerPrinter(true); }

    void grid(Product p) {
        SetUpPositionGrid(t.ctx, p);
        t.ctx.print.GridPosiPrint = true;
        t.ctx.print.FilePosiPrint = false;
    }
    QString file(const QString& body, const char* name = "p.kzd") {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QByteArray b;
        EXPECT_TRUE(EncodeShiftJis(body, b));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
        t.ctx.print.GridPosiPrint = false;
        t.ctx.print.FilePosiPrint = true;
        t.ctx.print.PrintPosiFileName = path;
        return path;
    }
    bool print(Product p = Product::TwoAxis, const ModelLookup& lookup = {}) {
        const std::array<QString, 2> labels{QStringLiteral("KZ- 28A-100"), QStringLiteral("KZ- 39T-100")};
        return lookup ? PrintPosiData(t.ctx, p, labels, lookup) : PrintPosiData(t.ctx, p, labels);
    }
    // The rule under the captions: the rows lie below it.
    double captionsY() const { return 6.0 * t.ctx.print.PrintLineHeight; }
};

// The line a text stands on at a pitch.
int lineOf(const Op& op, double pitch) { return int(std::floor(op.y / pitch)); }

// The height of a text drawn on the recording printer, in millimetres.
double boxHeight(const Op& op) {
    RecordingPrintSurface m;
    m.setScale(PrintSurface::Scale::Millimetres);
    m.setFont(op.font, op.points, false, false);
    return m.textHeight(op.text);
}

} // namespace

TEST_F(PosiPrint, GridOnPagesAtNormalAndNarrowSpacing) {
    for (bool narrow : {false, true}) {
        RecordingPrintSurface ps;
        t.ctx.platform.printer = &ps;
        grid(Product::TwoAxis);
        t.ctx.print.PrintNarrow = narrow;
        t.files.answerPrinter(true);
        ASSERT_TRUE(print());
        const PrintState& pr = t.ctx.print;
        const int L = narrow ? pr.PrintLines : pr.PrintLines2;
        const int pitch = narrow ? pr.PrintLineHeight : pr.PrintLineHeight2;
        const int first = narrow ? 6 : 5;
        const int perPage = narrow ? L - 7 : L - 6;
        const int pages = (399 + perPage - 1) / perPage;
        EXPECT_EQ(ps.pages(), pages) << narrow;
        EXPECT_EQ(count(ps, Op::NewPage), pages - 1);
        EXPECT_EQ(pr.PrintPageNo, pages);
        EXPECT_EQ(ps.ops.back().kind, Op::EndDoc);
        for (int page = 1; page <= pages; ++page) {
            const auto texts = ps.textsOfPage(page);
            EXPECT_EQ(std::count(texts.begin(), texts.end(), QStringLiteral("Page:%1").arg(page)), 1);
        }
        // Position numbers at x 20, under the head of each page, each within
        // its line and clear of the rules over and under the rows.
        std::vector<Op> numbers;
        for (const Op& op : textOps(ps))
            if (op.x == 20 && op.y >= captionsY()) numbers.push_back(op);
        ASSERT_EQ(numbers.size(), 399u);
        EXPECT_EQ(numbers[0].text, QStringLiteral("1"));
        EXPECT_EQ(lineOf(numbers[0], pitch), first);
        EXPECT_EQ(lineOf(numbers[size_t(perPage - 1)], pitch), L - 2);
        EXPECT_EQ(numbers[size_t(perPage - 1)].page, 1);
        EXPECT_EQ(numbers[size_t(perPage)].page, 2);
        EXPECT_EQ(lineOf(numbers[size_t(perPage)], pitch), first);
        EXPECT_EQ(numbers.back().text, QStringLiteral("399"));
        const double footerRule = (pr.PrintLines - 1) * pr.PrintLineHeight;
        for (const Op& op : numbers) {
            EXPECT_GE(op.y, 6 * pr.PrintLineHeight + kRuleClearanceMm);
            EXPECT_LE(op.y + boxHeight(op), footerRule - kRuleClearanceMm);
        }
        // The footer stays under the rule of line PrintLines - 1 whatever the spacing.
        const QString footer = ListingDateTime();
        for (const Op& op : textOps(ps))
            if (op.text == footer) {
                EXPECT_EQ(lineOf(op, pr.PrintLineHeight), pr.PrintLines - 1);
            }
    }
}

namespace {

// A printer with a printable area of another height.
class HeightSurface : public RecordingPrintSurface {
public:
    explicit HeightSurface(double mm) : mm_(mm) {}
    double pageHeight() const override { return mm_; }

private:
    double mm_;
};

} // namespace

TEST_F(PosiPrint, NoRuleMeetsATextWhateverThePageHeightAndSpacing) {
    grid(Product::TwoAxis);
    t.ctx.print.PrintPosiFrom = 1;
    t.ctx.print.PrintPosiTo = 120;
    for (double height = 250; height <= 300; height += 0.5)
        for (bool narrow : {false, true}) {
            HeightSurface hs(height);
            t.ctx.platform.printer = &hs;
            t.ctx.print.PrintNarrow = narrow;
            t.files.answerPrinter(true);
            ASSERT_TRUE(print());
            std::map<int, std::vector<double>> rules;
            for (const Op& op : hs.ops)
                if (op.kind == Op::Line) rules[op.page].push_back(op.y);
            ASSERT_EQ(rules[1].size(), 3u);
            int met = 0;
            for (const Op& op : textOps(hs))
                for (double y : rules[op.page])
                    if (y > op.y - kRuleClearanceMm + 1e-9 && y < op.y + boxHeight(op) + kRuleClearanceMm - 1e-9 &&
                        met++ < 3)
                        ADD_FAILURE() << "page height " << height << (narrow ? " narrow" : "") << ": rule at " << y
                                      << " meets \"" << op.text.toStdString() << "\" at " << op.y;
        }
    t.ctx.platform.printer = &t.printer;
}

TEST_F(PosiPrint, GridRowColumnsAndHead) {
    grid(Product::TwoAxis);
    auto& g = t.ctx.grid.flgdData;
    const QStringList cells{QStringLiteral("7"), QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("3"),
                            QStringLiteral(" 12.345"), QStringLiteral("4"), QStringLiteral("3"), QStringLiteral("2"),
                            QStringLiteral("-99.000"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("9"),
                            QStringLiteral("原点")};
    for (int c = 1; c <= 12; ++c) g.setText(12, c, cells[c]);
    t.ctx.print.PrintPosiFrom = 12;
    t.ctx.print.PrintPosiTo = 13;
    ASSERT_TRUE(print());
    EXPECT_EQ(ps.pages(), 1);
    const double xs[] = {20, 30, 38, 46, 54, 80, 88, 96, 104, 123, 131, 139};
    const double pitch = t.ctx.print.PrintLineHeight2;
    for (int c = 1; c < 12; ++c) {
        bool found = false;
        for (const Op& op : rowOps(ps, xs[c], captionsY()))
            if (lineOf(op, pitch) == 5 && op.text == cells[c]) found = true;
        EXPECT_TRUE(found) << c;
    }
    const Op* comment = findOp(ps, QStringLiteral(":原点"));
    ASSERT_TRUE(comment);
    EXPECT_EQ(comment->x, 145);
    EXPECT_EQ(lineOf(*comment, pitch), 5);
    EXPECT_EQ(comment->points, 8);
    // An empty comment prints ":" alone, on the next line.
    std::vector<Op> colons;
    for (const Op& op : rowOps(ps, 145, captionsY())) colons.push_back(op);
    ASSERT_EQ(colons.size(), 2u);
    EXPECT_EQ(colons[1].text, QStringLiteral(":"));
    EXPECT_EQ(lineOf(colons[1], pitch), 6);
    // Head: the grid's captions, the model labels, no file line.
    EXPECT_TRUE(findOp(ps, QStringLiteral("AXIS1:KZ- 28A-100    / AXIS2:KZ- 39T-100")));
    EXPECT_TRUE(findOp(ps, QStringLiteral("ITPL")));
    EXPECT_TRUE(findOp(ps, QStringLiteral(":") + t.ctx.grid.flgdData.text(0, 12)));
    for (const QString& s : ps.texts()) EXPECT_FALSE(s.startsWith(QStringLiteral("File Name")));
    EXPECT_EQ(t.ctx.pos.two.PosiFileDevice[0], QStringLiteral("KZ- 28A-100"));
}

TEST_F(PosiPrint, FullPageEndsWithoutAnEmptyPage) {
    grid(Product::TwoAxis);
    ps.setFont(ListingFontName(t.ctx), 11, false, false);
    ASSERT_TRUE(PosiPrintPageSetup(t.ctx));
    const int perPage = t.ctx.print.PrintLines2 - 6;
    t.ctx.print.PrintPosiFrom = 1;
    t.ctx.print.PrintPosiTo = int16_t(perPage);
    ASSERT_TRUE(print());
    EXPECT_EQ(count(ps, Op::NewPage), 0);
    EXPECT_EQ(t.ctx.print.PrintPageNo, 1);
    // One position more starts page 2.
    ps.ops.clear();
    t.files.answerPrinter(true);
    t.ctx.print.PrintPosiTo = int16_t(perPage + 1);
    ASSERT_TRUE(print());
    EXPECT_EQ(count(ps, Op::NewPage), 1);
    EXPECT_TRUE(findOp(ps, QStringLiteral("Page:2")));
}

TEST_F(PosiPrint, OneAxisGridPutsOutSmAndCommentInTheirColumns) {
    t.ctx.opt.CtType = 2;
    grid(Product::OneAxis);
    auto& g = t.ctx.grid.flgdDataW3k;
    g.setText(3, 5, QStringLiteral("2"));
    g.setText(3, 6, QStringLiteral("8"));
    g.setText(3, 7, QStringLiteral("note"));
    t.ctx.print.PrintPosiFrom = t.ctx.print.PrintPosiTo = 3;
    ASSERT_TRUE(print(Product::OneAxis));
    const double pitch = t.ctx.print.PrintLineHeight2;
    const auto at = [&](double x) {
        const auto ops = rowOps(ps, x, captionsY());
        return ops.size() == 1 && lineOf(ops[0], pitch) == 5 ? ops[0].text : QStringLiteral("<none>");
    };
    EXPECT_EQ(at(20), QStringLiteral("3"));
    EXPECT_EQ(at(80), QStringLiteral("2"));
    EXPECT_EQ(at(88), QStringLiteral("8"));
    EXPECT_EQ(at(94), QStringLiteral(":note"));
    EXPECT_EQ(findOp(ps, QStringLiteral(":note"))->points, 11);
    EXPECT_TRUE(findOp(ps, QStringLiteral("DE-D3U Position Data")));
    EXPECT_TRUE(findOp(ps, QStringLiteral("AXIS1:KZ- 28A-100")));
    EXPECT_EQ(t.ctx.pos.one.PosiFileDevice[1], QStringLiteral("VE-39V-100"));
}

TEST_F(PosiPrint, FileInPulsesPrintsTheValuesAsFiled) {
    const QString path = QDir(QStringLiteral(RER_TEST_DATA)).filePath(QStringLiteral("posi_new.kzd"));
    t.ctx.print.GridPosiPrint = false;
    t.ctx.print.FilePosiPrint = true;
    t.ctx.print.PrintPosiFileName = path;
    t.ctx.print.PrintPosiFrom = 1;
    t.ctx.print.PrintPosiTo = 2;
    FakeCatalogue cat;
    ASSERT_TRUE(print(Product::TwoAxis, cat.lookup()));
    EXPECT_TRUE(cat.asked.empty()); // pulses need no catalogue
    EXPECT_TRUE(findOp(ps, QStringLiteral("File Name") + path));
    EXPECT_TRUE(findOp(ps, QStringLiteral("AXIS1:KZ- 28L-100    / AXIS2:VT- 45M-200")));
    for (const char* caption : {"No.", "VEL1", "ACC2", "WAY2", "POSI1(Pls)", "POSI2(Pls)", "ITPL", "OUT", "SM", ":COMMENT"})
        EXPECT_TRUE(findOp(ps, QString::fromLatin1(caption))) << caption;
    const auto posi1 = rowOps(ps, 54, captionsY());
    ASSERT_EQ(posi1.size(), 2u);
    // Right-aligned as the grid shows the same positions, so that a file
    // printed in pulses lines up with the same data printed from the grid.
    EXPECT_EQ(posi1[0].text, QStringLiteral("   1500"));
    EXPECT_EQ(posi1[1].text, QStringLiteral(" 999999"));
    const auto posi2 = rowOps(ps, 104, captionsY());
    ASSERT_EQ(posi2.size(), 2u);
    EXPECT_EQ(posi2[0].text, QStringLiteral("   -250"));
    EXPECT_EQ(rowOps(ps, 20, captionsY())[1].text, QStringLiteral("2"));
}

TEST_F(PosiPrint, FileInMillimetresWithTheModelsOfTheFile) {
    t.ctx.opt.DispMmUnit = true;
    t.ctx.setLanguage(1);
    // The short model form "KZ-28L-100" is read with the blank in front of its size.
    file(QStringLiteral("\"VO-D6\",\"KZ-28L-100\",\"VT- 45M-200\",\"NEW\",\"NEW\"\r\n"
                        "1,5,3,0,6667,4,2,1,10000,1,0,0,\"端\"\r\n"
                        "2,5,3,0,1500,4,2,1,-250,1,0,0,\"\"\r\n"));
    FakeCatalogue cat;
    t.ctx.print.PrintPosiFrom = 1;
    t.ctx.print.PrintPosiTo = 2;
    ASSERT_TRUE(print(Product::TwoAxis, cat.lookup()));
    EXPECT_EQ(cat.asked, (std::vector<QString>{QStringLiteral("KZ| 28|L|100"), QStringLiteral("VT| 45|M|200")}));
    EXPECT_TRUE(t.msg.shown.empty());
    const auto posi1 = rowOps(ps, 54, captionsY());
    const auto posi2 = rowOps(ps, 104, captionsY());
    ASSERT_EQ(posi1.size(), 2u);
    ASSERT_EQ(posi2.size(), 2u);
    EXPECT_EQ(posi1[0].text, QStringLiteral("100.005")); // exactly the largest pulse count
    EXPECT_EQ(posi1[1].text, QStringLiteral(" 22.500"));
    EXPECT_EQ(posi2[0].text, QStringLiteral("200.000")); // 500 pulses per revolution
    EXPECT_EQ(posi2[1].text, QStringLiteral(" -5.000"));
    for (const char* caption : {"位置(mm)", "速度", "加速", "方法", "補間", "出力", "ＳＭ", ":コメント"})
        EXPECT_TRUE(findOp(ps, QString::fromUtf8(caption))) << caption;
    EXPECT_TRUE(findOp(ps, QStringLiteral("DI-D6 位置データ")));
    EXPECT_EQ(ps.ops.front().font, QStringLiteral("ＭＳ 明朝"));
}

TEST_F(PosiPrint, FileFailuresShowTheirMessageAndPrintNothing) {
    t.ctx.opt.DispMmUnit = true;
    const QString canceled = QStringLiteral("Printing data was canceled.");
    const QString wrong = QStringLiteral("Wrong value in the data reading file.\r\n") + canceled;
    const struct {
        const char* what;
        QString body;
        QString message;
    } cases[] = {
        {"one pulse beyond the stroke", QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"VT- 45M-200\",\"NEW\",\"NEW\"\r\n"
                                                       "399,5,3,0,6668,4,2,1,0,1,0,0,\"\"\r\n"),
         wrong},
        {"axis 2 beyond", QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"VT- 45M-200\",\"NEW\",\"NEW\"\r\n"
                                         "5,5,3,0,0,4,2,1,10001,1,0,0,\"\"\r\n"),
         wrong},
        {"model too short", QStringLiteral("\"VO-D6\",\"KZ- 28L-\",\"VT- 45M-200\",\"NEW\",\"NEW\"\r\n"),
         QStringLiteral("Error occured!(1)\r\n") + canceled},
        {"model of no form", QStringLiteral("\"VO-D6\",\"KZ28\",\"VT- 45M-200\",\"NEW\",\"NEW\"\r\n"),
         QStringLiteral("Error occured!(2)\r\n") + canceled},
        {"model not in the catalogue", QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"VT- 45M-300\",\"NEW\",\"NEW\"\r\n"),
         QStringLiteral("Error occured!(2)\r\n") + canceled},
        {"not a position file", QStringLiteral("\"XX\",\"KZ- 28L-100\"\r\n"), canceled},
    };
    for (const auto& c : cases) {
        ps.ops.clear();
        t.msg.clear();
        t.files.answerPrinter(true);
        file(c.body);
        FakeCatalogue cat;
        EXPECT_FALSE(print(Product::TwoAxis, cat.lookup())) << c.what;
        EXPECT_EQ(t.msg.lastText(), c.message) << c.what;
        EXPECT_TRUE(ps.texts().empty()) << c.what;
        EXPECT_EQ(count(ps, Op::AbortDoc), 1) << c.what;
        EXPECT_EQ(count(ps, Op::EndDoc), 0) << c.what;
    }
}

// A file the reader refuses for what it holds: the cancel over the file and
// why, in the window's language; nothing printed.
TEST_F(PosiPrint, ARefusedFileIsNamedWithWhy) {
    for (int16_t language : {int16_t(2), int16_t(1)}) {
        t.ctx.setLanguage(language);
        const bool jp = language == 1;
        const struct {
            const char* what;
            QString body;
            QString why;
        } cases[] = {
            {"position 400", QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"VT- 45M-200\",\"NEW\",\"NEW\"\r\n"
                                            "400,5,3,0,0,4,2,1,0,1,0,0,\"\"\r\n"),
             jp ? QString::fromUtf8("ポジションNo = 400") : QStringLiteral("Position No. = 400")},
            {"empty", QString(), jp ? QString::fromUtf8("ファイルが空です") : QStringLiteral("the file is empty")},
            {"models only", QStringLiteral("\"VO-D6\",\"KZ- 28L-100\""),
             jp ? QString::fromUtf8("ファイルが途中で切れています") : QStringLiteral("the file is cut short")},
        };
        for (const auto& c : cases) {
            ps.ops.clear();
            t.msg.clear();
            t.files.answerPrinter(true);
            const QString path = file(c.body);
            FakeCatalogue cat;
            EXPECT_FALSE(print(Product::TwoAxis, cat.lookup())) << c.what;
            ASSERT_EQ(t.msg.shown.size(), 1u) << c.what;
            EXPECT_EQ(t.msg.lastText(), (jp ? QString::fromUtf8("データの印刷を中止しました。")
                                            : QStringLiteral("Printing data was canceled.")) +
                                            QStringLiteral("\r\n") + QDir::toNativeSeparators(path) +
                                            QStringLiteral(": ") + c.why)
                << c.what;
            EXPECT_TRUE(ps.texts().empty()) << c.what;
        }
    }
}

TEST_F(PosiPrint, OneAxisFileChecksAxisOneOnlyAndRefusesAValueThatIsNoNumber) {
    t.ctx.opt.CtType = 2;
    t.ctx.opt.DispMmUnit = true;
    file(QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"\",\"NEW\",\"OLD\"\r\n"
                        "1,5,3,0,400,,,,,,1,2,\"\"\r\n"));
    FakeCatalogue cat;
    t.ctx.print.PrintPosiFrom = t.ctx.print.PrintPosiTo = 1;
    ASSERT_TRUE(print(Product::OneAxis, cat.lookup()));
    EXPECT_EQ(cat.asked.size(), 1u);
    const auto posi = rowOps(ps, 54, captionsY());
    ASSERT_EQ(posi.size(), 1u);
    EXPECT_EQ(posi[0].text, QStringLiteral("  6.000"));

    ps.ops.clear();
    t.files.answerPrinter(true);
    file(QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"\",\"NEW\",\"OLD\"\r\n"
                        "1,5,3,0,\"abc\",,,,,,1,2,\"\"\r\n"));
    EXPECT_FALSE(print(Product::OneAxis, cat.lookup()));
    EXPECT_EQ(t.msg.lastText(), QStringLiteral("Wrong value in the data reading file.\r\nPrinting data was canceled."));
    EXPECT_TRUE(ps.texts().empty());
}

TEST_F(PosiPrint, CancelledDialogAndNothingChosenPrintNothing) {
    grid(Product::TwoAxis);
    t.files.printerAnswers = {false};
    EXPECT_FALSE(print());
    EXPECT_TRUE(ps.ops.empty());
    EXPECT_TRUE(t.msg.shown.empty());

    t.files.answerPrinter(true);
    t.ctx.print.GridPosiPrint = false;
    EXPECT_FALSE(print());
    EXPECT_TRUE(ps.texts().empty());
    EXPECT_EQ(count(ps, Op::AbortDoc), 1);
    EXPECT_TRUE(t.msg.shown.empty());
}

TEST(ModelString, SplitByItsHyphens) {
    const struct {
        const char* s;
        bool ok;
        const char *series, *size, *speed;
        int stroke;
    } cases[] = {
        {"KZ- 28L-100", true, "KZ", " 28", "L", 100},
        {"KZ-28L-100", true, "KZ", " 28", "L", 100},
        {"VT-145M-50", true, "VT", "145", "M", 50},
        {"VT-45M-5", true, "VT", " 45", "M", 5}, // hyphen at 7: a two-character size
        {"VT- 45M-50", true, "VT", " 45", "M", 50},
        {"KZ- 28L-", false, "", "", "", 0},
        {"KZ-28L-", false, "", "", "", 0},
        {"KZ28", true, "KZ", "", "", 0},
        {"", true, "", "", "", 0},
    };
    for (const auto& c : cases) {
        const auto m = SplitModelString(QString::fromLatin1(c.s));
        ASSERT_EQ(bool(m), c.ok) << c.s;
        if (!m) continue;
        EXPECT_EQ(m->series, QString::fromLatin1(c.series)) << c.s;
        EXPECT_EQ(m->size, QString::fromLatin1(c.size)) << c.s;
        EXPECT_EQ(m->speed, QString::fromLatin1(c.speed)) << c.s;
        if (c.stroke) {
            EXPECT_EQ(m->stroke, c.stroke) << c.s;
        }
    }
}
