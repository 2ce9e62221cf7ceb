#include "setup/ParamFields.h"

#include "files/Decimal.h"
#include "files/Value.h"

#include <QStringList>
#include <cmath>
#include <limits>

namespace rer {

ParaRowSpec ParaSpec(int row, Product p) {
    ParaRowSpec s;
    const ParaRowDef* d = ParaRowAt(row);
    if (!d) return s;
    const ParaInput& in = d->input;
    // What the window keeps out of use is neither checked nor typed into.
    const bool hidden = d->use(p) == ParaUse::Hidden;
    s.kind = in.ctl;
    s.items = in.ctl == ParaCtl::Combo ? in.choices.count() : 0;
    s.perAxis = d->perAxis();
    s.lo = in.lo;
    s.hi = in.hi;
    s.checked = !hidden;
    s.maxChars = hidden ? 0 : in.maxChars;
    s.boxTest = in.boxTest;
    s.boxLo = in.boxLo;
    s.boxHi = in.boxHi;
    s.wide = d->field.kind == ParaValueKind::Any;
    return s;
}

bool ParaRowShown(int row, int axis, Product p) {
    const ParaRowDef* d = ParaRowAt(row);
    if (!d || !d->in(p)) return false;
    if (p == Product::TwoAxis) return axis == 0 || d->perAxis();
    // The one-axis window: axis 1 only; a list it keeps out of sight has no
    // items to show a value in.
    return axis == 0 && !(d->use(p) == ParaUse::Hidden && d->input.ctl == ParaCtl::Combo);
}

QStringList ParaComboItems(int row, Product p, int16_t languageNo) {
    const ParaRowDef* d = ParaRowAt(row);
    if (!d || !d->shown(p) || d->input.ctl != ParaCtl::Combo) return {};
    const ParaChoices& c = d->input.choices;
    QStringList items;
    for (int i = 0; i < c.count(); ++i)
        items << QString::fromUtf8(languageNo == 1 ? c.jp[static_cast<size_t>(i)] : c.en[static_cast<size_t>(i)]);
    return items;
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
        for (int axis = 0; axis < (s.perAxis ? 2 : 1); ++axis) {
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
    const int axes = AxesOf(p);
    for (int row = 1; row <= ParaLastRow(p); ++row) {
        const ParaRowSpec s = ParaSpec(row, p);
        if (!s.checked) continue;
        for (int axis = 0; axis < (s.perAxis ? axes : 1); ++axis) {
            const double v = ParaRecordValue(rec, row, axis).toNumber();
            if (!(v >= s.lo && v <= s.hi)) invalid = true; // also catches NaN
        }
    }
    return invalid;
}

bool ParaBlankControls(const ParaControls& c, Product p) {
    bool blank = false;
    const int axes = AxesOf(p);
    for (const ParaRowDef& d : kParaRows) {
        if (!d.blankChecked || !d.shown(p)) continue;
        const int row = d.row;
        const ParaRowSpec s = ParaSpec(row, p);
        for (int axis = 0; axis < (s.perAxis ? axes : 1); ++axis) {
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

std::optional<ParaCell> ParaTableMisfit(const ParaFileTable& t, Product p) {
    for (const ParaRowDef& d : kParaRows) {
        if (!d.in(p)) continue;
        const size_t r = static_cast<size_t>(d.row);
        if (r >= t.size()) return ParaCell{d.row, 0};
        const bool list = d.shown(p) && d.input.ctl != ParaCtl::Text;
        const int used = d.perAxis() ? AxesOf(p) : 1;
        for (int axis = 0; axis < (d.perAxis() ? 2 : 1); ++axis) {
            const Value& v = t[r][static_cast<size_t>(axis)];
            if (v.isEmpty()) {
                if (axis < used) return ParaCell{d.row, axis};
                continue;
            }
            if (v.isText() && !StrictNumber(v.toText())) return ParaCell{d.row, axis};
            const double n = v.toNumber();
            if (!ParaWireNumber(d, n)) return ParaCell{d.row, axis};
            if (list && axis < used && (!v.isNumber() || n != std::trunc(n) || n < d.input.lo || n > d.input.hi))
                return ParaCell{d.row, axis};
        }
    }
    return std::nullopt;
}

QString ParaCellText(const ParaFileTable& t, ParaCell c) {
    const size_t r = static_cast<size_t>(c.row), a = static_cast<size_t>(c.axis);
    const QString value = r < t.size() && a < t[r].size() ? t[r][a].toText() : QString();
    return ParaItemName(c.row, c.axis) + QStringLiteral(" = ") + value;
}

void ParaTableToRecord(const ParaFileTable& t, Product p, ParaRecord& rec) {
    for (const ParaRowDef& d : kParaRows) {
        if (!d.in(p) || static_cast<size_t>(d.row) >= t.size()) continue;
        for (int axis = 0; axis < (d.perAxis() ? 2 : 1); ++axis)
            SetParaRecordValue(rec, d.row, axis, t[static_cast<size_t>(d.row)][static_cast<size_t>(axis)]);
    }
}

void ParaRecordToTable(const ParaRecord& rec, Product p, ParaFileTable& t) {
    for (auto& row : t) row.fill(Value());
    for (const ParaRowDef& d : kParaRows) {
        if (!d.in(p) || static_cast<size_t>(d.row) >= t.size()) continue;
        for (int axis = 0; axis < (d.perAxis() ? 2 : 1); ++axis)
            t[static_cast<size_t>(d.row)][static_cast<size_t>(axis)] = ParaRecordValue(rec, d.row, axis);
    }
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

ParaFocus ParaEnterTarget(int row, int member, Product p, bool spUnlocked) {
    const ParaRowDef* d = ParaRowAt(row);
    if (!d) return {row + 1, 0};
    if (p == Product::TwoAxis && member == 0 && d->perAxis()) return {row, 1};
    const char* next = d->enterIn(p);
    const ParaRowDef* to = next ? ParaRowAt(ParaRowNamed(next)) : nullptr;
    if (!to) return {row + 1, 0}; // lists and options have no Enter of their own
    // The special parameters are entered only while they take input.
    if (to->special && !d->special && !spUnlocked) return {kParaRows[0].row, 0};
    return {to->row, 0};
}

} // namespace rer
