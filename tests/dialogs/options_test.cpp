// The options dialog's logic: load, field checks, what OK applies and
// stores, the display-unit change with its table conversion, the language
// and controller flags, the key filters and the main window's notices.

#include "dialogs/Options.h"
#include "files/PosiFile.h"
#include "link/ControllerLink.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionCommands.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/NumericLocale.h"
#include "testsupport/LinkFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using rer::test::GridTestContext;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// The dialog as it opens.
struct Opened {
    explicit Opened(GridTestContext& t) : t(t) { form = LoadOptionsForm(t.ctx, oldPortNo); }
    OptionsOk ok() { return ApplyOptions(t.ctx, form, oldPortNo); }
    GridTestContext& t;
    OptionsForm form;
    int16_t oldPortNo = 0;
};

} // namespace

TEST(OptionsLoad, ControlsFollowTheSharedValues) {
    GridTestContext t(2, 1, true);
    t.ctx.opt.PortNo = 3;
    t.ctx.opt.PortOccupy = true;
    t.ctx.opt.MmRoundUp = false;
    t.ctx.opt.MoveTimeout = 7.5f;
    Opened d(t);
    EXPECT_EQ(d.form.txtPortNo, S("3"));
    EXPECT_EQ(d.oldPortNo, 3);
    EXPECT_TRUE(d.form.chkPortOccupy);
    EXPECT_EQ(d.form.optSutiSyori, 1);
    EXPECT_EQ(d.form.optHyojiKirikae, 1);
    EXPECT_EQ(d.form.optLanguege, 0);
    EXPECT_TRUE(d.form.japaneseEnabled);
    EXPECT_EQ(d.form.optCT, 1);
    EXPECT_EQ(d.form.txtMoveTimeout, S("7.5"));
    // Teaching values as the settings hold them (empty store: defaults).
    EXPECT_EQ(d.form.txtJogVel, S("20"));
    EXPECT_EQ(d.form.optJogAcc, 2);
    EXPECT_EQ(d.form.optJogAcc2, 1);
    EXPECT_TRUE(t.msg.shown.empty());
}

TEST(OptionsLoad, PortOutsideItsRangeShowsTheSavedPort) {
    GridTestContext t;
    t.set(S("PortNo"), S("7"));
    t.ctx.opt.PortNo = 0;
    Opened d(t);
    EXPECT_EQ(d.form.txtPortNo, S("7"));
    EXPECT_EQ(d.oldPortNo, 0);
}

TEST(OptionsLoad, TeachingValuesAreReloadedFromTheSettings) {
    GridTestContext t;
    t.set(S("VelOf100Pls"), S("33"));
    t.set(S("AccOf100Pls"), S("2"));
    t.set(S("AccOf100Pls2"), S("1"));
    t.ctx.teach.VelOf100Pls = 50; // changed in memory only
    Opened d(t);
    EXPECT_EQ(d.form.txtJogVel, S("33"));
    EXPECT_EQ(d.form.optJogAcc, 1);
    EXPECT_EQ(d.form.optJogAcc2, 0);
    EXPECT_EQ(t.ctx.teach.VelOf1Pls, 33);

    t.set(S("VelOf100Pls"), S("61")); // out of range loads as the default
    Opened again(t);
    EXPECT_EQ(again.form.txtJogVel, S("20"));
}

TEST(OptionsLoad, Language) {
    struct Case {
        int16_t languageNo;
        bool notJapan;
        const char* saved;
        int opt;
        bool japaneseEnabled;
        int16_t languageAfter;
    };
    const Case cases[] = {
        {1, false, nullptr, 0, true, 1},
        {2, false, nullptr, 1, true, 2},
        {1, true, nullptr, 1, false, 1},   // outside Japan: English, Japanese locked
        {0, false, "2", 1, true, 2},       // neither 1 nor 2: the saved language
        {0, false, nullptr, 0, true, 1},   // ... default 1
    };
    for (const Case& c : cases) {
        GridTestContext t;
        t.ctx.opt.LanguageNo = c.languageNo;
        t.ctx.opt.NotJapan = c.notJapan;
        if (c.saved) t.set(S("Language"), S(c.saved));
        Opened d(t);
        SCOPED_TRACE(c.languageNo);
        EXPECT_EQ(d.form.optLanguege, c.opt);
        EXPECT_EQ(d.form.japaneseEnabled, c.japaneseEnabled);
        EXPECT_EQ(t.ctx.opt.LanguageNo, c.languageAfter);
    }
}

TEST(OptionsChecks, RangesAndMessages) {
    struct Case {
        const char* text;
        int vel;      // JogVelCheck
        int timeout;  // MoveTimeoutCheck
    };
    const Case cases[] = {{"", 1, 1},  {"0", 1, 1},   {"1", 0, 0},    {"60", 0, 0},
                          {"61", 1, 0}, {"999", 1, 0}, {"1000", 1, 1}, {"abc", 1, 1}};
    for (const Case& c : cases) {
        GridTestContext t;
        SCOPED_TRACE(c.text);
        EXPECT_EQ(JogVelCheck(t.ctx, S(c.text)), c.vel);
        EXPECT_EQ(MoveTimeoutCheck(t.ctx, S(c.text)), c.timeout);
        EXPECT_EQ(t.msg.shown.size(), size_t(c.vel + c.timeout));
    }
    GridTestContext en(1, 2), jp(1, 1);
    JogVelCheck(en.ctx, S("0"));
    MoveTimeoutCheck(en.ctx, S("0"));
    JogVelCheck(jp.ctx, S("0"));
    MoveTimeoutCheck(jp.ctx, S("0"));
    ASSERT_EQ(en.msg.shown.size(), size_t(2));
    EXPECT_EQ(en.msg.shown[0].text, S("The value at the VEL is invalid."));
    EXPECT_EQ(en.msg.shown[1].text, S("The value at the Communication Timeout is invalid."));
    EXPECT_EQ(en.msg.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(en.msg.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(en.msg.shown[0].title, S("RER6O250"));
    EXPECT_EQ(jp.msg.shown[0].text, S("速度の値が不正です｡"));
    EXPECT_EQ(jp.msg.shown[1].text, S("通信ﾀｲﾑｱｳﾄの値が不正です｡"));
}

TEST(OptionsOk, AppliesAndStoresEveryChoice) {
    GridTestContext t;
    t.ctx.opt.PortNo = 1;
    Opened d(t);
    d.form.txtPortNo = S("2");
    d.form.chkPortOccupy = true;
    d.form.optSutiSyori = 1;
    d.form.txtMoveTimeout = S("120");
    d.form.txtJogVel = S("33");
    d.form.optJogAcc = 1;
    d.form.optJogAcc2 = 0;
    ASSERT_EQ(d.ok(), OptionsOk::Applied);
    EXPECT_TRUE(t.msg.shown.empty());

    const ProgramOptions& o = t.ctx.opt;
    EXPECT_EQ(o.PortNo, 2);
    EXPECT_TRUE(o.PortOccupy);
    EXPECT_FALSE(o.MmRoundUp);
    EXPECT_FLOAT_EQ(o.MoveTimeout, 120.0f);
    EXPECT_FALSE(o.LanguageChanged);
    EXPECT_FALSE(o.CtTypeChanged);
    const TeachSettings& te = t.ctx.teach;
    EXPECT_EQ(te.VelOf100Pls, 33);
    EXPECT_EQ(te.VelOf10Pls, 33);
    EXPECT_EQ(te.VelOf1Pls, 33);
    EXPECT_EQ(te.AccOf100Pls, 2);
    EXPECT_EQ(te.AccOf10Pls, 2);
    EXPECT_EQ(te.AccOf1Pls, 2);
    EXPECT_EQ(te.AccOf100Pls2, 1);
    EXPECT_EQ(te.AccOf10Pls2, 1);
    EXPECT_EQ(te.AccOf1Pls2, 1);

    EXPECT_EQ(t.get(S("PortOccupy")), S("1"));
    EXPECT_EQ(t.get(S("MmRoundUp")), S("0"));
    EXPECT_EQ(t.get(S("VelOf100Pls")), S("33"));
    EXPECT_EQ(t.get(S("AccOf100Pls")), S("2"));
    EXPECT_EQ(t.get(S("AccOf100Pls2")), S("1"));
    // Kept for the run only, or stored by the main window when it closes.
    for (const char* k : {"PortNo", "MoveTimeout", "Language", "Controller", "DispMmUnit"})
        EXPECT_EQ(t.get(S(k)), S("<absent>")) << k;
}

TEST(OptionsOk, AFailedCheckAppliesNothing) {
    struct Case {
        const char* vel;
        const char* timeout;
        OptionsOk result;
        const char* message;
    };
    const Case cases[] = {
        {"0", "60", OptionsOk::JogVelInvalid, "The value at the VEL is invalid."},
        {"20", "0", OptionsOk::MoveTimeoutInvalid, "The value at the Communication Timeout is invalid."},
        {"99", "1000", OptionsOk::JogVelInvalid, "The value at the VEL is invalid."}, // first check only
    };
    for (const Case& c : cases) {
        GridTestContext t;
        Opened d(t);
        const int saves = t.store.saveCount;
        d.form.txtPortNo = S("4");
        d.form.chkPortOccupy = true;
        d.form.optHyojiKirikae = 1; // a unit change as well
        d.form.optLanguege = 0;
        d.form.txtJogVel = S(c.vel);
        d.form.txtMoveTimeout = S(c.timeout);
        EXPECT_EQ(d.ok(), c.result);
        ASSERT_EQ(t.msg.shown.size(), size_t(1));
        EXPECT_EQ(t.msg.lastText(), S(c.message));
        EXPECT_EQ(t.store.saveCount, saves);
        EXPECT_EQ(t.ctx.opt.PortNo, 1);
        EXPECT_FALSE(t.ctx.opt.PortOccupy);
        EXPECT_FALSE(t.ctx.opt.DispMmUnit);
        EXPECT_FALSE(t.ctx.opt.LanguageChanged);
    }
}

TEST(OptionsOk, MoveTimeoutBelowFiveBecomesFive) {
    const std::pair<const char*, float> cases[] = {{"1", 5}, {"3", 5}, {"4", 5}, {"5", 5}, {"6", 6}, {"999", 999}};
    for (const auto& [text, expected] : cases) {
        GridTestContext t;
        Opened d(t);
        d.form.txtMoveTimeout = S(text);
        ASSERT_EQ(d.ok(), OptionsOk::Applied);
        EXPECT_FLOAT_EQ(t.ctx.opt.MoveTimeout, expected) << text;
    }
}

// The box shows a time-out with a fraction with "." and OK takes it back
// whole, also under a locale whose decimal mark is a comma.
TEST(OptionsOk, AMoveTimeoutWithAFractionIsKeptUnderACommaLocale) {
    for (const char* locale : {"C", test::kCommaLocale}) {
        test::ScopedLocale in(locale);
        ASSERT_TRUE(in.ok()) << locale << ": " << test::kLocaleMissing;
        GridTestContext t;
        t.ctx.opt.MoveTimeout = 7.5f;
        Opened d(t);
        EXPECT_EQ(d.form.txtMoveTimeout, S("7.5")) << locale;
        ASSERT_EQ(d.ok(), OptionsOk::Applied);
        EXPECT_EQ(t.ctx.opt.MoveTimeout, 7.5f) << locale;
        EXPECT_TRUE(t.msg.shown.empty()) << locale;
    }
}

TEST(OptionsOk, PortNumber) {
    struct Case {
        const char* text;
        const char* saved;
        int16_t expected;
    };
    const Case cases[] = {{"7", nullptr, 7}, {"9", nullptr, 9}, {"", nullptr, 1},
                          {"", "4", 4},      {"0", "6", 6},    {"12", "5", 5}};
    for (const Case& c : cases) {
        GridTestContext t;
        if (c.saved) t.set(S("PortNo"), S(c.saved));
        Opened d(t);
        d.form.txtPortNo = S(c.text);
        ASSERT_EQ(d.ok(), OptionsOk::Applied);
        EXPECT_EQ(t.ctx.opt.PortNo, c.expected) << c.text;
        EXPECT_TRUE(t.msg.shown.empty());
    }
}

TEST(OptionsOk, ANewPortNumberClosesAnOpenPort) {
    test::LinkWorld w;
    w.ctx.opt.PortNo = 1;
    w.ctx.opt.PortOccupy = true;
    ASSERT_EQ(w.link->PortCheckOpen(), 0);
    ASSERT_TRUE(w.port->isOpen());
    ASSERT_TRUE(w.display.portLamp);

    int16_t old = 0;
    OptionsForm f = LoadOptionsForm(w.ctx, old);
    f.chkPortOccupy = true;
    ASSERT_EQ(ApplyOptions(w.ctx, f, old), OptionsOk::Applied); // same port: stays open
    EXPECT_TRUE(w.port->isOpen());

    f = LoadOptionsForm(w.ctx, old);
    f.txtPortNo = S("2");
    ASSERT_EQ(ApplyOptions(w.ctx, f, old), OptionsOk::Applied);
    EXPECT_FALSE(w.port->isOpen());
    EXPECT_FALSE(w.display.portLamp);
    // The next job opens the new port.
    EXPECT_EQ(w.link->PortCheckOpen(), 0);
    EXPECT_EQ(w.simPort().lastPortNo, 2);

    // A change while the port is closed closes nothing.
    w.link->PortClose();
    const int opens = w.simPort().opens;
    f = LoadOptionsForm(w.ctx, old);
    f.txtPortNo = S("3");
    ASSERT_EQ(ApplyOptions(w.ctx, f, old), OptionsOk::Applied);
    EXPECT_EQ(w.simPort().opens, opens);
    EXPECT_EQ(w.ctx.opt.PortNo, 3);
}

TEST(OptionsOk, LanguageAndControllerFlags) {
    struct Case {
        int16_t languageNo, ctType;
        int optLanguege, optCT;
        bool languageChanged, ctTypeChanged;
    };
    const Case cases[] = {
        {1, 1, 0, 0, false, false}, {1, 1, 1, 1, true, true},   {2, 2, 1, 1, false, false},
        {2, 2, 0, 0, true, true},   {1, 2, 0, 0, false, true},  {2, 1, 0, 0, true, false},
    };
    for (const Case& c : cases) {
        GridTestContext t(c.ctType, c.languageNo);
        Opened d(t);
        d.form.optLanguege = c.optLanguege;
        d.form.optCT = c.optCT;
        ASSERT_EQ(d.ok(), OptionsOk::Applied);
        SCOPED_TRACE(QStringLiteral("%1 %2 %3 %4").arg(c.languageNo).arg(c.ctType).arg(c.optLanguege).arg(c.optCT).toStdString());
        EXPECT_EQ(t.ctx.opt.LanguageChanged, c.languageChanged);
        EXPECT_EQ(t.ctx.opt.CtTypeChanged, c.ctTypeChanged);
        // The language and product of the run never change.
        EXPECT_EQ(t.ctx.opt.LanguageNo, c.languageNo);
        EXPECT_EQ(t.ctx.opt.CtType, c.ctType);
    }
}

TEST(OptionsOk, ChoosingBackTheLanguageInForceClearsTheFlags) {
    GridTestContext t(1, 1);
    {
        Opened d(t);
        d.form.optLanguege = 1;
        d.form.optCT = 1;
        ASSERT_EQ(d.ok(), OptionsOk::Applied);
        EXPECT_TRUE(t.ctx.opt.LanguageChanged);
        EXPECT_TRUE(t.ctx.opt.CtTypeChanged);
    }
    {   // The next opening shows the language and product in force.
        Opened d(t);
        EXPECT_EQ(d.form.optLanguege, 0);
        EXPECT_EQ(d.form.optCT, 0);
        ASSERT_EQ(d.ok(), OptionsOk::Applied);
        EXPECT_FALSE(t.ctx.opt.LanguageChanged);
        EXPECT_FALSE(t.ctx.opt.CtTypeChanged);
    }
}

TEST(OptionsOk, AnUnknownLanguageNumberCountsAsEnglish) {
    // A language number in force that is neither 1 nor 2 runs in English; OK
    // without a change must not turn the next start Japanese.
    GridTestContext t;
    t.set(S("Language"), S("2"));
    t.ctx.opt.LanguageNo = 3;
    Opened d(t);
    EXPECT_EQ(d.form.optLanguege, 1);
    ASSERT_EQ(d.ok(), OptionsOk::Applied);
    EXPECT_FALSE(t.ctx.opt.LanguageChanged);

    // A stored language outside 1 and 2 is the default, Japanese.
    GridTestContext j;
    j.set(S("Language"), S("3"));
    j.ctx.opt.LanguageNo = 0;
    Opened dj(j);
    EXPECT_EQ(dj.form.optLanguege, 0);
    EXPECT_EQ(j.ctx.opt.LanguageNo, 1);
}

// ---- Display unit

namespace {

// A two-axis or one-axis grid with positions typed in pulses.
void typePositions(GridTestContext& t, Product p) {
    SetUpPositionGrid(t.ctx, p);
    PositionGrid& g = t.ctx.grid.of(p);
    g.setText(1, 4, S("    667"));
    g.setText(2, 4, S("   6667"));
    g.setText(3, 1, S("9"));
    g.setText(3, LastColumn(p), S("end"));
    if (p == Product::TwoAxis) g.setText(1, 8, S("      1"));
}

} // namespace

TEST(OptionsUnit, PulsesToMmAndBackTwoAxis) {
    GridTestContext t(1, 2, false);
    typePositions(t, Product::TwoAxis);
    t.clipboard.setText(S("1\t5\t3"));
    Opened d(t);
    d.form.optHyojiKirikae = 1;
    ASSERT_EQ(d.ok(), OptionsOk::Applied);
    EXPECT_TRUE(t.msg.shown.empty());
    EXPECT_TRUE(t.ctx.opt.DispMmUnit);
    EXPECT_EQ(t.get(S("DispMmUnit")), S("1"));
    EXPECT_EQ(t.ctx.pos.PosiRangeStart, 1);
    EXPECT_EQ(t.ctx.pos.PosiRangeEnd, 399);
    EXPECT_TRUE(t.clipboard.text().isEmpty());

    const PositionGrid& g = t.ctx.grid.flgdData;
    EXPECT_EQ(g.text(1, 4), S(" 10.005"));
    EXPECT_EQ(g.text(2, 4), S("100.005"));
    EXPECT_EQ(g.text(1, 8), S("  0.015"));
    EXPECT_EQ(g.text(4, 4), S("  0.000"));
    EXPECT_EQ(g.text(3, 1), S("9"));
    EXPECT_EQ(g.text(3, 12), S("end"));
    EXPECT_EQ(g.text(0, 4), S("Posi(mm)"));
    EXPECT_EQ(g.text(0, 8), S("Posi(mm)"));
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.Col(), 8);
    EXPECT_DOUBLE_EQ(t.ctx.pos.PosiValue[1][2].toNumber(), 10.005);
    EXPECT_TRUE(g.Tag.isEmpty()); // a unit change is no edit

    Opened back(t);
    EXPECT_EQ(back.form.optHyojiKirikae, 1);
    back.form.optHyojiKirikae = 0;
    ASSERT_EQ(back.ok(), OptionsOk::Applied);
    EXPECT_FALSE(t.ctx.opt.DispMmUnit);
    EXPECT_EQ(t.get(S("DispMmUnit")), S("0"));
    EXPECT_EQ(g.text(1, 4), S("    667"));
    EXPECT_EQ(g.text(2, 4), S("   6667"));
    EXPECT_EQ(g.text(1, 8), S("      1"));
    EXPECT_EQ(g.text(0, 4), S("Posi(Pls)"));
    EXPECT_DOUBLE_EQ(t.ctx.pos.PosiValue[1][0].toNumber(), 667);
}

TEST(OptionsUnit, OneAxisKeepsItsCarriedCells) {
    GridTestContext t(2, 1, false);
    typePositions(t, Product::OneAxis);
    PositionGrid& dummy = t.ctx.grid.flgdDummy;
    for (int c = 1; c <= 5; ++c) dummy.setText(5, c, QString::number(c));
    Opened d(t);
    d.form.optHyojiKirikae = 1;
    ASSERT_EQ(d.ok(), OptionsOk::Applied);
    const PositionGrid& g = t.ctx.grid.flgdDataW3k;
    EXPECT_EQ(g.text(1, 4), S(" 10.005"));
    EXPECT_EQ(g.text(3, 7), S("end"));
    EXPECT_EQ(g.text(0, 4), S("位置(mm)"));
    EXPECT_EQ(g.Col(), 4);
    for (int c = 1; c <= 5; ++c) EXPECT_EQ(dummy.text(5, c), QString::number(c)) << c;
    EXPECT_DOUBLE_EQ(t.ctx.pos.one.PosiData[5][7].toNumber(), 4);
    // The two-axis grid is not the one in use.
    EXPECT_EQ(t.ctx.grid.flgdData.text(0, 4), QString());
}

TEST(OptionsUnit, AnInvalidGridKeepsTheUnit) {
    GridTestContext t(1, 2, false);
    typePositions(t, Product::TwoAxis);
    t.ctx.grid.flgdData.setText(7, 4, S("   6668")); // beyond the largest position
    t.clipboard.setText(S("rows"));
    Opened d(t);
    d.form.optHyojiKirikae = 1;
    d.form.optSutiSyori = 1;
    ASSERT_EQ(d.ok(), OptionsOk::Applied);
    ASSERT_EQ(t.msg.shown.size(), size_t(2));
    EXPECT_TRUE(t.msg.shown[0].text.contains(S(" Position No.7,")));
    EXPECT_EQ(t.msg.shown[1].text, S("Unit was not chage because of error.\r\nPlease retry it again."));
    EXPECT_EQ(t.msg.shown[1].buttons, MsgButtons::Ok);
    EXPECT_FALSE(t.ctx.opt.DispMmUnit);
    EXPECT_EQ(t.get(S("DispMmUnit")), S("<absent>"));
    EXPECT_EQ(t.ctx.grid.flgdData.text(1, 4), S("    667"));
    EXPECT_TRUE(t.clipboard.text().isEmpty());
    // The rest of OK still ran.
    EXPECT_EQ(t.get(S("MmRoundUp")), S("0"));
    EXPECT_EQ(t.ctx.pos.PosiRangeEnd, 399);

    GridTestContext jp(1, 1, false);
    typePositions(jp, Product::TwoAxis);
    jp.ctx.grid.flgdData.setText(7, 4, S("   6668"));
    Opened dj(jp);
    dj.form.optHyojiKirikae = 1;
    dj.ok();
    EXPECT_EQ(jp.msg.lastText(),
              S("表示単位の設定は、ｴﾗｰにより変更されませんでした。\r\n再度変更してみてください。"));
}

TEST(OptionsUnit, TheUnitInForceConvertsNothing) {
    for (bool mm : {false, true}) {
        GridTestContext t(1, 2, mm);
        SetUpPositionGrid(t.ctx, Product::TwoAxis);
        t.ctx.grid.flgdData.setText(7, 4, S("bad")); // never checked
        t.ctx.pos.PosiValue[1][0] = Value::number(11);
        t.clipboard.setText(S("rows"));
        Opened d(t);
        ASSERT_EQ(d.ok(), OptionsOk::Applied);
        EXPECT_TRUE(t.msg.shown.empty());
        EXPECT_EQ(t.get(S("DispMmUnit")), S("<absent>"));
        EXPECT_EQ(t.clipboard.text(), S("rows"));
        EXPECT_EQ(t.ctx.grid.flgdData.text(7, 4), S("bad"));
        EXPECT_DOUBLE_EQ(t.ctx.pos.PosiValue[1][0].toNumber(), 11);
    }
}

TEST(OptionsUnit, PendingEditorTextIsCommittedInTheOldUnit) {
    GridTestContext t(1, 2, false);
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    PositionGrid& g = t.ctx.grid.flgdData;
    g.setCurrent(2, 4);
    // The main window's editor holds "1334" for POSI1 of position 2.
    bool pending = true;
    t.ctx.grid.commitPendingEdit = [&t, &pending] {
        if (!pending) return;
        pending = false;
        EditTorikomi(t.ctx, Product::TwoAxis, S("1334"));
    };
    Opened d(t);
    d.form.optHyojiKirikae = 1;
    ASSERT_EQ(d.ok(), OptionsOk::Applied);
    EXPECT_EQ(g.text(2, 4), S(" 20.010"));
    EXPECT_EQ(g.Tag, kDataChange);
}

TEST(RedrawPositionGrid, CellsFromTheTables) {
    GridTestContext t(1, 2, false);
    auto& a = t.ctx.dev.two[0];
    a.PPR = 800;
    SetUpPositionGrid(t.ctx, Product::TwoAxis);
    auto& row = t.ctx.pos.two.PosiData[9];
    row[0] = Value::text(S(" 4 "));
    row[1] = Value::number(2);
    row[11] = Value::text(S(" note "));
    t.ctx.pos.PosiValue[9][0] = Value::number(8000);
    PosiTblPlsToMm(t.ctx, Product::TwoAxis);
    KzDataHyoji(t.ctx, Product::TwoAxis);
    const PositionGrid& g = t.ctx.grid.flgdData;
    EXPECT_EQ(g.text(9, 1), S("4"));
    EXPECT_EQ(g.text(9, 2), S("2"));
    EXPECT_EQ(g.text(9, 3), S("0")); // empty shows 0
    EXPECT_EQ(g.text(9, 4), S("   8000"));
    EXPECT_EQ(g.text(9, 8), S("      0"));
    EXPECT_EQ(g.text(9, 12), S(" note "));
    t.ctx.opt.DispMmUnit = true;
    KzDataHyoji(t.ctx, Product::TwoAxis);
    EXPECT_EQ(g.text(9, 4), S(" 60.000"));
    EXPECT_EQ(g.text(9, 8), S("  0.000"));
}

// ---- Key filters

TEST(OptionsKeys, Filters) {
    using B = OptionBox;
    using V = KeyVerdict;
    struct Case {
        B box;
        int key;
        int length;
        bool selected;
        V verdict;
    };
    const Case cases[] = {
        {B::PortNo, '3', 0, false, V::Accept},     {B::PortNo, '0', 0, false, V::Accept},
        {B::PortNo, '5', 0, false, V::Drop},       {B::PortNo, 'a', 0, false, V::Drop},
        {B::PortNo, '2', 1, false, V::Drop},       {B::PortNo, '2', 1, true, V::Drop},
        {B::PortNo, 8, 1, false, V::Accept},       {B::PortNo, 13, 0, false, V::Drop},
        {B::JogVel, '9', 1, false, V::Accept},     {B::JogVel, '9', 2, false, V::Drop},
        {B::JogVel, '9', 2, true, V::Accept},      {B::JogVel, 8, 2, false, V::Accept},
        {B::JogVel, '.', 0, false, V::Drop},       {B::JogVel, 13, 1, false, V::DropAndMoveOn},
        {B::MoveTimeout, '7', 2, false, V::Accept}, {B::MoveTimeout, '7', 3, false, V::Drop},
        {B::MoveTimeout, '7', 3, true, V::Accept},  {B::MoveTimeout, '-', 0, false, V::Drop},
        {B::MoveTimeout, 13, 3, false, V::DropAndMoveOn}, {B::MoveTimeout, 22, 0, false, V::Drop},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OptionsKeyPress(c.box, c.key, c.length, c.selected), c.verdict)
            << int(c.box) << " key " << c.key << " length " << c.length;
}

// ---- The main window's notices

TEST(RestartNotices, ByProductAndLanguage) {
    struct Case {
        int ctType, language;
        bool lang, ct;
        std::vector<const char*> texts;
    };
    const std::vector<Case> cases = {
        {1, 2, false, false, {}},
        {1, 2, true, false, {"Language Setting has been changed.\r\nfinish DI-D6 and restart DI-D6 again."}},
        {2, 2, true, true,
         {"Language Setting has been changed.\r\nfinish DE-D3U and restart DE-D3U again.",
          "Controller Setting has been changed.\r\nfinish DE-D3U and restart DE-D3U again."}},
        {1, 1, false, true,
         {"使用ｺﾝﾄﾛｰﾗの設定が変更されています。\r\nDI-D6を一度終了させてから、もう一度起動してください。"}},
        {2, 1, true, false,
         {"使用言語の設定が変更されています。\r\nDE-D3Uを一度終了させてから、もう一度起動してください。"}},
    };
    for (const Case& c : cases) {
        GridTestContext t(c.ctType, c.language);
        t.ctx.opt.LanguageChanged = c.lang;
        t.ctx.opt.CtTypeChanged = c.ct;
        ShowRestartNotices(t.ctx);
        ASSERT_EQ(t.msg.shown.size(), c.texts.size());
        for (size_t i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(t.msg.shown[i].text, S(c.texts[i]));
            EXPECT_EQ(t.msg.shown[i].buttons, MsgButtons::Ok);
            EXPECT_EQ(t.msg.shown[i].icon, MsgIcon::None);
            EXPECT_EQ(t.msg.shown[i].title, S("RER6O250"));
        }
    }
}
