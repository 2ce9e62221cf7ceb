#pragma once
#include "app/ProgramState.h"
#include "files/ParaRecord.h"

#include <QString>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

namespace rer {

// One description per parameter row. The row number is the row of the
// parameter file table (ParaFileTable) and the row's place in the file's
// sections; everything that handles parameters by row reads this
// description: the record access by row, the parameter file, the
// comparison, the controller's blocks, the window's rules and controls, the
// factory values and the listing. A row added here is checked at compile
// time (ParaRows.cpp) and walked by the tests against the file, the wire and
// the window.

// The six groups of parameters: the file's sections, the listing's
// sections, the window's frames and the verification result's groups.
enum class ParaGroup : uint8_t { Home, Vel, Axis, Pg, Etc, Special };

struct ParaGroupDef {
    ParaGroup id;
    const char* name;     // file section name
    const char* listing;  // listing section header
    const char* frame;    // window frame
    const char* frameEn;  // frame caption, English
    const char* frameJp;  //                Japanese
    const char* verifyEn; // heading of the group's differences in the verification result
    const char* verifyJp;
};

inline constexpr ParaGroupDef kParaGroups[] = {
    {ParaGroup::Home, "HOME", "<< HOMING PARAMETER >>", "framHomePara", "HOME PARAMETER", "原点復帰ﾊﾟﾗﾒｰﾀ",
     "<HOME PARAMETER> :", "<原点復帰ﾊﾟﾗﾒｰﾀ> :"},
    {ParaGroup::Vel, "VEL", "<< VEL PARAMETER >>", "frmVelPara", "VEL PARAMETER", "速度ﾊﾟﾗﾒｰﾀ",
     "<VEL PARAMETER> :", "<速度ﾊﾟﾗﾒｰﾀ> :"},
    {ParaGroup::Axis, "AXIS", "<< AXIS PARAMETER >>", "framAxisPara", "AXIS PARAMETER", "軸ﾊﾟﾗﾒｰﾀ",
     "<AXIS PARAMETER> :", "<軸ﾊﾟﾗﾒｰﾀ> :"},
    {ParaGroup::Pg, "PG", "<< PG PARAMETER >>", "framPgPara", "PG PARAMETER", "PGﾊﾟﾗﾒｰﾀ", "<PG PARAMETER> :",
     "<PGﾊﾟﾗﾒｰﾀ> :"},
    {ParaGroup::Etc, "ETC", "<< Etc PARAMETER >>", "framEtcPara", "Etc PARAMETER", "その他ﾊﾟﾗﾒｰﾀ",
     "<Etc PARAMETER> :", "<Etcﾊﾟﾗﾒｰﾀ> :"},
    {ParaGroup::Special, "SPECIAL", "<< SP PARAMETER >>", "framTokusyuPara", "SP PARAMETER", "特殊ﾊﾟﾗﾒｰﾀ",
     "<SP PARAMETER> :", "<特殊ﾊﾟﾗﾒｰﾀ> :"},
};
constexpr int kParaGroupCount = int(std::size(kParaGroups));

constexpr const ParaGroupDef& ParaGroupOf(ParaGroup g) { return kParaGroups[static_cast<size_t>(g)]; }

// How a row's value is kept in ParaRecord.
enum class ParaValueKind : uint8_t {
    Any,   // a value of any kind, per axis (OFFSET, STROKE, ALM)
    Int16, // a 16-bit whole number, per axis or common
    Int32, // a 32-bit whole number, per axis (PULSE)
};

// The ParaRecord member of a row: a pair per axis (element 0 axis 1,
// element 1 axis 2) or one common value.
struct ParaField {
    ParaValueKind kind = ParaValueKind::Int16;
    std::array<Value, 2> ParaRecord::*any = nullptr;
    std::array<int16_t, 2> ParaRecord::*i16 = nullptr;
    std::array<int32_t, 2> ParaRecord::*i32 = nullptr;
    int16_t ParaRecord::*common = nullptr;

    constexpr ParaField(std::array<Value, 2> ParaRecord::*m) : kind(ParaValueKind::Any), any(m) {}
    constexpr ParaField(std::array<int16_t, 2> ParaRecord::*m) : kind(ParaValueKind::Int16), i16(m) {}
    constexpr ParaField(std::array<int32_t, 2> ParaRecord::*m) : kind(ParaValueKind::Int32), i32(m) {}
    constexpr ParaField(int16_t ParaRecord::*m) : kind(ParaValueKind::Int16), common(m) {}

    constexpr bool perAxis() const { return common == nullptr; }
};

// How a product has a row.
enum class ParaUse : uint8_t {
    Absent, // the product has no such parameter
    Hidden, // kept in the record, the file and the controller's blocks; the
            // window keeps its control out of sight and out of use, and the
            // checks, the comparison and the listing pass it over
    Shown,
};

// The row's place in the controller's parameter blocks: the line of the
// transfer (0..6) that carries axis 1 or the common value (a per-axis row's
// axis 2 is three lines further), its first character (from 1) and its width
// in hexadecimal characters.
struct ParaWire {
    int8_t line = -1;
    int8_t at = 0;
    int8_t width = 0;
};

enum class ParaCtl : uint8_t { Text, Combo, Option };

// The items of a list or the captions of an option pair, in item order (the
// item's datum is its position), English and Japanese.
struct ParaChoices {
    static constexpr int kMax = 5;
    std::array<const char*, kMax> en{};
    std::array<const char*, kMax> jp{};

    constexpr int count() const {
        int n = 0;
        while (n < kMax && en[static_cast<size_t>(n)]) ++n;
        return n;
    }
};

// The row's control and its input rules.
struct ParaInput {
    ParaCtl ctl = ParaCtl::Text;
    int8_t maxChars = 0;     // text box: the full length of the key rule
    bool boxTest = false;    // text box: tested when it loses the focus
    int32_t boxLo = 0, boxHi = 0;
    int32_t lo = 0, hi = 0;  // the whole-record check (a list or option: its items)
    ParaChoices choices;     // list items or option captions

    // The box's focus-loss range where it differs from the check's.
    constexpr ParaInput boxRange(int32_t l, int32_t h) const {
        ParaInput r = *this;
        r.boxLo = l;
        r.boxHi = h;
        return r;
    }
    // No focus-loss test.
    constexpr ParaInput noBoxTest() const {
        ParaInput r = *this;
        r.boxTest = false;
        return r;
    }
};

// A text box of digits, up to maxChars, checked and tested on leaving
// within lo..hi.
constexpr ParaInput ParaText(int8_t maxChars, int32_t lo, int32_t hi) {
    ParaInput r;
    r.ctl = ParaCtl::Text;
    r.maxChars = maxChars;
    r.boxTest = true;
    r.boxLo = r.lo = lo;
    r.boxHi = r.hi = hi;
    return r;
}

// A drop-down list whose value is the position of the chosen item.
constexpr ParaInput ParaList(ParaChoices c) {
    ParaInput r;
    r.ctl = ParaCtl::Combo;
    r.choices = c;
    r.lo = 0;
    r.hi = c.count() - 1;
    return r;
}

// An option pair: value 0 the first option, 1 the second.
constexpr ParaInput ParaOptions(ParaChoices c) {
    ParaInput r = ParaList(c);
    r.ctl = ParaCtl::Option;
    return r;
}

inline constexpr ParaChoices kDisableEnable{{"0. Disable", "1. Enable"}, {"0. 無効", "1. 有効"}};

struct ParaRowDef {
    int row;                 // table row, 1..
    const char* name;        // item name: comparison texts and messages
    ParaField field;         // ParaRecord member
    ParaGroup group;
    ParaUse two = ParaUse::Shown; // the two-axis product
    ParaUse one = ParaUse::Shown; // the one-axis product
    ParaWire wire;
    ParaInput input;
    // Enter in the box's last member moves to this row (item name); the
    // one-axis window where it goes elsewhere. Enter that would lead from an
    // ordinary row into a special one while the special parameters are
    // locked goes to the first row instead. Lists and options have no Enter
    // of their own.
    const char* enter = nullptr;
    const char* enterOne = nullptr;
    bool special = false;       // one of the special parameters, locked until unlocked
    bool tabLast = false;       // in the tab order after the command buttons
    bool blankChecked = true;   // examined by the blank check
    // Window: control name, row label; the one-axis label where it differs.
    const char* box = nullptr;
    const char* label = nullptr;
    const char* labelOne = nullptr;
    // Listing label; the one-axis label where it differs.
    const char* listing = nullptr;
    const char* listingOne = nullptr;
    // The two-axis verification's name of the item where it differs from `name`.
    const char* verifyTwo = nullptr;
    // Factory values: the item of the axis's factory list, or of the common
    // list (a per-axis row there has a column without and one with PG).
    int8_t stdAxisItem = -1;
    int8_t stdCmnItem = -1;

    constexpr bool perAxis() const { return field.perAxis(); }
    constexpr ParaUse use(Product p) const { return p == Product::TwoAxis ? two : one; }
    constexpr bool in(Product p) const { return use(p) != ParaUse::Absent; }
    constexpr bool shown(Product p) const { return use(p) == ParaUse::Shown; }
    // The transfer line of an axis (0 axis 1 or common, 1 axis 2).
    constexpr int wireLine(int axis) const { return wire.line + (perAxis() && axis == 1 ? 3 : 0); }
    constexpr const char* labelIn(Product p) const { return p == Product::OneAxis && labelOne ? labelOne : label; }
    constexpr const char* listingIn(Product p) const {
        return p == Product::OneAxis && listingOne ? listingOne : listing;
    }
    constexpr const char* enterIn(Product p) const { return p == Product::OneAxis && enterOne ? enterOne : enter; }
};

// clang-format off
inline constexpr ParaRowDef kParaRows[] = {
    // ---- HOME
    {.row = 1, .name = "OFFSET", .field = &ParaRecord::ParaHomeOffset, .group = ParaGroup::Home,
     .wire = {0, 5, 4}, .input = ParaText(5, 1, 65535), .enter = "PUSH",
     .box = "txtHomeOffset", .label = "1. OFFSET", .listing = " 1.OFFSET:", .stdAxisItem = 4},
    {.row = 2, .name = "PUSH", .field = &ParaRecord::ParaHomePush, .group = ParaGroup::Home,
     .wire = {0, 9, 2}, .input = ParaText(3, 1, 255), .enter = "VEL",
     .box = "txtHomePush", .label = "2. PUSH", .listing = " 2.PUSH:", .stdAxisItem = 5},
    {.row = 3, .name = "VEL", .field = &ParaRecord::ParaHomeVel, .group = ParaGroup::Home,
     .wire = {0, 11, 2}, .input = ParaText(3, 1, 60), .enter = "OFSVEL",
     .box = "txtHomeVel", .label = "3. VEL", .listing = " 3.VEL:", .stdAxisItem = 6},
    {.row = 4, .name = "OFSVEL", .field = &ParaRecord::ParaHomeOfsVel, .group = ParaGroup::Home,
     .wire = {0, 13, 2}, .input = ParaText(3, 1, 60), .enter = "PUSHVEL",
     .box = "txtHomeOfsVel", .label = "4. OFSVEL", .listing = " 4.OFSVEL:", .stdAxisItem = 7},
    {.row = 5, .name = "PUSHVEL", .field = &ParaRecord::ParaHomePushVel, .group = ParaGroup::Home,
     .wire = {0, 15, 2}, .input = ParaText(3, 1, 60), .enter = "SEQ", .enterOne = "VEL1",
     .box = "txtHomePushVel", .label = "5. PUSHVEL", .listing = " 5.PUSHVEL:", .stdAxisItem = 8},
    // The homing order: the one-axis window keeps its box out of use.
    {.row = 6, .name = "SEQ", .field = &ParaRecord::ParaHomeSeq, .group = ParaGroup::Home,
     .one = ParaUse::Hidden,
     .wire = {0, 17, 2}, .input = ParaText(1, 0, 9).boxRange(0, 255), .enter = "VEL1",
     .box = "txtHomeOrder", .label = "6. SEQ", .labelOne = "6. HOME SEQ", .listing = " 6.SEQ:", .stdAxisItem = 9},
    // ---- VEL
    {.row = 7, .name = "VEL1", .field = &ParaRecord::ParaVel1, .group = ParaGroup::Vel,
     .wire = {2, 5, 2}, .input = ParaText(2, 1, 60), .enter = "VEL2",
     .box = "txtAxisVel1", .label = "1. VEL1", .listing = "  1.VEL 1:", .stdAxisItem = 10},
    {.row = 8, .name = "VEL2", .field = &ParaRecord::ParaVel2, .group = ParaGroup::Vel,
     .wire = {2, 7, 2}, .input = ParaText(2, 1, 60), .enter = "VEL3",
     .box = "txtAxisVel2", .label = "2. VEL2", .listing = "  2.VEL 2:", .stdAxisItem = 11},
    {.row = 9, .name = "VEL3", .field = &ParaRecord::ParaVel3, .group = ParaGroup::Vel,
     .wire = {2, 9, 2}, .input = ParaText(2, 1, 60), .enter = "VEL4",
     .box = "txtAxisVel3", .label = "3. VEL3", .listing = "  3.VEL 3:", .stdAxisItem = 12},
    {.row = 10, .name = "VEL4", .field = &ParaRecord::ParaVel4, .group = ParaGroup::Vel,
     .wire = {2, 11, 2}, .input = ParaText(2, 1, 60), .enter = "VEL5",
     .box = "txtAxisVel4", .label = "4. VEL4", .listing = "  4.VEL 4:", .stdAxisItem = 13},
    {.row = 11, .name = "VEL5", .field = &ParaRecord::ParaVel5, .group = ParaGroup::Vel,
     .wire = {2, 13, 2}, .input = ParaText(2, 1, 60), .enter = "VEL6",
     .box = "txtAxisVel5", .label = "5. VEL5", .listing = "  5.VEL 5:", .stdAxisItem = 14},
    {.row = 12, .name = "VEL6", .field = &ParaRecord::ParaVel6, .group = ParaGroup::Vel,
     .wire = {2, 15, 2}, .input = ParaText(2, 1, 60), .enter = "VEL7",
     .box = "txtAxisVel6", .label = "6. VEL6", .listing = "  6.VEL 6:", .stdAxisItem = 15},
    {.row = 13, .name = "VEL7", .field = &ParaRecord::ParaVel7, .group = ParaGroup::Vel,
     .wire = {2, 17, 2}, .input = ParaText(2, 1, 60), .enter = "VEL8",
     .box = "txtAxisVel7", .label = "7. VEL7", .listing = "  7.VEL 7:", .stdAxisItem = 16},
    {.row = 14, .name = "VEL8", .field = &ParaRecord::ParaVel8, .group = ParaGroup::Vel,
     .wire = {2, 19, 2}, .input = ParaText(2, 1, 60), .enter = "VEL9",
     .box = "txtAxisVel8", .label = "8. VEL8", .listing = "  8.VEL 8:", .stdAxisItem = 17},
    {.row = 15, .name = "VEL9", .field = &ParaRecord::ParaVel9, .group = ParaGroup::Vel,
     .wire = {2, 21, 2}, .input = ParaText(2, 1, 60), .enter = "JOGVEL",
     .box = "txtAxisVel9", .label = "9. VEL9", .listing = "  9.VEL 9:", .stdAxisItem = 18},
    // An empty JOG VEL box passes the blank check (it takes in as 0 and
    // fails the range check instead).
    {.row = 16, .name = "JOGVEL", .field = &ParaRecord::ParaJogVel, .group = ParaGroup::Vel,
     .wire = {1, 5, 2}, .input = ParaText(2, 1, 30), .enter = "STROKE", .blankChecked = false,
     .box = "txtJogHighVel", .label = "10. JOG VEL", .listing = "10.JOG VEL:", .stdAxisItem = 19},
    // ---- AXIS
    {.row = 17, .name = "STROKE", .field = &ParaRecord::ParaStroke, .group = ParaGroup::Axis,
     .wire = {0, 19, 6}, .input = ParaText(6, 0, 262143), .enter = "LEAD",
     .box = "txtAxisStroke", .label = "1. STROKE", .listing = " 1.STROKE:", .stdAxisItem = 20},
    {.row = 18, .name = "LEAD", .field = &ParaRecord::ParaLead, .group = ParaGroup::Axis,
     .wire = {0, 25, 2}, .input = ParaText(3, 1, 255).boxRange(0, 255), .enter = "PULSE",
     .box = "txtAxisLead", .label = "2. LEAD", .listing = " 2.LEAD:", .stdAxisItem = 21},
    {.row = 19, .name = "PULSE", .field = &ParaRecord::ParaPulse, .group = ParaGroup::Axis,
     .wire = {0, 27, 4}, .input = ParaText(5, 1, 65535).noBoxTest(), .enter = "AUTODRIVE",
     .box = "txtAxisPulse", .label = "3. PULSE", .listing = " 3.PULSE:", .stdAxisItem = 22},
    {.row = 20, .name = "AUTODRIVE", .field = &ParaRecord::ParaAutoDrive, .group = ParaGroup::Axis,
     .wire = {1, 7, 2},
     .input = ParaList({{"0. Drive-ON", "1. Drive-OFF"}, {"0. 励磁ON", "1. 励磁OFF"}}),
     .box = "comboAxisAutoDrv", .label = "4. AutoDrive", .listing = " 4.Auto Drive:", .listingOne = " 4.AUTO DRIVE:",
     .stdAxisItem = 23},
    {.row = 21, .name = "TYPE", .field = &ParaRecord::ParaType, .group = ParaGroup::Axis,
     .wire = {1, 9, 2},
     .input = ParaList({{"0. KZ(PUSH)", "1. KZ(LS)", "2. VT", "3. QRT", "4. DN"},
                        {"0. KZ(押付方式)", "1. KZ(LS方式)", "2. VT", "3. QRT", "4. DN"}}),
     .box = "comboEtcVtOrKz", .label = "5. TYPE", .listing = " 5.TYPE:", .stdAxisItem = 24},
    // ---- PG
    {.row = 22, .name = "FUNCTION", .field = &ParaRecord::ParaPgFunction, .group = ParaGroup::Pg,
     .wire = {0, 31, 2},
     .input = ParaList({{"0. No-PG", "1. Only Detect", "2. Detect+Revice"}, {"0. PGなし", "1. 検出のみ", "2. 検出+補正"}}),
     .box = "comboPgFunc", .label = "1. FUNCTION", .listing = " 1.FUNCTION:", .stdCmnItem = 0},
    {.row = 23, .name = "ALM", .field = &ParaRecord::ParaPgAlm, .group = ParaGroup::Pg,
     .wire = {0, 33, 4}, .input = ParaText(5, 5, 65535), .enter = "HOME OUT",
     .box = "txtPgAlarm", .label = "2. ALM", .listing = " 2.ALM:", .stdCmnItem = 1},
    // ---- ETC
    {.row = 24, .name = "HOME OUT", .field = &ParaRecord::ParaHomeOut, .group = ParaGroup::Etc,
     .wire = {6, 5, 2},
     .input = ParaList({{"0. OUT1,2-OFF", "1. OUT1-ON", "2. OUT2-ON", "3. OUT1,2-ON"},
                        {"0. 出力なし", "1. OUT1-ON", "2. OUT2-ON", "3. OUT1,2-ON"}}),
     .box = "comboHomeOut", .label = "1. HOME OUT", .listing = " 1. HOME OUT:", .listingOne = " 1.HOME OUT:",
     .stdCmnItem = 2},
    {.row = 25, .name = "ALM CODE", .field = &ParaRecord::ParaAlmCode, .group = ParaGroup::Etc,
     .wire = {6, 9, 2}, .input = ParaList({{"0. Disable", "1. Enable"}, {"0. 出力しない", "1. 出力する"}}),
     .box = "comboEtcAlmCode", .label = "2. ALM CODE", .listing = " 2. ALM CODE:", .listingOne = " 2.ALM CODE:",
     .stdCmnItem = 3},
    {.row = 26, .name = "GRP ENABLE", .field = &ParaRecord::ParaGrpEnable, .group = ParaGroup::Etc,
     .wire = {6, 11, 2}, .input = ParaList(kDisableEnable),
     .box = "comboEtcGrpEnable", .label = "3. GRP ENABLE", .listing = " 3. GRP ENABLE:",
     .listingOne = " 3.GRP ENABLE:", .stdCmnItem = 4},
    // SM TIMEOUT lives in a list named like a timer, SM TIMER in a box named like a time-out.
    {.row = 27, .name = "SM TIMEOUT", .field = &ParaRecord::ParaSmTimeout, .group = ParaGroup::Etc,
     .wire = {6, 13, 2}, .input = ParaList(kDisableEnable),
     .box = "comboSmInTimer", .label = "4. SM TIMEOUT", .listing = " 4. SM TIMEOUT:",
     .listingOne = " 4.SM TIMEOUT:", .stdCmnItem = 5},
    {.row = 28, .name = "SM TIMER", .field = &ParaRecord::ParaSmTimer, .group = ParaGroup::Etc,
     .wire = {6, 15, 2}, .input = ParaText(3, 1, 255), .enter = "PG TIMER",
     .box = "txtSmTimeoutTimer", .label = "5. SM TIMER", .listing = " 5. SM TIMER:", .listingOne = " 5.SM TIMER:",
     .stdCmnItem = 6},
    // ---- SPECIAL
    {.row = 29, .name = "PG TIMER", .field = &ParaRecord::ParaPgTimer, .group = ParaGroup::Special,
     .wire = {6, 17, 2}, .input = ParaText(3, 0, 255), .enter = "1AXIS", .enterOne = "OVERRIDE",
     .special = true,
     .box = "txtPgCheckTimer", .label = "1. PG TIMER", .listing = " 1. PG TIMER:", .listingOne = " 1.PG TIMER:",
     .stdCmnItem = 7},
    // The second axis in use: the one-axis window never shows it.
    {.row = 30, .name = "1AXIS", .field = &ParaRecord::ParaOneAxis, .group = ParaGroup::Special,
     .one = ParaUse::Hidden,
     .wire = {6, 19, 2},
     .input = ParaList({{"0. 2AXIS-Disable", "1. 2AXIS-Enable"}, {"0. 2軸目 無効", "1. 2軸目 有効"}}),
     .special = true,
     .box = "comboOneAxis", .label = "2. 1 AXIS", .listing = " 2. 1 AXIS:", .stdCmnItem = 8},
    {.row = 31, .name = "AUTO HOME", .field = &ParaRecord::ParaAutoHome, .group = ParaGroup::Special,
     .wire = {6, 7, 2},
     .input = ParaList({{"0. Disable", "1. Enable"}, {"0. 自動原点復帰 無効", "1. 自動原点復帰 有効"}}),
     .special = true,
     .box = "comboAutoHome", .label = "3. AUTO HOME", .labelOne = "2. AUTO HOME", .listing = " 3. AUTO HOME:",
     .listingOne = " 2.AUTO HOME:", .stdCmnItem = 9},
    {.row = 32, .name = "O-R ENABLE", .field = &ParaRecord::ParaOrEnable, .group = ParaGroup::Special,
     .wire = {6, 21, 2}, .input = ParaOptions({{"Disable", "Enable"}, {"無効", "有効"}}),
     .special = true, .tabLast = true,
     .box = "optOverRideUmu", .label = "4. O-R ENABLE", .labelOne = "3. O-R ENABLE", .listing = " 4. O-R ENABLE:",
     .listingOne = " 3.O-R ENABLE:", .stdCmnItem = 10},
    {.row = 33, .name = "OVERRIDE", .field = &ParaRecord::ParaOverride, .group = ParaGroup::Special,
     .wire = {6, 23, 2}, .input = ParaText(3, 0, 100), .enter = "LS TIMER",
     .special = true, .tabLast = true,
     .box = "txtOverRide", .label = "5. OVERRIDE", .labelOne = "4. OVERRIDE", .listing = " 5. OVERRIDE:",
     .listingOne = " 4.OVERRIDE:", .verifyTwo = "OVERIDE", .stdCmnItem = 11},
    {.row = 34, .name = "LS TIMER", .field = &ParaRecord::ParaLsTimer, .group = ParaGroup::Special,
     .wire = {6, 25, 2}, .input = ParaText(3, 0, 255), .enter = "OFFSET",
     .special = true, .tabLast = true,
     .box = "txtLsSerchTimer", .label = "6. LS TIMER", .labelOne = "5. LS TIMER", .listing = " 6. LS TIMER:",
     .listingOne = " 5.LS TIMER:", .stdCmnItem = 12},
    // The one-axis controller only; no factory value.
    {.row = 35, .name = "BCD ENABLE", .field = &ParaRecord::ParaBcdEnable, .group = ParaGroup::Special,
     .two = ParaUse::Absent,
     .wire = {6, 27, 2}, .input = ParaList(kDisableEnable),
     .special = true, .tabLast = true,
     .box = "comboBCD", .label = "6. BCD ENABLE", .listing = " 6.BCD ENABLE:"},
};
// clang-format on

constexpr int kParaRowCount = int(std::size(kParaRows));

// The description of a table row; null outside 1..kParaRowCount.
constexpr const ParaRowDef* ParaRowAt(int row) {
    return row >= 1 && row <= kParaRowCount ? &kParaRows[row - 1] : nullptr;
}

// The row of an item name; 0 when there is none.
constexpr int ParaRowNamed(std::string_view name) {
    for (const ParaRowDef& r : kParaRows)
        if (name == r.name) return r.row;
    return 0;
}

// The last table row the product has (34 two-axis, 35 one-axis).
constexpr int ParaLastRow(Product p) {
    int last = 0;
    for (const ParaRowDef& r : kParaRows)
        if (r.in(p)) last = r.row;
    return last;
}

// The first row of a group.
constexpr int ParaGroupFirstRow(ParaGroup g) {
    for (const ParaRowDef& r : kParaRows)
        if (r.group == g) return r.row;
    return 0;
}
// Whether the group's rows have a value per axis.
constexpr bool ParaGroupPerAxis(ParaGroup g) { return kParaRows[ParaGroupFirstRow(g) - 1].perAxis(); }
// The rows of a group the product has: the row count of its file section.
constexpr int ParaGroupRows(ParaGroup g, Product p) {
    int n = 0;
    for (const ParaRowDef& r : kParaRows)
        if (r.group == g && r.in(p)) ++n;
    return n;
}

// The value of a record field by its table row and axis column (common rows
// ignore the axis). Rows outside 1..kParaRowCount give an empty value.
Value ParaRecordValue(const ParaRecord& rec, int row, int axis);
// Sets a record field by its table row and axis from a value: a value of any
// kind is taken unchanged, a whole-number field gets the value rounded (halves
// to even) and clipped to its width.
void SetParaRecordValue(ParaRecord& rec, int row, int axis, const Value& v);
// The item name of a table row ("OFFSET" .. "BCD ENABLE").
QString ParaRowName(int row);
// The name of a row's value of an axis in messages: "PUSH(1)" for a row
// with a value per axis, "LS TIMER" for a common one.
QString ParaItemName(int row, int axis);
// The whole number (halves to even) that a number gives the row's field in
// the controller's blocks; none when it does not fit there (below 0, or
// beyond the field's hexadecimal digits).
std::optional<int32_t> ParaWireNumber(const ParaRowDef& d, double n);

} // namespace rer
