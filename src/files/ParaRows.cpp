#include "files/ParaRows.h"

#include "files/Decimal.h"
#include "files/ParaTables.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rer {

// ---- What a row added to the description must fit

namespace {

constexpr bool RowsNumberedInOrder() {
    for (int i = 0; i < kParaRowCount; ++i)
        if (kParaRows[i].row != i + 1) return false;
    return true;
}
static_assert(RowsNumberedInOrder(), "kParaRows: rows are numbered 1, 2, ... in table order");

constexpr bool NamesUnique() {
    for (const ParaRowDef& a : kParaRows)
        for (const ParaRowDef& b : kParaRows)
            if (&a != &b && std::string_view(a.name) == b.name) return false;
    return true;
}
static_assert(NamesUnique(), "kParaRows: every row has a name of its own");

constexpr bool GroupsInOrder() {
    for (int i = 0; i < kParaGroupCount; ++i)
        if (kParaGroups[i].id != ParaGroup(i)) return false;
    for (int i = 1; i < kParaRowCount; ++i)
        if (kParaRows[i].group < kParaRows[i - 1].group) return false;
    for (const ParaGroupDef& s : kParaGroups) {
        if (ParaGroupFirstRow(s.id) == 0) return false;
        for (const ParaRowDef& r : kParaRows)
            if (r.group == s.id && r.perAxis() != ParaGroupPerAxis(s.id)) return false;
    }
    return true;
}
static_assert(GroupsInOrder(),
              "kParaRows: groups follow one another in file order, each with rows all per axis or all common");

constexpr bool WireFieldsFit() {
    for (const ParaRowDef& r : kParaRows) {
        const ParaWire& w = r.wire;
        if (r.perAxis() ? (w.line < 0 || w.line > 2) : w.line != 6) return false;
        if (w.width < 1 || w.at < 5 || w.at + w.width - 1 > 36) return false;
        // The field holds the largest value the check lets through.
        double limit = 1;
        for (int i = 0; i < w.width; ++i) limit *= 16;
        if (r.input.hi > limit - 1) return false;
    }
    // No two fields of a product share a character.
    for (Product p : {Product::TwoAxis, Product::OneAxis})
        for (const ParaRowDef& a : kParaRows)
            for (const ParaRowDef& b : kParaRows) {
                if (&a == &b || !a.in(p) || !b.in(p) || a.wire.line != b.wire.line) continue;
                if (a.wire.at < b.wire.at + b.wire.width && b.wire.at < a.wire.at + a.wire.width) return false;
            }
    return true;
}
static_assert(WireFieldsFit(), "kParaRows: wire fields lie in characters 5..36 of their block, apart, wide enough");

constexpr bool ControlsComplete() {
    for (const ParaRowDef& r : kParaRows) {
        if (!r.box || !r.label || !r.listing) return false;
        const int items = r.input.choices.count();
        if (r.input.ctl == ParaCtl::Text ? items != 0 || r.input.maxChars < 1 || !r.enter : items < 2) return false;
        if (r.input.ctl == ParaCtl::Option && items != 2) return false;
        if (r.input.ctl != ParaCtl::Text && (r.enter || r.enterOne)) return false;
        for (int i = 0; i < ParaChoices::kMax; ++i)
            if (!r.input.choices.jp[static_cast<size_t>(i)] != (i >= items)) return false;
        if (r.input.lo > r.input.hi) return false;
    }
    return true;
}
static_assert(ControlsComplete(),
              "kParaRows: every row has a control name, a label and a listing label; a text box its length and Enter "
              "target; a list its items in both languages");

constexpr bool EnterTargetsShown() {
    for (Product p : {Product::TwoAxis, Product::OneAxis})
        for (const ParaRowDef& r : kParaRows) {
            if (!r.shown(p) || r.input.ctl != ParaCtl::Text) continue;
            // By index: a constant pointer compared with null is not a
            // constant expression for every compiler (sanitizers on).
            const int to = ParaRowNamed(r.enterIn(p));
            if (to < 1 || to > kParaRowCount || !kParaRows[to - 1].shown(p)) return false;
        }
    return true;
}
static_assert(EnterTargetsShown(), "kParaRows: Enter moves to a row the product shows");

constexpr bool FactoryItemsFit() {
    for (const ParaRowDef& a : kParaRows) {
        if (a.stdAxisItem >= 0 && (!a.perAxis() || a.stdAxisItem < 4 || a.stdAxisItem >= int(std::tuple_size_v<StdPrmRecord>)))
            return false;
        if (a.stdCmnItem >= 0 && a.stdCmnItem >= int(std::tuple_size_v<StdPrmCmnTable>)) return false;
        if (a.stdAxisItem >= 0 && a.stdCmnItem >= 0) return false;
        for (const ParaRowDef& b : kParaRows)
            if (&a != &b && ((a.stdAxisItem >= 0 && a.stdAxisItem == b.stdAxisItem) ||
                             (a.stdCmnItem >= 0 && a.stdCmnItem == b.stdCmnItem)))
                return false;
    }
    return true;
}
static_assert(FactoryItemsFit(), "kParaRows: each factory item feeds one row and lies in its list");

// A file places its rows one after the other: a product lacks only rows
// after the last one it has.
constexpr bool ProductRowsContiguous() {
    for (Product p : {Product::TwoAxis, Product::OneAxis})
        for (const ParaRowDef& r : kParaRows)
            if (!r.in(p) && r.row < ParaLastRow(p)) return false;
    return true;
}
static_assert(ProductRowsContiguous(), "kParaRows: a product that lacks a row lacks every row after it");

// A number that fits a row's field on the line fits its field in the
// record too: what the line takes, the record keeps.
constexpr bool WireFitsRecord() {
    for (const ParaRowDef& r : kParaRows) {
        const int maxWidth = r.field.kind == ParaValueKind::Int16 ? 3 : r.field.kind == ParaValueKind::Int32 ? 7 : 8;
        if (r.wire.width > maxWidth) return false;
    }
    return true;
}
static_assert(WireFitsRecord(), "kParaRows: a field on the line is no wider than its field in the record");

// The field's whole number; one that does not fit the field (an infinity
// too) lands on the nearer end of its width, so the range check refuses it
// as it refuses any number out of range.
template <typename T>
T wholeNumber(const Value& v) {
    const double d = RoundDecimal(v.toNumber(), 0, HalfRule::ToEven);
    if (std::isnan(d)) return std::numeric_limits<T>::max();
    return static_cast<T>(std::clamp(d, double(std::numeric_limits<T>::min()), double(std::numeric_limits<T>::max())));
}

} // namespace

// ---- The record by row

Value ParaRecordValue(const ParaRecord& rec, int row, int axis) {
    if (axis < 0 || axis > 1) axis = 0;
    const ParaRowDef* d = ParaRowAt(row);
    if (!d) return Value();
    const ParaField& f = d->field;
    const size_t a = static_cast<size_t>(axis);
    if (!f.perAxis()) return Value::number(rec.*f.common);
    switch (f.kind) {
    case ParaValueKind::Any: return (rec.*f.any)[a];
    case ParaValueKind::Int16: return Value::number((rec.*f.i16)[a]);
    case ParaValueKind::Int32: return Value::number((rec.*f.i32)[a]);
    }
    return Value();
}

void SetParaRecordValue(ParaRecord& rec, int row, int axis, const Value& v) {
    if (axis < 0 || axis > 1) return;
    const ParaRowDef* d = ParaRowAt(row);
    if (!d) return;
    const ParaField& f = d->field;
    const size_t a = static_cast<size_t>(axis);
    if (!f.perAxis()) {
        rec.*f.common = wholeNumber<int16_t>(v);
        return;
    }
    switch (f.kind) {
    case ParaValueKind::Any: (rec.*f.any)[a] = v; break;
    case ParaValueKind::Int16: (rec.*f.i16)[a] = wholeNumber<int16_t>(v); break;
    case ParaValueKind::Int32: (rec.*f.i32)[a] = wholeNumber<int32_t>(v); break;
    }
}

QString ParaRowName(int row) {
    const ParaRowDef* d = ParaRowAt(row);
    return d ? QString::fromLatin1(d->name) : QString();
}

QString ParaItemName(int row, int axis) {
    const ParaRowDef* d = ParaRowAt(row);
    if (d && d->perAxis()) return ParaRowName(row) + QStringLiteral("(%1)").arg(axis + 1);
    return ParaRowName(row);
}

std::optional<int32_t> ParaWireNumber(const ParaRowDef& d, double n) {
    const double whole = std::nearbyint(n);
    if (!(whole >= 0 && whole <= std::pow(16.0, d.wire.width) - 1)) return std::nullopt; // also NaN
    return static_cast<int32_t>(whole);
}

} // namespace rer
