#include "setup/ParamFields.h"

#include "files/Decimal.h"
#include "files/Value.h"

#include <QStringList>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace rer {

namespace {

ParaRowSpec TextRow(int lo, int hi, int maxChars, bool perAxis = true) {
    ParaRowSpec s;
    s.kind = ParaCtl::Text;
    s.perAxis = perAxis;
    s.lo = lo;
    s.hi = hi;
    s.maxChars = maxChars;
    s.boxTest = true;
    s.boxLo = lo;
    s.boxHi = hi;
    return s;
}

ParaRowSpec ComboRow(int items, bool perAxis = false) {
    ParaRowSpec s;
    s.kind = ParaCtl::Combo;
    s.items = items;
    s.perAxis = perAxis;
    s.lo = 0;
    s.hi = items - 1;
    return s;
}

bool IsPerAxisRow(int row) { return row >= ParaRow::FirstAxisRow && row <= ParaRow::LastAxisRow; }

} // namespace

int ParaLastRow(Product p) {
    return p == Product::TwoAxis ? ParaRow::LastCommonRow : ParaRow::BcdEnable;
}

ParaRowSpec ParaSpec(int row, Product p) {
    ParaRowSpec s;
    switch (row) {
        case 1: s = TextRow(1, 65535, 5); s.wide = true; break;
        case 2: s = TextRow(1, 255, 3); break;
        case 3: case 4: case 5: s = TextRow(1, 60, 3); break;
        case kSeqRow:
            s = TextRow(0, 9, 1);
            s.boxHi = 255;
            if (p == Product::OneAxis) {
                s.checked = false; // the one-axis window keeps the box out of use
                s.maxChars = 0;
            }
            break;
        case 7: case 8: case 9: case 10: case 11: case 12: case 13: case 14: case 15:
            s = TextRow(1, 60, 2);
            break;
        case kJogVelRow: s = TextRow(1, 30, 2); break;
        case 17: s = TextRow(0, 262143, 6); s.wide = true; break;
        case 18: s = TextRow(1, 255, 3); s.boxLo = 0; break;
        case 19: s = TextRow(1, 65535, 5); s.boxTest = false; break;
        case 20: s = ComboRow(2, true); break;
        case 21: s = ComboRow(5, true); break;
        case 22: s = ComboRow(3, true); break;
        case 23: s = TextRow(5, 65535, 5); s.wide = true; break;
        case 24: s = ComboRow(4); break;
        case 25: case 26: case 27: s = ComboRow(2); break;
        case 28: s = TextRow(1, 255, 3, false); break;
        case kPgTimerRow: s = TextRow(0, 255, 3, false); break;
        case kOneAxisRow:
            s = ComboRow(2);
            s.checked = p == Product::TwoAxis;
            break;
        case 31: s = ComboRow(2); break;
        case kOrEnableRow:
            s.kind = ParaCtl::Option;
            s.lo = 0;
            s.hi = 1;
            break;
        case 33: s = TextRow(0, 100, 3, false); break;
        case 34: s = TextRow(0, 255, 3, false); break;
        case ParaRow::BcdEnable: s = ComboRow(2); break;
        default: break;
    }
    return s;
}

bool ParaRowShown(int row, int axis, Product p) {
    if (row < 1 || row > ParaLastRow(p)) return false;
    if (p == Product::TwoAxis) return axis == 0 || IsPerAxisRow(row);
    // The one-axis window: axis 1 only, and no 1AXIS list in use.
    return axis == 0 && row != kOneAxisRow;
}

QStringList ParaComboItems(int row, Product p, int16_t languageNo) {
    const bool jp = languageNo == 1;
    auto pick = [jp](QStringList ja, QStringList en) { return jp ? ja : en; };
    switch (row) {
        case 20: return pick({u"0. 励磁ON"_s, u"1. 励磁OFF"_s}, {u"0. Drive-ON"_s, u"1. Drive-OFF"_s});
        case 21:
            return pick({u"0. KZ(押付方式)"_s, u"1. KZ(LS方式)"_s, u"2. VT"_s, u"3. QRT"_s, u"4. DN"_s},
                        {u"0. KZ(PUSH)"_s, u"1. KZ(LS)"_s, u"2. VT"_s, u"3. QRT"_s, u"4. DN"_s});
        case 22:
            return pick({u"0. PGなし"_s, u"1. 検出のみ"_s, u"2. 検出+補正"_s},
                        {u"0. No-PG"_s, u"1. Only Detect"_s, u"2. Detect+Revice"_s});
        case 24:
            return pick({u"0. 出力なし"_s, u"1. OUT1-ON"_s, u"2. OUT2-ON"_s, u"3. OUT1,2-ON"_s},
                        {u"0. OUT1,2-OFF"_s, u"1. OUT1-ON"_s, u"2. OUT2-ON"_s, u"3. OUT1,2-ON"_s});
        case 25: return pick({u"0. 出力しない"_s, u"1. 出力する"_s}, {u"0. Disable"_s, u"1. Enable"_s});
        case 26: case 27: case ParaRow::BcdEnable:
            if (row == ParaRow::BcdEnable && p == Product::TwoAxis) return {};
            return pick({u"0. 無効"_s, u"1. 有効"_s}, {u"0. Disable"_s, u"1. Enable"_s});
        case kOneAxisRow:
            if (p == Product::OneAxis) return {};
            return pick({u"0. 2軸目 無効"_s, u"1. 2軸目 有効"_s}, {u"0. 2AXIS-Disable"_s, u"1. 2AXIS-Enable"_s});
        case 31:
            return pick({u"0. 自動原点復帰 無効"_s, u"1. 自動原点復帰 有効"_s}, {u"0. Disable"_s, u"1. Enable"_s});
        default: return {};
    }
}

void ParaDisplay(const ParaRecord& rec, Product p, ParaControls& c) {
    for (int row = 1; row <= ParaLastRow(p); ++row) {
        const ParaRowSpec s = ParaSpec(row, p);
        for (int axis = 0; axis < 2; ++axis) {
            if (!ParaRowShown(row, axis, p)) continue;
            const Value v = ParaRecordValue(rec, row, axis);
            const size_t r = static_cast<size_t>(row), a = static_cast<size_t>(axis);
            switch (s.kind) {
                case ParaCtl::Text: c.text[r][a] = v.toText(); break;
                case ParaCtl::Combo: {
                    const double n = RoundDecimal(v.toNumber(), 0, HalfRule::ToEven);
                    c.combo[r][a] = n >= 0 && n < s.items ? static_cast<int>(n) : -1;
                    break;
                }
                case ParaCtl::Option: {
                    const bool one = v.toNumber() == 1;
                    c.opt = {!one, one};
                    break;
                }
            }
        }
    }
}

void ParaTakeIn(const ParaControls& c, Product p, ParaRecord& rec) {
    for (int row = 1; row <= ParaLastRow(p); ++row) {
        const ParaRowSpec s = ParaSpec(row, p);
        for (int axis = 0; axis < (IsPerAxisRow(row) ? 2 : 1); ++axis) {
            const size_t r = static_cast<size_t>(row), a = static_cast<size_t>(axis);
            switch (s.kind) {
                case ParaCtl::Text:
                    SetParaRecordValue(rec, row, axis, Value::number(LeadingNumber(c.text[r][a])));
                    break;
                case ParaCtl::Combo: {
                    const int sel = c.combo[r][a];
                    SetParaRecordValue(rec, row, axis, Value::number(sel >= 0 && sel < s.items ? sel : 0));
                    break;
                }
                case ParaCtl::Option:
                    SetParaRecordValue(rec, row, axis, Value::number(c.opt[0] ? 0 : 1));
                    break;
            }
        }
    }
}

bool ParaOutOfRange(const ParaRecord& rec, Product p) {
    bool invalid = false;
    const int axes = p == Product::TwoAxis ? 2 : 1;
    for (int row = 1; row <= ParaLastRow(p); ++row) {
        const ParaRowSpec s = ParaSpec(row, p);
        if (!s.checked) continue;
        for (int axis = 0; axis < (IsPerAxisRow(row) ? axes : 1); ++axis) {
            const double v = ParaRecordValue(rec, row, axis).toNumber();
            if (!(v >= s.lo && v <= s.hi)) invalid = true; // also catches NaN
        }
    }
    return invalid;
}

bool ParaBlankControls(const ParaControls& c, Product p) {
    bool blank = false;
    const int axes = p == Product::TwoAxis ? 2 : 1;
    for (int row = 1; row <= ParaLastRow(p); ++row) {
        if (row == kJogVelRow) continue;
        if (p == Product::OneAxis && (row == kSeqRow || row == kOneAxisRow)) continue;
        const ParaRowSpec s = ParaSpec(row, p);
        for (int axis = 0; axis < (IsPerAxisRow(row) ? axes : 1); ++axis) {
            const size_t r = static_cast<size_t>(row), a = static_cast<size_t>(axis);
            switch (s.kind) {
                case ParaCtl::Text: blank = blank || c.text[r][a].isEmpty(); break;
                case ParaCtl::Combo: blank = blank || c.combo[r][a] < 0; break;
                case ParaCtl::Option: blank = blank || (!c.opt[0] && !c.opt[1]); break;
            }
        }
    }
    return blank;
}

void ParaTableToRecord(const ParaFileTable& t, Product p, ParaRecord& rec) {
    for (int axis = 0; axis < 2; ++axis)
        for (int row = ParaRow::FirstAxisRow; row <= ParaRow::LastAxisRow; ++row)
            if (static_cast<size_t>(row) < t.size())
                SetParaRecordValue(rec, row, axis, t[static_cast<size_t>(row)][static_cast<size_t>(axis)]);
    for (int row = ParaRow::FirstCommonRow; row <= ParaLastRow(p); ++row)
        if (static_cast<size_t>(row) < t.size()) SetParaRecordValue(rec, row, 0, t[static_cast<size_t>(row)][0]);
}

void ParaRecordToTable(const ParaRecord& rec, Product p, ParaFileTable& t) {
    for (auto& row : t) row.fill(Value());
    for (int axis = 0; axis < 2; ++axis)
        for (int row = ParaRow::FirstAxisRow; row <= ParaRow::LastAxisRow; ++row)
            if (static_cast<size_t>(row) < t.size())
                t[static_cast<size_t>(row)][static_cast<size_t>(axis)] = ParaRecordValue(rec, row, axis);
    for (int row = ParaRow::FirstCommonRow; row <= ParaLastRow(p); ++row)
        if (static_cast<size_t>(row) < t.size()) t[static_cast<size_t>(row)][0] = ParaRecordValue(rec, row, 0);
}

BoxRule ParaBoxRule(int row, Product p) { return DigitBox(ParaSpec(row, p).maxChars); }

bool ParaBoxAccepts(int row, Product p, const QString& text) {
    const ParaRowSpec s = ParaSpec(row, p);
    if (s.kind != ParaCtl::Text || !s.boxTest) return true;
    const double v = RoundDecimal(LeadingNumber(text), 0, HalfRule::ToEven);
    const double lo = s.wide ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int16_t>::min();
    const double hi = s.wide ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int16_t>::max();
    if (!(v >= lo && v <= hi)) return false; // does not fit its width
    return v >= s.boxLo && v <= s.boxHi;
}

ParaFocus ParaEnterTarget(int row, int member, Product p, bool pgTimerEnabled) {
    const bool two = p == Product::TwoAxis;
    if (two && member == 0 && IsPerAxisRow(row)) return {row, 1};
    switch (row) {
        case 5: return {two ? 6 : 7, 0};
        case 19: return {20, 0};          // AutoDrive list
        case 23: return {24, 0};          // HOME OUT list
        case 28: return {pgTimerEnabled ? kPgTimerRow : 1, 0};
        case kPgTimerRow: return {two ? kOneAxisRow : 33, 0};
        case 33: return {34, 0};
        case 34: return {1, 0};
        default: return {row + 1, 0};
    }
}

} // namespace rer
