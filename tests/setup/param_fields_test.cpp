// The parameter windows without widgets: display, take-in, range check,
// blank check and the input filters of both products.
#include "files/ParaTables.h"
#include "setup/ParamFields.h"
#include "testsupport/ParamFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;

namespace {
constexpr Product kTwo = Product::TwoAxis;
constexpr Product kOne = Product::OneAxis;
const char* Name(Product p) { return p == kTwo ? "two-axis" : "one-axis"; }
} // namespace

TEST(ParaDisplayTakeIn, RoundTripGivesBackTheRecord) {
    for (Product p : {kTwo, kOne}) {
        const ParaRecord rec = ValidParaRecord(p);
        ParaControls c = ControlsShowing(rec, p);
        ParaRecord back;
        ParaTakeIn(c, p, back);
        const int axes = p == kTwo ? 2 : 1;
        for (int row = 1; row <= ParaLastRow(p); ++row)
            for (int axis = 0; axis < (row <= 23 ? axes : 1); ++axis) {
                if (p == kOne && row == kOneAxisRow) continue;
                EXPECT_EQ(ParaRecordValue(back, row, axis).toNumber(), ParaRecordValue(rec, row, axis).toNumber())
                    << Name(p) << " row " << row << " axis " << axis;
            }
        if (p == kOne) {
            // Values the one-axis window does not show come back as 0.
            EXPECT_EQ(back.ParaOneAxis, 0);
            EXPECT_EQ(back.ParaVel1[1], 0);
            EXPECT_EQ(back.ParaHomeOffset[1].toNumber(), 0);
            EXPECT_EQ(c.combo[kOneAxisRow][0], -1);
            EXPECT_TRUE(c.text[1][1].isEmpty());
        }
    }
}

TEST(ParaDisplayTakeIn, EmptyUnselectedAndOddValues) {
    ParaControls c; // as the window opens
    ParaRecord rec = ValidParaRecord(kTwo);
    ParaTakeIn(c, kTwo, rec);
    EXPECT_EQ(rec.ParaHomeOffset[0], Value::number(0)); // empty box: 0, as a number
    EXPECT_EQ(rec.ParaVel5[1], 0);
    EXPECT_EQ(rec.ParaType[0], 0);                     // no selection: 0
    EXPECT_EQ(rec.ParaOrEnable, 0);                    // option 0 selected

    // O-R ENABLE 2 shows option 0 and comes back as 0; 1 shows option 1.
    rec.ParaOrEnable = 2;
    ParaDisplay(rec, kTwo, c);
    EXPECT_TRUE(c.opt[0] && !c.opt[1]);
    rec.ParaOrEnable = 1;
    ParaDisplay(rec, kTwo, c);
    EXPECT_TRUE(!c.opt[0] && c.opt[1]);
    ParaTakeIn(c, kTwo, rec);
    EXPECT_EQ(rec.ParaOrEnable, 1);

    // A TYPE outside its list shows no selection and leaves the record alone.
    rec.ParaType[0] = 7;
    rec.ParaPgFunction[1] = -1;
    ParaDisplay(rec, kTwo, c);
    EXPECT_EQ(c.combo[21][0], -1);
    EXPECT_EQ(c.combo[22][1], -1);
    EXPECT_EQ(rec.ParaType[0], 7);

    // An empty variant shows an empty box; Integer 0 shows "0"; a text value as it stands.
    rec.ParaStroke[0] = Value();
    rec.ParaLead[0] = 0;
    rec.ParaPgAlm[1] = Value::text(QStringLiteral("12"));
    ParaDisplay(rec, kTwo, c);
    EXPECT_EQ(c.text[17][0], QString());
    EXPECT_EQ(c.text[18][0], QStringLiteral("0"));
    EXPECT_EQ(c.text[23][1], QStringLiteral("12"));

    // Pasted text: leading number, 65535 into PULSE, huge numbers clipped, not a crash.
    c.text[19][0] = QStringLiteral("65535");
    c.text[1][0] = QStringLiteral("99999");
    c.text[3][0] = QStringLiteral("12abc");
    c.text[7][0] = QStringLiteral("99999999999999999999");
    ParaTakeIn(c, kTwo, rec);
    EXPECT_EQ(rec.ParaPulse[0], 65535);
    EXPECT_EQ(rec.ParaHomeOffset[0], Value::number(99999));
    EXPECT_EQ(rec.ParaHomeVel[0], 12);
    EXPECT_EQ(rec.ParaVel1[0], 32767);
    EXPECT_TRUE(ParaOutOfRange(rec, kTwo));
}

TEST(ParaRangeCheck, BoundariesOfEveryKindOfValue) {
    struct Case { Product p; int row; int axis; double value; bool invalid; };
    const Case cases[] = {
        {kTwo, 1, 0, 65535, false}, {kTwo, 1, 0, 65536, true},  {kTwo, 1, 1, 0, true},
        {kTwo, 23, 0, 5, false},    {kTwo, 23, 0, 4, true},     {kTwo, 17, 0, 0, false},
        {kTwo, 17, 1, 262143, false}, {kTwo, 17, 0, 262144, true}, {kTwo, 33, 0, 100, false},
        {kTwo, 33, 0, 101, true},   {kTwo, 16, 0, 30, false},   {kTwo, 16, 1, 31, true},
        {kTwo, 6, 0, 9, false},     {kTwo, 6, 1, 10, true},     {kTwo, 18, 0, 0, true},
        {kTwo, 19, 0, 0, true},     {kTwo, 11, 1, 61, true},    {kTwo, 30, 0, 2, true},
        {kTwo, 21, 1, 5, true},     {kTwo, 28, 0, 0, true},     {kTwo, 29, 0, 0, false},
        // One axis: SEQ and 1AXIS unchecked, axis 2 never checked, BCD checked.
        {kOne, 6, 0, 500, false},   {kOne, 30, 0, 9, false},    {kOne, 11, 1, 61, false},
        {kOne, 1, 1, 0, false},     {kOne, 35, 0, 2, true},     {kOne, 35, 0, 1, false},
        {kOne, 1, 0, 65536, true},  {kOne, 16, 0, 31, true},    {kOne, 3, 0, 60, false},
    };
    for (const Case& c : cases) {
        ParaRecord rec = ValidParaRecord(c.p);
        ASSERT_FALSE(ParaOutOfRange(rec, c.p));
        SetParaRecordValue(rec, c.row, c.axis, Value::number(c.value));
        EXPECT_EQ(ParaOutOfRange(rec, c.p), c.invalid)
            << Name(c.p) << " row " << c.row << " axis " << c.axis << " value " << c.value;
    }
    // Empty variants count as 0: OFFSET and ALM fail, STROKE passes.
    for (int row : {1, 17, 23}) {
        ParaRecord rec = ValidParaRecord(kTwo);
        SetParaRecordValue(rec, row, 0, Value());
        EXPECT_EQ(ParaOutOfRange(rec, kTwo), row != 17) << row;
    }
}

TEST(ParaBlankCheck, WhichControlsEachProductExamines) {
    for (Product p : {kTwo, kOne}) {
        const ParaControls full = ControlsShowing(ValidParaRecord(p), p);
        EXPECT_FALSE(ParaBlankControls(full, p)) << Name(p);
        auto blankWith = [&](auto change) {
            ParaControls c = full;
            change(c);
            return ParaBlankControls(c, p);
        };
        EXPECT_FALSE(blankWith([](ParaControls& c) { c.text[kJogVelRow][0].clear(); })) << Name(p);
        EXPECT_TRUE(blankWith([](ParaControls& c) { c.text[1][0].clear(); })) << Name(p);
        EXPECT_TRUE(blankWith([](ParaControls& c) { c.combo[21][0] = -1; })) << Name(p);
        EXPECT_TRUE(blankWith([](ParaControls& c) { c.opt = {false, false}; })) << Name(p);
        EXPECT_TRUE(blankWith([](ParaControls& c) { c.text[34][0].clear(); })) << Name(p);
        const bool two = p == kTwo;
        EXPECT_EQ(blankWith([](ParaControls& c) { c.text[9][1].clear(); }), two) << Name(p);
        EXPECT_EQ(blankWith([](ParaControls& c) { c.text[kSeqRow][0].clear(); }), two) << Name(p);
        EXPECT_EQ(blankWith([](ParaControls& c) { c.combo[kOneAxisRow][0] = -1; }), two) << Name(p);
        EXPECT_EQ(blankWith([](ParaControls& c) { c.combo[ParaRow::BcdEnable][0] = -1; }), !two) << Name(p);
    }
}

TEST(ParaBoxRule, DigitsUpToTheRowsMaximum) {
    struct Case { Product p; int row; int maxChars; };
    const Case cases[] = {
        {kTwo, 1, 5}, {kTwo, 2, 3}, {kTwo, 5, 3}, {kTwo, kSeqRow, 1}, {kTwo, 7, 2}, {kTwo, 15, 2},
        {kTwo, kJogVelRow, 2}, {kTwo, 17, 6}, {kTwo, 18, 3}, {kTwo, 19, 5}, {kTwo, 23, 5}, {kTwo, 28, 3},
        {kTwo, kPgTimerRow, 3}, {kTwo, 33, 3}, {kTwo, 34, 3}, {kOne, 1, 5}, {kOne, 17, 6}, {kOne, 34, 3},
        {kOne, kSeqRow, 0}, // the one-axis window keeps the box out of use
    };
    for (const Case& c : cases) {
        const BoxRule r = ParaBoxRule(c.row, c.p);
        EXPECT_EQ(r.maxChars, c.maxChars) << Name(c.p) << " row " << c.row;
        EXPECT_TRUE(r.digitsOnly && r.lowest == u'0' && r.highest == u'9' && r.plainDigits)
            << Name(c.p) << " row " << c.row;
    }
    // Typed, committed by the input method or pasted: "１２３" is the stroke 123.
    int cursor = 3;
    EXPECT_EQ(BoxEdit(ParaBoxRule(17, kTwo), QString(), QStringLiteral("１２３"), cursor), QStringLiteral("123"));
}

TEST(ParaFocusLoss, RangesOfTheBoxes) {
    struct Case { Product p; int row; const char* text; bool ok; };
    const Case cases[] = {
        {kTwo, 7, "", false},     {kTwo, 7, "61", false},  {kTwo, 7, "60", true},
        {kTwo, 17, "", true},     {kTwo, 6, "", true},     {kTwo, 6, "200", true},
        {kTwo, 18, "0", true},    {kTwo, 16, "31", false}, {kTwo, 33, "101", false},
        {kTwo, 23, "4", false},   {kTwo, 23, "5", true},   {kTwo, 19, "0", true},
        {kTwo, 19, "999999", true}, {kTwo, 29, "", true},  {kTwo, 34, "", true},
        {kTwo, 1, "65535", true}, {kTwo, 1, "65536", false}, {kTwo, 17, "262144", false},
        {kTwo, 2, "007", true},   {kTwo, 2, "99999999999", false}, {kTwo, 7, "4x", true},
        {kOne, 28, "", false},    {kOne, 18, "0", true},   {kOne, 17, "262143", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParaBoxAccepts(c.row, c.p, QString::fromLatin1(c.text)), c.ok)
            << Name(c.p) << " row " << c.row << " '" << c.text << "'";
}

TEST(ParaEnterChain, TwoAxisAndOneAxis) {
    struct Case { Product p; int row, member; bool pg; int toRow, toMember; };
    const Case cases[] = {
        {kTwo, 1, 0, false, 1, 1},  {kTwo, 1, 1, false, 2, 0},  {kTwo, 6, 1, false, 7, 0},
        {kTwo, 15, 1, false, 16, 0}, {kTwo, 19, 1, false, 20, 0}, {kTwo, 23, 0, false, 23, 1},
        {kTwo, 23, 1, false, 24, 0}, {kTwo, 28, 0, true, 29, 0}, {kTwo, 28, 0, false, 1, 0},
        {kTwo, 29, 0, true, 30, 0}, {kTwo, 33, 0, true, 34, 0},  {kTwo, 34, 0, true, 1, 0},
        {kOne, 1, 0, false, 2, 0},  {kOne, 5, 0, false, 7, 0},   {kOne, 19, 0, false, 20, 0},
        {kOne, 29, 0, true, 33, 0}, {kOne, 28, 0, false, 1, 0},  {kOne, 34, 0, true, 1, 0},
    };
    for (const Case& c : cases) {
        const ParaFocus f = ParaEnterTarget(c.row, c.member, c.p, c.pg);
        EXPECT_EQ(f.row, c.toRow) << Name(c.p) << " row " << c.row << " member " << c.member;
        EXPECT_EQ(f.member, c.toMember) << Name(c.p) << " row " << c.row << " member " << c.member;
    }
}

TEST(ParaComboItems, ItemsAndLanguages) {
    EXPECT_EQ(ParaComboItems(21, kTwo, 2).join(u'|'), QStringLiteral("0. KZ(PUSH)|1. KZ(LS)|2. VT|3. QRT|4. DN"));
    EXPECT_EQ(ParaComboItems(31, kTwo, 1).join(u'|'), QStringLiteral("0. 自動原点復帰 無効|1. 自動原点復帰 有効"));
    EXPECT_EQ(ParaComboItems(30, kTwo, 2).join(u'|'), QStringLiteral("0. 2AXIS-Disable|1. 2AXIS-Enable"));
    EXPECT_TRUE(ParaComboItems(30, kOne, 2).isEmpty());
    EXPECT_EQ(ParaComboItems(35, kOne, 1).join(u'|'), QStringLiteral("0. 無効|1. 有効"));
    for (Product p : {kTwo, kOne})
        for (int row = 1; row <= ParaLastRow(p); ++row) {
            const ParaRowSpec s = ParaSpec(row, p);
            if (s.kind != ParaCtl::Combo || (p == kOne && row == kOneAxisRow)) continue;
            const QStringList items = ParaComboItems(row, p, 2);
            ASSERT_EQ(items.size(), s.items) << row;
            for (int i = 0; i < items.size(); ++i) EXPECT_TRUE(items[i].startsWith(QString::number(i) + u'.'));
        }
}
