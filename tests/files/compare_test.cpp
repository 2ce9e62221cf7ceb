#include "files/GrpSmFiles.h"
#include "files/ParaFile.h"
#include "files/PosiFile.h"
#include "FilesTestSupport.h"

using namespace rer;
using namespace rer::testing;

namespace {

// A record and a table that agree: the table made from the record.
void agree(ProductParameters& pp) {
    pp.rec.ParaHomeOffset = {Value::number(100), Value::number(200)};
    pp.rec.ParaStroke = {Value::number(6667), Value::number(13333)};
    pp.rec.ParaPgAlm = {Value::number(100), Value::number(100)};
    for (int row = 1; row <= 23; ++row)
        for (int a = 0; a < 2; ++a) {
            if (row != 1 && row != 17 && row != 23) SetParaRecordValue(pp.rec, row, a, Value::number(row * 2 + a));
            pp.ParaFileData[row][a] = ParaRecordValue(pp.rec, row, a);
        }
    for (int row = 24; row <= 35; ++row) {
        SetParaRecordValue(pp.rec, row, 0, Value::number(row % 3));
        pp.ParaFileData[row][0] = Value::number(row % 3);
    }
}

struct Diff { int row; int axis; };

} // namespace

TEST(PrmDataCompare, DifferenceTextsOfBothProducts) {
    struct Case {
        Product p;
        std::vector<Diff> diffs;
        std::array<const char*, 6> texts;
    };
    const Case cases[] = {
        {Product::TwoAxis, {}, {"", "", "", "", "", ""}},
        {Product::TwoAxis, {{1, 0}, {1, 1}, {2, 1}}, {"OFFSET(1),OFFSET(2),PUSH(2),", "", "", "", "", ""}},
        {Product::TwoAxis, {{8, 0}, {16, 1}}, {"", "VEL2(1),JOGVEL(2),", "", "", "", ""}},
        {Product::TwoAxis, {{34, 0}}, {"", "", "", "", "", "LS TIMER"}},
        {Product::TwoAxis, {{33, 0}, {30, 0}, {24, 0}, {28, 0}},
         {"", "", "", "", "HOME OUT,SM TIMER,", "1AXIS,OVERIDE,"}},
        // Axis 1 is listed before axis 2 within a group.
        {Product::TwoAxis, {{21, 1}, {17, 0}, {23, 1}, {22, 0}},
         {"", "", "STROKE(1),TYPE(2),", "FUNCTION(1),ALM(2),", "", ""}},
        {Product::TwoAxis, {{35, 0}}, {"", "", "", "", "", ""}}, // BCD ENABLE is one-axis only
        {Product::OneAxis, {}, {"", "", "", "", "", ""}},
        {Product::OneAxis, {{34, 0}, {35, 0}}, {"", "", "", "", "", "LS TIMER,BCD ENABLE"}},
        {Product::OneAxis, {{6, 0}, {30, 0}}, {"", "", "", "", "", ""}}, // SEQ and 1AXIS
        {Product::OneAxis, {{1, 0}, {5, 0}, {16, 0}, {19, 0}, {23, 0}, {33, 0}},
         {"OFFSET,PUSHVEL,", "JOGVEL,", "PULSE,", "ALM,", "", "OVERRIDE,"}},
        {Product::OneAxis, {{2, 1}}, {"", "", "", "", "", ""}}, // axis 2 is not compared
    };
    for (const Case& c : cases) {
        FilesContext f;
        ProductParameters& pp = f.ctx.para.of(c.p);
        agree(pp);
        pp.ParaDiffText[3] = QStringLiteral("stale");
        pp.ParaDiffFlag = true;
        for (const Diff& d : c.diffs)
            pp.ParaFileData[d.row][d.axis] = Value::number(pp.ParaFileData[d.row][d.axis].toNumber() + 1);
        PrmDataCompare(f.ctx, c.p);
        bool any = false;
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(pp.ParaDiffText[i], QString::fromLatin1(c.texts[i])) << "text " << i;
            any = any || *c.texts[i];
        }
        EXPECT_EQ(pp.ParaDiffFlag, any);
    }
}

TEST(PrmDataCompare, NumbersCompareByValue) {
    FilesContext f;
    ProductParameters& pp = f.ctx.para.two;
    agree(pp);
    pp.ParaFileData[1][0] = Value::number(100.0);     // OFFSET read as 100 equals 100
    pp.ParaFileData[2][0] = Value::text(QStringLiteral("20")); // text is not the number
    PrmDataCompare(f.ctx);
    EXPECT_EQ(pp.ParaDiffText[0], QStringLiteral("PUSH(1),"));
    // An empty cell differs from a value.
    agree(pp);
    pp.ParaFileData[24][0] = Value();
    PrmDataCompare(f.ctx);
    EXPECT_EQ(pp.ParaDiffText[4], QStringLiteral("HOME OUT,"));
}

TEST(GrpDataCompare, ListsDifferingGroupsOfTheRange) {
    struct Case { int16_t start, end; std::vector<int> diffs; const char* text; };
    const Case cases[] = {
        {1, 99, {}, ""},
        {1, 99, {2, 5, 99}, " 2, 5, 99,"},
        {10, 12, {5, 10, 12, 13}, " 10, 12,"},
        {-5, 200, {1, 99}, " 1, 99,"}, // a range beyond the table stops at its ends
    };
    for (const Case& c : cases) {
        FilesContext f;
        for (int g = 1; g <= 99; ++g) f.ctx.grp.GrpData[g] = f.ctx.grp.GrpFileData[g] = {int16_t(g), int16_t(g + 1), 0};
        f.ctx.grp.GrpData[7][2] = 1; // the error mark is not compared
        for (int g : c.diffs) f.ctx.grp.GrpFileData[g][g % 2] = 400;
        f.ctx.grp.GrpRangeStart = c.start;
        f.ctx.grp.GrpRangeEnd = c.end;
        GrpDataCompare(f.ctx);
        EXPECT_EQ(f.ctx.grp.GrpDiffText, QString::fromLatin1(c.text));
        EXPECT_EQ(f.ctx.grp.GrpDiffFlag, *c.text != 0);
    }
}

TEST(SmDataCompare, ListsDifferingMacros) {
    struct Cell { int step, col; };
    struct Case { std::vector<Cell> diffs; const char* text; };
    const Case cases[] = {
        {{}, ""},
        {{{0, 2}, {3, 9}}, " 2, 5,"},
        {{{15, 17}}, " 9,"},            // data of step 15 of macro 9
        {{{0, 0}, {0, 1}, {15, 0}}, " 1,"},
        {{{16, 0}, {0, 18}}, ""},       // step 16 and column 18 are not used
    };
    for (const Case& c : cases) {
        FilesContext f;
        for (const Cell& d : c.diffs) f.ctx.sm.SmFileData[d.step][d.col] = 3;
        SmDataCompare(f.ctx);
        EXPECT_EQ(f.ctx.sm.SmDiffText, QString::fromLatin1(c.text));
        EXPECT_EQ(f.ctx.sm.SmDiffFlag, *c.text != 0);
    }
}

TEST(ClearPosiShogoKekka, ClearsOnlyTheProductsTable) {
    FilesContext f;
    f.ctx.pos.two.PosiShogoKekka[0][0] = true;
    f.ctx.pos.two.PosiShogoKekka[399][11] = true;
    f.ctx.pos.one.PosiShogoKekka[5][3] = true;
    ClearPosiShogoKekka(f.ctx);
    for (const auto& row : f.ctx.pos.two.PosiShogoKekka)
        for (bool b : row) EXPECT_FALSE(b);
    EXPECT_TRUE(f.ctx.pos.one.PosiShogoKekka[5][3]);
    W3kClearPosiShogoKekka(f.ctx);
    EXPECT_FALSE(f.ctx.pos.one.PosiShogoKekka[5][3]);
}
