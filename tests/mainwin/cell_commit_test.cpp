// Typed cell values: per-column checks of the in-cell editor's commit and
// the whole-table position check.
#include "catalogue/CatalogueTables.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionGrid.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/NumericLocale.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

using test::GridTestContext;

struct CommitCase {
    int ctType;
    bool mm;
    int col;
    const char16_t* typed;
    const char16_t* stored; // nullptr: rejected (cell emptied)
    bool cut = false;       // taken, but the number left characters behind: a beep
};

TEST(CellCommit, PerColumnBoundaries) {
    const CommitCase cases[] = {
        // Whole-number columns, two-axis.
        {1, false, 1, u"0", nullptr}, {1, false, 1, u"10", nullptr}, {1, false, 1, u"9", u"9"},
        {1, false, 1, u"9.", u"9"},   {1, false, 1, u".5", nullptr}, {1, false, 1, u"-1", nullptr},
        {1, false, 1, u"x", nullptr}, {1, false, 1, u"", nullptr},   {1, false, 5, u"1", u"1"},
        {1, false, 2, u"3", u"3"},    {1, false, 2, u"4", nullptr},  {1, false, 2, u"2.5", u"2"},
        {1, false, 3, u"", u"0"},     {1, false, 3, u"a", u"0", true},     {1, false, 3, u".5", u"0"},
        {1, false, 3, u"3.5", nullptr}, {1, false, 7, u"3", u"3"},  {1, false, 9, u"1", u"1"},
        {1, false, 9, u"2", nullptr}, {1, false, 10, u"3", u"3"},   {1, false, 10, u"4", nullptr},
        {1, false, 11, u"9", u"9"},   {1, false, 11, u"-1", nullptr}, {1, false, 11, u"1e1", nullptr},
        {1, false, 11, u"99999999999", nullptr},
        // One-axis: OUT and SM sit in columns 5 and 6.
        {2, false, 5, u"3", u"3"}, {2, false, 5, u"4", nullptr}, {2, false, 6, u"9", u"9"},
        {2, false, 6, u"10", nullptr}, {2, false, 1, u"5", u"5"},
        // Pulses (largest 6667).
        {1, false, 4, u"1234", u"   1234"}, {1, false, 4, u"6667", u"   6667"}, {1, false, 4, u"6668", nullptr},
        {1, false, 4, u"12.5", nullptr}, {1, false, 4, u"-1", nullptr}, {1, false, 8, u"0", u"      0"},
        {2, false, 4, u"6667", u"   6667"}, {1, false, 4, u"4294967296", nullptr},
        // Millimetres (largest 100.005, 0.015 mm a pulse, halves up).
        {1, true, 4, u"12.5", u" 12.495"}, {1, true, 4, u"12.3456", u" 12.345"}, {1, true, 4, u"0.0075", u"  0.000"},
        {1, true, 4, u"0.0225", u"  0.015"}, {1, true, 4, u"100.005", u"100.005"},
        {1, true, 4, u"100.0059", u"100.005"}, {1, true, 4, u"100.006", nullptr}, {1, true, 4, u"-0.001", nullptr},
        {1, true, 8, u"1", u"  1.005"}, {2, true, 4, u"50", u" 49.995"},
        {1, true, 4, u"100000000", nullptr},
        // What the number reading leaves behind is heard: a spreadsheet's
        // "33,33" is taken as 33, a unit after the number is dropped. Blanks
        // around the number are no loss.
        {1, false, 4, u"33,33", u"     33", true}, {1, true, 4, u"33,33", u" 33.000", true},
        {2, true, 4, u"12,5", u" 12.000", true},   {1, true, 8, u"7 mm", u"  7.005", true},
        {1, false, 1, u"5a", u"5", true},          {2, false, 6, u"1 2", nullptr},
        {1, false, 4, u"1 2", u"     12", true},   {1, false, 4, u" 12 ", u"     12"},
        {1, false, 3, u"  ", u"0"},                {1, true, 4, u"12.5", u" 12.495"},
        // A number too large for a double is out of every range.
        {1, false, 4, u"1e999", nullptr}, {1, true, 8, u"1e999", nullptr}, {2, true, 4, u"-1e999", nullptr},
        {1, false, 3, u"1e999", nullptr}, {2, false, 5, u"1e999", nullptr},
    };
    // The same under a locale whose decimal mark is a comma: "12.5" is read
    // as 12.5 mm there too (and kept as 12.495, the nearest pulse).
    for (const char* locale : {"C", test::kCommaLocale}) {
        test::ScopedLocale in(locale);
        ASSERT_TRUE(in.ok()) << locale << ": " << test::kLocaleMissing;
        for (const CommitCase& c : cases) {
            GridTestContext t(c.ctType, 2, c.mm);
            const Product p = productOf(c.ctType);
            SetUpPositionGrid(t.ctx, p);
            PositionGrid& g = t.ctx.grid.of(p);
            g.setCurrent(7, c.col);
            const CommitOutcome out = EditTorikomi(t.ctx, p, QString::fromUtf16(c.typed));
            const QString what = QStringLiteral("product %1 mm %2 col %3 typed '%4' under %5")
                                     .arg(c.ctType).arg(c.mm).arg(c.col).arg(QString::fromUtf16(c.typed))
                                     .arg(QString::fromLatin1(locale));
            EXPECT_EQ(g.text(7, c.col), c.stored ? QString::fromUtf16(c.stored) : QString()) << qPrintable(what);
            EXPECT_EQ(out.accepted, c.stored != nullptr) << qPrintable(what);
            EXPECT_EQ(out.beep, c.stored == nullptr || c.cut) << qPrintable(what);
            EXPECT_EQ(g.Tag, QStringLiteral("DataChange")) << qPrintable(what);
            EXPECT_TRUE(t.msg.shown.empty()) << qPrintable(what);
        }
    }
}

TEST(CellCommit, PositionValuesKeptBesideTheGrid) {
    GridTestContext t(1, 2, true);
    t.ctx.opt.MmRoundUp = false;
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    PositionGrid& g = t.ctx.grid.flgdData;
    g.setCurrent(3, 8);
    EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("0.0225")); // cut to 0.022 first: 1.47 pulses
    EXPECT_EQ(g.text(3, 8), QStringLiteral("  0.015"));
    EXPECT_EQ(t.ctx.pos.PosiValue[3][1].toNumber(), 1);
    EXPECT_DOUBLE_EQ(t.ctx.pos.PosiValue[3][3].toNumber(), 0.015);

    t.ctx.opt.DispMmUnit = false;
    g.setCurrent(4, 4);
    EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("667"));
    EXPECT_EQ(t.ctx.pos.PosiValue[4][0].toNumber(), 667);
    EXPECT_DOUBLE_EQ(t.ctx.pos.PosiValue[4][2].toNumber(), 10.005);
    // A rejected entry leaves the values alone.
    EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("9999"));
    EXPECT_EQ(t.ctx.pos.PosiValue[4][0].toNumber(), 667);
    EXPECT_EQ(g.text(4, 4), QString());
}

TEST(CellCommit, SpecialModelAccOnItsOwnAxis) {
    GridTestContext t(1, 2, false);
    GridTestContext::setActuator(t.ctx.dev.two[1], SpecialModel::size(), SpecialModel::speed());
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    PositionGrid& g = t.ctx.grid.flgdData;
    g.setCurrent(1, 2);
    EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("3"));
    EXPECT_EQ(g.text(1, 2), QStringLiteral("3"));
    g.setCurrent(1, 6);
    EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("3"));
    EXPECT_EQ(g.text(1, 6), QString());
    EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("2"));
    EXPECT_EQ(g.text(1, 6), QStringLiteral("2"));

    GridTestContext u(2, 2, false);
    GridTestContext::setActuator(u.ctx.dev.one[0], SpecialModel::size(), SpecialModel::speed());
    u.ctx.grid.flgdDataW3k.setCurrent(1, 2);
    EXPECT_FALSE(EditTorikomi(u.ctx, Product::OneAxis, QStringLiteral("3")).accepted);
}

TEST(CellCommit, NoActuatorAcceptsOnlyPositionZero) {
    for (bool mm : {false, true}) {
        GridTestContext t(1, 2, mm);
        t.ctx.dev.two = {};
        PositionGrid& g = t.ctx.grid.flgdData;
        g.setCurrent(2, 4);
        EXPECT_TRUE(EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("0")).accepted) << mm;
        EXPECT_FALSE(EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("1")).accepted) << mm;
        EXPECT_FALSE(EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("0.001")).accepted) << mm;
    }
}

TEST(CellCommit, SelectionsAndComments) {
    GridTestContext t(1, 2, false);
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    PositionGrid& g = t.ctx.grid.flgdData;
    // One column, rows 5 to 9: every row gets the text, no beep; the
    // position value changes for row 5 only.
    g.select(5, 4, 9, 4);
    CommitOutcome out = EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("100"));
    EXPECT_FALSE(out.beep);
    for (int r = 5; r <= 9; ++r) EXPECT_EQ(g.text(r, 4), QStringLiteral("    100"));
    EXPECT_EQ(t.ctx.pos.PosiValue[5][0].toNumber(), 100);
    EXPECT_TRUE(t.ctx.pos.PosiValue[6][0].isEmpty());
    // Several columns: the current column's selected rows only, with a beep;
    // the selection narrows to that column.
    g.select(20, 1, 22, 3);
    out = EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("7"));
    EXPECT_TRUE(out.accepted);
    EXPECT_TRUE(out.beep);
    EXPECT_EQ(g.text(22, 1), QStringLiteral("7"));
    EXPECT_EQ(g.text(22, 2), QStringLiteral("3"));
    EXPECT_EQ(g.ColSel(), 1);
    EXPECT_EQ(g.RowSel(), 22);
    // Rejected over several columns: only the current cell empties and the
    // selection collapses to it.
    g.select(30, 1, 32, 3);
    out = EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("0"));
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(g.text(30, 1), QString());
    EXPECT_EQ(g.text(31, 1), QStringLiteral("5"));
    EXPECT_EQ(g.RowSel(), 30);
    EXPECT_EQ(g.ColSel(), 1);
    // Rejected in one column: the selection stays.
    g.select(40, 2, 42, 2);
    EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("9"));
    EXPECT_EQ(g.RowSel(), 42);
    EXPECT_EQ(g.text(41, 2), QStringLiteral("3"));

    // Comments: trimmed, a double quote becomes an apostrophe.
    g.setCurrent(50, 12);
    out = EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("  pick \"A\" up  "));
    EXPECT_TRUE(out.accepted);
    EXPECT_FALSE(out.beep); // a comment is no number: nothing is left behind
    EXPECT_EQ(g.text(50, 12), QStringLiteral("pick 'A' up"));
    EXPECT_TRUE(EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("原点 ﾃｽﾄ")).accepted);
    EXPECT_TRUE(t.msg.shown.empty());
    // A character Shift-JIS cannot hold is refused with a message; the cell
    // keeps its text.
    g.Tag.clear();
    out = EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("temp \U0001F600"));
    EXPECT_FALSE(out.accepted);
    EXPECT_EQ(g.text(50, 12), QStringLiteral("原点 ﾃｽﾄ"));
    EXPECT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(g.Tag, QString());
}

// ---- The whole-table check

class PosiCheck : public ::testing::Test {
protected:
    void setUpProduct(int ctType, int language = 2, bool mm = false) {
        t = std::make_unique<GridTestContext>(ctType, language, mm);
        p = productOf(ctType);
        SetUpPositionGrid(t->ctx, p);
    }
    PositionGrid& g() { return t->ctx.grid.of(p); }
    std::unique_ptr<GridTestContext> t;
    Product p = Product::TwoAxis;
};

TEST_F(PosiCheck, NewTablePassesAndIsCopied) {
    setUpProduct(1);
    g().setText(3, 4, QStringLiteral("   6667"));
    g().setText(3, 12, QStringLiteral(" spaced "));
    PosiDataCheck(t->ctx, p);
    EXPECT_FALSE(t->ctx.main.PosiDataCheckError);
    EXPECT_TRUE(t->msg.shown.empty());
    const auto& row = t->ctx.pos.two.PosiData[3];
    EXPECT_EQ(row[0].toNumber(), 5);
    EXPECT_EQ(row[1].toNumber(), 3);
    EXPECT_EQ(row[3].toNumber(), 6667);
    EXPECT_EQ(row[11].toText(), QStringLiteral(" spaced "));
    EXPECT_DOUBLE_EQ(t->ctx.pos.PosiValue[3][2].toNumber(), 100.005);
}

TEST_F(PosiCheck, BoundariesAndTheList) {
    struct Case {
        int col;
        const char16_t* text;
        bool bad;
        const char16_t* named = nullptr; // the column the message names: a text that is no number
    } cases[] = {
        {1, u"9.4", false}, {1, u"9.5", true}, {1, u"8.5", false}, {1, u"0", true}, {1, u"ab", true, u"VEL1"},
        {3, u"ab", true, u"WAY1"}, {2, u"", true}, {2, u" ", true}, {9, u"1", false}, {9, u"2", true},
        {4, u"6667", false}, {4, u"6668", true}, {4, u"-1", true}, {4, u"12.5", true}, {8, u"x", true, u"POSI2"},
        {11, u"70000", true}, {12, u"", false}, {12, u"abc", false}, {4, u" 6667 ", false},
        {4, u"44,44", true, u"POSI1"}, {5, u"7 mm", true, u"VEL2"}, {10, u"1 2", true, u"OUT"},
        {3, u"1e999", true}, {10, u"1e999", true}, {8, u"1e999", true}, {4, u"-1e999", true},
    };
    for (const Case& c : cases) {
        setUpProduct(1);
        g().setText(17, c.col, QString::fromUtf16(c.text));
        g().setText(3, 1, QStringLiteral("0")); // always bad
        PosiDataCheck(t->ctx, p);
        const QString list = c.bad ? QStringLiteral("3,17,") : QStringLiteral("3,");
        EXPECT_EQ(t->ctx.main.Error_Posi, list) << c.col << " " << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(t->ctx.main.SumOfMukoPosi, c.bad ? 2 : 1);
        EXPECT_TRUE(t->ctx.pos.two.PosiNgRow[2]);
        EXPECT_EQ(bool(t->ctx.pos.two.PosiNgRow[16]), c.bad);
        EXPECT_TRUE(t->ctx.main.PosiDataCheckError);
        ASSERT_EQ(t->msg.shown.size(), 1u);
        const QString named = c.named ? QStringLiteral("\r\n\r\nPosition No.17 %1: \"%2\" is not a number.")
                                            .arg(QString::fromUtf16(c.named), QString::fromUtf16(c.text).trimmed())
                                      : QString();
        EXPECT_EQ(t->msg.lastText(),
                  QStringLiteral("No data or invalid data in some position No. .\r\nConfirm the Position data "
                                 "indicated below, and tyr it again.\r\n Position No.") + list + QStringLiteral(".") + named);
        EXPECT_TRUE(t->ctx.pos.two.PosiData[1][0].isEmpty()) << "a failed check copies nothing";
    }
}

// A pasted text that is not wholly a number is never taken as its leading
// number: the check refuses its position and names the cell, in both
// products and languages; a wholly numeric text, blanks around it, is taken.
TEST_F(PosiCheck, TextsThatAreNoNumbersAreRefusedAndNamed) {
    for (const char* locale : {"C", test::kCommaLocale}) {
        test::ScopedLocale in(locale);
        ASSERT_TRUE(in.ok()) << locale << ": " << test::kLocaleMissing;
        for (int ct : {1, 2}) {
            for (int language : {1, 2}) {
                setUpProduct(ct, language, true);
                g().setText(3, 4, QStringLiteral("50"));
                g().setText(4, 4, QStringLiteral("60.5"));
                g().setText(5, 4, QStringLiteral("  12.5 "));
                PosiDataCheck(t->ctx, p);
                ASSERT_FALSE(t->ctx.main.PosiDataCheckError) << ct << " " << t->msg.lastText().toStdString();
                const auto& value = t->ctx.pos.PosiValue;
                EXPECT_EQ(value[3][0].toNumber(), 3333);
                EXPECT_EQ(value[4][0].toNumber(), 4033);
                EXPECT_EQ(value[5][0].toNumber(), 833);
                EXPECT_EQ(t->ctx.pos.of(p).PosiData[5][3].toNumber(), 833);

                const char16_t* texts[] = {u"44,44", u"12,5", u"abc", u"7 mm"};
                for (int i = 0; i < 4; ++i) g().setText(10 + i, 4, QString::fromUtf16(texts[i]));
                g().setText(20, 2, QStringLiteral("3x"));
                g().setText(3, 4, QStringLiteral("10"));
                t->msg.clear();
                PosiDataCheck(t->ctx, p);
                EXPECT_TRUE(t->ctx.main.PosiDataCheckError);
                ASSERT_EQ(t->msg.shown.size(), 1u);
                const QString pos = language == 1 ? QStringLiteral("位置") : QStringLiteral("POSI");
                const QString acc = language == 1 ? QStringLiteral("加速") : QStringLiteral("ACC");
                const QString axis = ct == 1 ? QStringLiteral("1") : QString();
                const QString sep = language == 1 ? QStringLiteral("、") : QStringLiteral(",");
                QString named;
                for (int i = 0; i < 4; ++i)
                    named += language == 1
                                 ? QStringLiteral("\r\nポジションNo%1 %2：「%3」は数値ではありません。")
                                       .arg(10 + i).arg(pos + axis, QString::fromUtf16(texts[i]))
                                 : QStringLiteral("\r\nPosition No.%1 %2: \"%3\" is not a number.")
                                       .arg(10 + i).arg(pos + axis, QString::fromUtf16(texts[i]));
                named += language == 1 ? QStringLiteral("\r\nポジションNo20 %1：「3x」は数値ではありません。").arg(acc + axis)
                                       : QStringLiteral("\r\nPosition No.20 %1: \"3x\" is not a number.").arg(acc + axis);
                EXPECT_EQ(t->ctx.main.Error_Posi, QStringList({"10", "11", "12", "13", "20", ""}).join(sep));
                EXPECT_TRUE(t->msg.lastText().endsWith(QStringLiteral("\r\n") + named))
                    << ct << " " << language << ": " << t->msg.lastText().toStdString();
                // Nothing copied: the positions that pass keep what the last check left.
                EXPECT_EQ(t->ctx.pos.of(p).PosiData[3][3].toNumber(), 3333);
                // The grid keeps the texts for the user to mend.
                EXPECT_EQ(g().text(10, 4), QStringLiteral("44,44"));
            }
        }
    }
}

// A whole table of texts that are no numbers is no empty table: the message
// names a few cells and counts the rest.
TEST_F(PosiCheck, ATableOfTextsThatAreNoNumbersIsNotCalledEmpty) {
    setUpProduct(2);
    for (int r = 1; r <= 399; ++r) g().setText(r, 4, QStringLiteral("%1,5").arg(r));
    PosiDataCheck(t->ctx, p);
    EXPECT_EQ(t->ctx.main.SumOfMukoPosi, 399);
    const QString text = t->msg.lastText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("No data or invalid data"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nPosition No.10 POSI: \"10,5\" is not a number.")));
    EXPECT_FALSE(text.contains(QStringLiteral("Position No.11 POSI")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n(and 389 more cells that are not numbers)"))) << text.toStdString();
}

TEST_F(PosiCheck, MillimetreLimits) {
    setUpProduct(2, 1, true);
    // Up to stroke + one pulse passes the millimetre test, then must fit the
    // pulse limit: 100.005 mm = 6667 pulses passes, 100.0125 rounds to 6668.
    g().setText(5, 4, QStringLiteral("100.005"));
    g().setText(6, 4, QStringLiteral("100.0125"));
    g().setText(7, 4, QStringLiteral("100.016"));
    PosiDataCheck(t->ctx, p);
    EXPECT_EQ(t->ctx.main.Error_Posi, QStringLiteral("6、7、"));
    EXPECT_EQ(t->msg.lastText(), QStringLiteral("データがないか、不正なデータが含まれている箇所があります。\r\n"
                                                "以下に示す位置Noのデータを確認してから再度行って下さい。\r\n"
                                                "ポジションNo,6、7、"));
}

TEST_F(PosiCheck, NoActuatorPassesOnlyPositionZero) {
    for (bool mm : {false, true}) {
        setUpProduct(1, 2, mm);
        t->ctx.dev.two = {};
        g().setText(9, 8, mm ? QStringLiteral("  0.001") : QStringLiteral("      1"));
        PosiDataCheck(t->ctx, p);
        EXPECT_EQ(t->ctx.main.Error_Posi, QStringLiteral("9,")) << mm;
    }
}

TEST_F(PosiCheck, EmptyGridAndNarrowRange) {
    setUpProduct(1);
    PosiGridDeleteRows(t->ctx, p, 1, 399);
    for (int r = 1; r < 400; ++r) g().setText(r, 1, QString());
    PosiDataCheck(t->ctx, p);
    EXPECT_EQ(t->ctx.main.SumOfMukoPosi, 399);
    EXPECT_EQ(t->msg.lastText(), QStringLiteral("No data in the list.\r\nInput data and write into controller."));
    // Fewer positions, all bad: the invalid-data message.
    t->ctx.pos.PosiRangeStart = 10;
    t->ctx.pos.PosiRangeEnd = 12;
    PosiDataCheck(t->ctx, p);
    EXPECT_EQ(t->ctx.main.Error_Posi, QStringLiteral("10,11,12,"));
    EXPECT_TRUE(t->msg.lastText().startsWith(QStringLiteral("No data or invalid")));
    EXPECT_FALSE(t->ctx.pos.two.PosiNgRow[0]);
}

TEST_F(PosiCheck, OneAxisCarriesTheHiddenColumns) {
    setUpProduct(2, 2, true);
    PositionGrid& dummy = t->ctx.grid.flgdDummy;
    dummy.setText(8, 1, QStringLiteral("4"));
    dummy.setText(8, 2, QStringLiteral("2"));
    dummy.setText(8, 4, QStringLiteral("   1234"));
    dummy.setText(8, 5, QStringLiteral("1"));
    g().setText(8, 4, QStringLiteral(" 12.510"));
    g().setText(8, 5, QStringLiteral("2"));
    g().setText(8, 7, QStringLiteral("note"));
    int commits = 0;
    t->ctx.grid.commitPendingEdit = [&] { ++commits; };
    PosiDataCheck(t->ctx, p);
    EXPECT_EQ(commits, 1);
    ASSERT_FALSE(t->ctx.main.PosiDataCheckError);
    const auto& row = t->ctx.pos.one.PosiData[8];
    const double expected[11] = {5, 3, 0, 834, 4, 2, 0, 1234, 1, 2, 0};
    for (int c = 0; c < 11; ++c) EXPECT_EQ(row[std::size_t(c)].toNumber(), expected[c]) << c;
    EXPECT_EQ(row[11].toText(), QStringLiteral("note"));
    EXPECT_DOUBLE_EQ(t->ctx.pos.PosiValue[8][2].toNumber(), 12.51);
    EXPECT_EQ(t->ctx.pos.PosiValue[8][0].toNumber(), 834);
}

} // namespace
} // namespace rer
