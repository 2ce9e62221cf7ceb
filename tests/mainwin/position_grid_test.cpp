// The grid model, the grid set-up and the row and clipboard commands.
#include "catalogue/CatalogueTables.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionGrid.h"
#include "testsupport/GridTestContext.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

using test::GridTestContext;

QString rowText(const PositionGrid& g, int r) {
    QStringList cells;
    for (int c = 0; c < g.Cols(); ++c) cells << g.text(r, c);
    return cells.join(QLatin1Char('|'));
}

// Marks every data row with its own number so that moves can be followed.
void markRows(PositionGrid& g) {
    for (int r = 1; r < g.Rows(); ++r) g.setText(r, 1, QStringLiteral("r%1").arg(r));
}

TEST(PositionGridModel, AddRemoveAndClip) {
    PositionGrid g(5, 4);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) g.setText(r, c, QStringLiteral("%1%2").arg(r).arg(c));
    g.RemoveItem(1);
    EXPECT_EQ(g.Rows(), 4);
    EXPECT_EQ(g.text(1, 0), QStringLiteral("20"));
    g.AddItem(QStringLiteral("a\tb\t\td\textra"), 1);
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.text(1, 1), QStringLiteral("b"));
    EXPECT_EQ(g.text(1, 2), QString());
    EXPECT_EQ(g.text(1, 3), QStringLiteral("d"));
    g.AddItem(QStringLiteral("z"), 5); // at the end
    EXPECT_EQ(g.text(5, 0), QStringLiteral("z"));
    g.RemoveItem(5);

    // Clip: Tab between cells, CR between rows, nothing after the last row,
    // whatever direction the selection was made in.
    g.select(3, 3, 2, 1);
    EXPECT_EQ(g.Clip(), QStringLiteral("21\t22\t23\r31\t32\t33"));
    g.setCurrent(2, 2);
    EXPECT_EQ(g.Clip(), g.text(2, 2));
    EXPECT_EQ(g.RowSel(), 2);
    // Out-of-range cells read empty and are not written.
    g.setText(99, 1, QStringLiteral("x"));
    EXPECT_EQ(g.text(99, 1), QString());
}

class CountingObserver : public GridObserver {
public:
    void gridCellsChanged(int, int, int, int) override { ++cells; }
    void gridRefresh() override { ++refreshes; }
    void gridCurrentChanged() override { ++moves; }
    int cells = 0, refreshes = 0, moves = 0;
};

TEST(PositionGridModel, HiddenGridRefreshesItsViewOnce) {
    GridTestContext t;
    CountingObserver o;
    t.ctx.grid.flgdData.setObserver(&o);
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    PosiGridDeleteRows(t.ctx, Product::TwoAxis, 1, 399);
    EXPECT_EQ(o.cells, 0);
    EXPECT_EQ(o.refreshes, 2);
    EXPECT_EQ(o.moves, 0);
    t.ctx.grid.flgdData.setText(1, 1, QStringLiteral("7"));
    EXPECT_EQ(o.cells, 1);
    t.ctx.grid.flgdData.setObserver(nullptr);
}

TEST(PositionGridSetUp, TwoAxisNewTable) {
    GridTestContext t(1, 2, false);
    GridTestContext::setActuator(t.ctx.dev.two[1], SpecialModel::size(), SpecialModel::speed());
    t.ctx.grid.flgdData.Tag = QStringLiteral("DataChange");
    t.ctx.grid.flgdData.setText(5, 12, QStringLiteral("edited"));
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    const PositionGrid& g = t.ctx.grid.flgdData;
    EXPECT_EQ(g.Rows(), 400);
    EXPECT_EQ(g.Cols(), 13);
    EXPECT_EQ(rowText(g, 0), QStringLiteral("No.|VEL|ACC|WAY|Posi(pls)|VEL|ACC|WAY|Posi(pls)|ITPL|OUT|S/M|Comment"));
    EXPECT_EQ(rowText(g, 1), QStringLiteral("1|5|3|0|      0|5|2|0|      0|0|0|0|"));
    EXPECT_EQ(rowText(g, 399), QStringLiteral("399|5|3|0|      0|5|2|0|      0|0|0|0|"));
    EXPECT_EQ(g.text(5, 12), QString());
    EXPECT_EQ(g.Tag, QStringLiteral("DataChange")) << "the set-up leaves the mark alone";
    EXPECT_EQ(g.rowHeight(0), 300);
    EXPECT_EQ(g.rowHeight(200), 250);
    const int widths[13] = {400, 500, 500, 500, 1000, 500, 500, 500, 1000, 500, 500, 500, 3000};
    for (int c = 0; c < 13; ++c) {
        EXPECT_EQ(g.colWidth(c), widths[c]) << c;
        EXPECT_EQ(g.cellBackColor(300, c), c >= 5 && c <= 8 ? kLightYellow : PositionGrid::kWindowColour) << c;
        EXPECT_EQ(g.colAlignment(c), c == 12 ? PositionGrid::Align::Left : PositionGrid::Align::Centre);
    }
}

TEST(PositionGridSetUp, OneAxisJapaneseMillimetres) {
    GridTestContext t(2, 1, true);
    GridTestContext::setActuator(t.ctx.dev.one[0], SpecialModel::size(), SpecialModel::speed());
    SetUpPositionGrid(t.ctx, Product::OneAxis);
    const PositionGrid& g = t.ctx.grid.flgdDataW3k;
    EXPECT_EQ(g.Cols(), 8);
    EXPECT_EQ(rowText(g, 0), QStringLiteral("No.|速度|加速|方法|位置(mm)|出力|S/M|コメント"));
    EXPECT_EQ(rowText(g, 17), QStringLiteral("17|5|2|0|  0.000|0|0|"));
    EXPECT_EQ(g.cellBackColor(17, 5), PositionGrid::kWindowColour);
    EXPECT_EQ(g.colWidth(7), 3500);

    // Only the exact pair counts as the special model.
    GridTestContext u(2, 2, false);
    GridTestContext::setActuator(u.ctx.dev.one[0], QStringLiteral("67"), QStringLiteral("R"));
    SetUpPositionGrid(u.ctx, Product::OneAxis);
    EXPECT_EQ(u.ctx.grid.flgdDataW3k.text(1, 2), QStringLiteral("3"));
}

TEST(PositionGridSetUp, UnitChangeRewritesTheHeadersOnly) {
    struct Case {
        int ctType, language;
        bool mm;
        const char16_t* header;
    } cases[] = {{1, 2, false, u"Posi(Pls)"}, {1, 2, true, u"Posi(mm)"}, {2, 1, false, u"位置(ﾊﾟﾙｽ)"}, {2, 1, true, u"位置(mm)"}};
    for (const Case& c : cases) {
        GridTestContext t(c.ctType, c.language, !c.mm);
        const Product p = productOf(c.ctType);
        SetUpPositionGrid(t.ctx, p);
        t.ctx.opt.DispMmUnit = c.mm;
        ChangeDispUnitHeaders(t.ctx, p);
        const PositionGrid& g = t.ctx.grid.of(p);
        EXPECT_EQ(g.text(0, 4), QString::fromUtf16(c.header));
        if (p == Product::TwoAxis) {
            EXPECT_EQ(g.text(0, 8), QString::fromUtf16(c.header));
        }
        EXPECT_EQ(g.text(1, 4), PositionDefault(!c.mm)) << "cells stay";
        EXPECT_EQ(g.Row(), 0);
        EXPECT_EQ(g.Col(), p == Product::TwoAxis ? 8 : 4);
        // The header row is current: a line command now asks for a row.
        PosiGyoDeleteProc(t.ctx, p);
        EXPECT_EQ(t.msg.shown.size(), 1u);
    }
}

TEST(PositionGridRows, DeleteAndInsert) {
    GridTestContext t(1, 2, false);
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    PositionGrid& g = t.ctx.grid.flgdData;
    markRows(g);
    g.setText(7, 6, QStringLiteral("x")); // ACC2 of row 7 (deleted)
    PosiGridDeleteRows(t.ctx, Product::TwoAxis, 5, 7);
    EXPECT_EQ(g.Rows(), 400);
    EXPECT_EQ(g.text(5, 1), QStringLiteral("r8"));
    EXPECT_EQ(g.text(396, 1), QStringLiteral("r399"));
    for (int r : {397, 398, 399}) {
        EXPECT_EQ(rowText(g, r), QStringLiteral("%1|5|3|0|      0|5|3|0|      0|0|0|0|").arg(r));
        EXPECT_EQ(g.cellBackColor(r, 6), kLightYellow);
        EXPECT_EQ(g.rowHeight(r), 250);
    }
    for (int r = 1; r < 400; ++r) ASSERT_EQ(g.text(r, 0), QString::number(r));
    EXPECT_EQ(g.Row(), 399);
    EXPECT_EQ(g.Col(), 0);

    // Insert 2 rows at 398: the former 398 and 399 are gone.
    markRows(g);
    PosiGridInsertRows(t.ctx, Product::TwoAxis, 398, 399);
    EXPECT_EQ(g.text(397, 1), QStringLiteral("r397"));
    EXPECT_EQ(g.text(398, 1), QStringLiteral("5"));
    EXPECT_EQ(g.text(399, 1), QStringLiteral("5"));

    // Insert 3 at 10: old 10..396 move to 13..399.
    markRows(g);
    PosiGridInsertRows(t.ctx, Product::TwoAxis, 10, 12);
    EXPECT_EQ(g.text(9, 1), QStringLiteral("r9"));
    EXPECT_EQ(g.text(12, 1), QStringLiteral("5"));
    EXPECT_EQ(g.text(13, 1), QStringLiteral("r10"));
    EXPECT_EQ(g.text(399, 1), QStringLiteral("r396"));
    EXPECT_EQ(g.cellBackColor(11, 8), kLightYellow);

    // A selection made upwards acts on one row.
    markRows(g);
    PosiGridDeleteRows(t.ctx, Product::TwoAxis, 12, 10);
    EXPECT_EQ(g.text(11, 1), QStringLiteral("r11"));
    EXPECT_EQ(g.text(12, 1), QStringLiteral("r13"));

    // Deleting every row leaves a new table (ACC 3 also for the special model).
    GridTestContext::setActuator(t.ctx.dev.two[0], SpecialModel::size(), SpecialModel::speed());
    t.ctx.opt.DispMmUnit = true;
    PosiGridDeleteRows(t.ctx, Product::TwoAxis, 1, 399);
    for (int r = 1; r < 400; ++r)
        ASSERT_EQ(rowText(g, r), QStringLiteral("%1|5|3|0|  0.000|5|3|0|  0.000|0|0|0|").arg(r));
}

TEST(PositionGridRows, OneAxisRowsHaveEightColumnsAndNoColour) {
    GridTestContext t(2, 2, false);
    SetUpPositionGrid(t.ctx, Product::OneAxis);
    PositionGrid& g = t.ctx.grid.flgdDataW3k;
    PosiGridInsertRows(t.ctx, Product::OneAxis, 399, 399);
    EXPECT_EQ(g.Cols(), 8);
    EXPECT_EQ(rowText(g, 399), QStringLiteral("399|5|3|0|      0|0|0|"));
    EXPECT_EQ(g.cellBackColor(399, 5), PositionGrid::kWindowColour);
}

TEST(PositionGridCommands, LineCommandsMarkChangesAndRestoreTheCell) {
    GridTestContext t(1, 2, false);
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    PositionGrid& g = t.ctx.grid.flgdData;
    // Rows that are already new-table rows: nothing changes, no mark.
    g.select(10, 3, 12, 3);
    PosiGyoDeleteProc(t.ctx, Product::TwoAxis);
    EXPECT_EQ(g.Tag, QString());
    EXPECT_EQ(g.Row(), 10);
    EXPECT_EQ(g.Col(), 1);
    // A row with an edit: deleting it is a change.
    g.setText(11, 12, QStringLiteral("keep me"));
    g.setCurrent(11, 4);
    PosiGyoDeleteProc(t.ctx, Product::TwoAxis);
    EXPECT_EQ(g.Tag, QStringLiteral("DataChange"));
    g.Tag.clear();
    g.setText(20, 12, QStringLiteral("moved"));
    g.setCurrent(5, 2);
    PosiGyoInsertProc(t.ctx, Product::TwoAxis);
    EXPECT_EQ(g.text(21, 12), QStringLiteral("moved"));
    EXPECT_EQ(g.Tag, QStringLiteral("DataChange"));
    EXPECT_TRUE(t.msg.shown.empty());

    // Text pending in the editor is committed into its own cell first.
    int commits = 0;
    t.ctx.grid.commitPendingEdit = [&] {
        ++commits;
        EXPECT_EQ(g.Row(), 5);
        EditTorikomi(t.ctx, Product::TwoAxis, QStringLiteral("8"));
    };
    g.setCurrent(5, 1);
    PosiGyoInsertProc(t.ctx, Product::TwoAxis);
    EXPECT_EQ(commits, 1);
    EXPECT_EQ(g.text(6, 1), QStringLiteral("8"));
    t.ctx.grid.commitPendingEdit = nullptr;

    // The refusals.
    g.setCurrent(0, 3);
    PosiGyoInsertProc(t.ctx, Product::TwoAxis);
    PosiGyoDeleteProc(t.ctx, Product::TwoAxis);
    ASSERT_EQ(t.msg.shown.size(), 2u);
    EXPECT_EQ(t.msg.shown[0].text, QStringLiteral("A line has not been selected. Select the Copying line and execute."));
    EXPECT_EQ(t.msg.shown[1].text, QStringLiteral("A line has not been selected. Please the deleting line  and execute."));
    EXPECT_EQ(t.msg.shown[1].title, QStringLiteral("RER6O250"));
}

TEST(PositionGridCommands, CopyNeedsWholeRows) {
    for (int ct : {1, 2}) {
        GridTestContext t(ct, 2, false);
        const Product p = productOf(ct);
        SetUpPositionGrid(t.ctx, p);
        PositionGrid& g = t.ctx.grid.of(p);
        const int last = LastColumn(p);
        g.setText(3, last, QStringLiteral("c3"));
        t.clipboard.setText(QStringLiteral("before"));
        g.select(2, 1, 3, last - 1);
        PosiCopyProc(t.ctx, p);
        ASSERT_EQ(t.msg.shown.size(), 1u);
        EXPECT_EQ(t.msg.lastText(), QStringLiteral("Click at Posi number in order to select the row, and execute."));
        EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::Critical);
        EXPECT_EQ(t.clipboard.text(), QStringLiteral("before"));

        g.select(2, 1, 3, last);
        PosiCopyProc(t.ctx, p, false); // the grid is not the active control
        EXPECT_EQ(t.clipboard.text(), QStringLiteral("before"));
        PosiCopyProc(t.ctx, p);
        const QString row2 = ct == 1 ? QStringLiteral("5\t3\t0\t      0\t5\t3\t0\t      0\t0\t0\t0\t")
                                     : QStringLiteral("5\t3\t0\t      0\t0\t0\t");
        EXPECT_EQ(t.clipboard.text(), row2 + QLatin1Char('\r') + row2 + QStringLiteral("c3"));
        EXPECT_EQ(t.ctx.grid.of(p).Tag, QString());
    }
}

struct PasteCase {
    const char* name;
    int row;
    QString clip;
    // Expected texts of (row, column) cells after the paste.
    std::vector<std::tuple<int, int, QString>> cells;
    bool changes;
};

TEST(PositionGridCommands, PasteFromTableOfCases) {
    const QString z7 = QStringLiteral("      0");
    const std::vector<PasteCase> cases = {
        {"CR LF rows", 10, QStringLiteral("5\t3\r\n6\t2\r\n"),
         {{10, 1, "5"}, {10, 2, "3"}, {10, 3, "0"}, {11, 1, "6"}, {11, 2, "2"}, {12, 1, "5"}, {12, 2, "3"}}, true},
        {"LF rows from a text editor", 10, QStringLiteral("7\t1\n8\t2\n"),
         {{10, 1, "7"}, {10, 2, "1"}, {11, 1, "8"}, {11, 2, "2"}, {12, 1, "5"}}, true},
        {"lone CR rows and no end", 10, QStringLiteral("7\r8"), {{10, 1, "7"}, {11, 1, "8"}, {12, 1, "5"}}, true},
        {"one character", 10, QStringLiteral("7"), {{10, 1, "7"}, {10, 2, "3"}, {11, 1, "5"}}, true},
        {"cells beyond the last column dropped", 10,
         QStringLiteral("1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\tcomment\tx\ty"),
         {{10, 1, "1"}, {10, 11, "11"}, {10, 12, "comment"}, {11, 1, "5"}}, true},
        {"lines beyond row 399 dropped", 397, QStringLiteral("1\r\n2\r\n3\r\n4\r\n6\r\n"),
         {{397, 1, "1"}, {398, 1, "2"}, {399, 1, "3"}, {1, 1, "5"}}, true},
        {"a shorter line empties the cells to its right", 10, QStringLiteral("1\t2\t3\r\n4\r\n"),
         {{10, 3, "3"}, {11, 1, "4"}, {11, 2, ""}, {11, 3, ""}, {11, 4, z7}}, true},
        {"a longer line keeps its cells", 10, QStringLiteral("1\r\n4\t1\t2\r\n"),
         {{10, 1, "1"}, {10, 2, "3"}, {11, 1, "4"}, {11, 2, "1"}, {11, 3, "2"}}, true},
        {"a double quote in a comment becomes an apostrophe", 10,
         QStringLiteral("5\t3\t0\t      0\t5\t3\t0\t      0\t0\t0\t0\tsay \"hi\""), {{10, 12, "say 'hi'"}}, true},
        {"empty clipboard", 10, QString(), {{10, 1, "5"}}, false},
        {"same texts as before", 10, QStringLiteral("5\t3\t0"), {{10, 1, "5"}}, false},
    };
    for (const PasteCase& c : cases) {
        SCOPED_TRACE(c.name);
        GridTestContext t(1, 2, false);
        SetUpPositionGrid(t.ctx, Product::TwoAxis);
        PositionGrid& g = t.ctx.grid.flgdData;
        t.clipboard.setText(c.clip);
        g.setCurrent(c.row, 1);
        PosiPasteProc(t.ctx, Product::TwoAxis);
        for (const auto& [r, col, text] : c.cells) EXPECT_EQ(g.text(r, col), text) << r << "," << col;
        EXPECT_EQ(g.Row(), c.row);
        EXPECT_EQ(g.Col(), 1);
        EXPECT_EQ(g.Tag, c.changes ? QStringLiteral("DataChange") : QString());
        EXPECT_TRUE(t.msg.shown.empty());
    }
}

TEST(PositionGridCommands, PasteRefusalsAndRoundTrip) {
    GridTestContext t(2, 1, false);
    SetUpPositionGrid(t.ctx, Product::OneAxis);
    PositionGrid& g = t.ctx.grid.flgdDataW3k;
    g.setText(4, 7, QStringLiteral("four"));
    g.setText(5, 4, QStringLiteral("   1234"));
    g.select(4, 1, 5, 7);
    PosiCopyProc(t.ctx, Product::OneAxis);
    // Paste needs column 1.
    g.setCurrent(200, 2);
    PosiPasteProc(t.ctx, Product::OneAxis);
    ASSERT_EQ(t.msg.shown.size(), 1u);
    EXPECT_EQ(t.msg.lastText(), QStringLiteral("データを貼り付ける位置No、または貼り付ける行の１列目のセルをクリックしてから実行して下さい。"));
    EXPECT_EQ(g.text(200, 2), QStringLiteral("3"));
    // Not the active control: nothing.
    g.setCurrent(200, 1);
    PosiPasteProc(t.ctx, Product::OneAxis, false);
    EXPECT_EQ(g.text(201, 4), QStringLiteral("      0"));
    // Back at row 398: two of the copied rows fit... here both.
    PosiPasteProc(t.ctx, Product::OneAxis);
    EXPECT_EQ(rowText(g, 200), QStringLiteral("200|5|3|0|      0|0|0|four"));
    EXPECT_EQ(rowText(g, 201), QStringLiteral("201|5|3|0|   1234|0|0|"));
    EXPECT_EQ(g.Tag, QStringLiteral("DataChange"));
}

// A comment Shift-JIS cannot hold is refused on paste as it is when typed:
// nothing of the paste reaches the grid.
TEST(PositionGridCommands, PasteOfACommentTheFileCannotHoldIsRefused) {
    for (int ctType : {1, 2}) {
        for (int language : {1, 2}) {
            GridTestContext t(ctType, language, false);
            const Product p = t.ctx.opt.product();
            SetUpPositionGrid(t.ctx, p);
            PositionGrid& g = t.ctx.grid.of(p);
            const QString row = ctType == 1 ? QStringLiteral("7\t2\t1\t      9\t7\t2\t1\t      9\t1\t1\t1\t")
                                            : QStringLiteral("7\t2\t1\t      9\t1\t1\t");
            t.clipboard.setText(row + QStringLiteral("fine\r\n") + row + QStringLiteral("smile \U0001F600\r\n"));
            g.setCurrent(10, 1);
            const auto before = g.snapshot();
            PosiPasteProc(t.ctx, p);
            EXPECT_EQ(g.snapshot(), before) << ctType;
            EXPECT_TRUE(g.Tag.isEmpty()) << ctType;
            ASSERT_EQ(t.msg.shown.size(), 1u) << ctType;
            EXPECT_EQ(t.msg.lastText(), language == 1 ? QStringLiteral("コメントに使用できない文字が含まれています。")
                                                      : QStringLiteral("The comment holds a character that cannot be saved."));
            EXPECT_EQ(t.msg.shown[0].icon, MsgIcon::Exclamation);
        }
    }
}

TEST(PositionGridCommands, LongClipboardText) {
    GridTestContext t(1, 2, false);
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    QString big;
    for (int i = 0; i < 5000; ++i) big += QStringLiteral("9\t1\t2\t      5\t9\t1\t2\t      6\t1\t3\t9\tlong text row\r\n");
    t.clipboard.setText(big); // far beyond 32767 characters
    t.ctx.grid.flgdData.setCurrent(1, 1);
    PosiPasteProc(t.ctx, Product::TwoAxis);
    EXPECT_EQ(t.ctx.grid.flgdData.text(399, 12), QStringLiteral("long text row"));
    EXPECT_EQ(t.ctx.grid.flgdData.text(1, 4), QStringLiteral("      5"));
}

TEST(PositionGridNavigation, WrapAround) {
    struct Case {
        Product p;
        int r, c;
        NavKey key;
        int r2, c2;
    } cases[] = {
        {Product::TwoAxis, 5, 3, NavKey::Enter, 5, 4},   {Product::TwoAxis, 5, 12, NavKey::Enter, 6, 1},
        {Product::TwoAxis, 399, 12, NavKey::Enter, 1, 1}, {Product::OneAxis, 399, 7, NavKey::Enter, 1, 1},
        {Product::OneAxis, 8, 6, NavKey::Enter, 8, 7},   {Product::TwoAxis, 1, 4, NavKey::Up, 399, 4},
        {Product::TwoAxis, 2, 4, NavKey::Up, 1, 4},      {Product::TwoAxis, 399, 4, NavKey::Down, 1, 4},
        {Product::OneAxis, 398, 2, NavKey::Down, 399, 2}, {Product::TwoAxis, 7, 12, NavKey::Right, 7, 1},
        {Product::OneAxis, 7, 7, NavKey::Right, 7, 1},   {Product::OneAxis, 7, 6, NavKey::Right, 7, 7},
    };
    for (const Case& c : cases) {
        PositionGrid g(400, c.p == Product::TwoAxis ? 13 : 8);
        g.select(c.r, c.c, c.r + 1, c.c);
        MoveAfterKey(g, c.p, c.key);
        EXPECT_EQ(g.Row(), c.r2) << c.r << "," << c.c << " key " << int(c.key);
        EXPECT_EQ(g.Col(), c.c2) << c.r << "," << c.c << " key " << int(c.key);
        EXPECT_EQ(g.RowSel(), c.r2);
    }
}

} // namespace
} // namespace rer
