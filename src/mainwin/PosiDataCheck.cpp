#include "app/AppContext.h"
#include "catalogue/Conversion.h"
#include "files/Decimal.h"
#include "files/Value.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionGrid.h"

#include <cmath>

namespace rer {

namespace {

// A position cell's value against the axis: in mm or in pulses.
bool positionGood(double v, bool mm, const AxisActuator& ax) {
    if (!std::isfinite(v) || v < 0) return false;
    const double mmLimit = Decimal12(double(ax.Stroke) + ax.MmPerPulse);
    if (mm) {
        if (Decimal12(v) > mmLimit) return false;
        return MmToPls(v, ax.Lead, ax.PPR) <= double(ax.MaxPulse);
    }
    // A controller position is a whole number of pulses.
    if (v != std::trunc(v) || v > double(ax.MaxPulse)) return false;
    return Decimal12(PlsToMm(v, ax.Lead, ax.PPR)) <= mmLimit;
}

} // namespace

void PosiDataCheck(AppContext& ctx, Product p) {
    if (ctx.grid.commitPendingEdit) ctx.grid.commitPendingEdit();
    ProductPositions& tables = ctx.pos.of(p);
    const PositionGrid& g = ctx.grid.of(p);
    const auto& axes = ctx.dev.axes(p);
    const bool mm = ctx.opt.DispMmUnit;
    const int last = LastColumn(p);
    MainState& m = ctx.main;

    std::fill(tables.PosiNgRow.begin(), tables.PosiNgRow.end(), false);
    m.PosiDataCheckError = false;
    m.Error_Posi.clear();
    m.SumOfMukoPosi = 0;
    const QString sep = ctx.opt.LanguageNo == 1 ? QStringLiteral("、") : QStringLiteral(",");
    const int first = std::max<int>(ctx.pos.PosiRangeStart, 1);
    const int end = std::min<int>(ctx.pos.PosiRangeEnd, 399);

    for (int r = first; r <= end; ++r) {
        bool bad = false;
        for (int c = 1; c < last && !bad; ++c) {
            const QString t = g.text(r, c).trimmed();
            if (t.isEmpty()) {
                bad = true;
                break;
            }
            const GridColumn col = ColumnOf(p, c);
            const double v = LeadingNumber(t);
            if (col.kind == CellKind::Posi) {
                bad = !positionGood(v, mm, axes[std::size_t(col.axis)]);
            } else {
                const double n = RoundDecimal(v, 0, HalfRule::ToEven);
                const CellRange l = RangeOf(col.kind);
                bad = !std::isfinite(n) || n < l.lo || n > l.hi;
            }
        }
        if (bad) {
            tables.PosiNgRow[std::size_t(r - 1)] = true;
            ++m.SumOfMukoPosi;
            m.Error_Posi += QString::number(r) + sep;
            m.PosiDataCheckError = true;
        }
    }

    if (m.SumOfMukoPosi == 399) {
        ctx.message(ctx.pick(QStringLiteral("表にデータがありません。\r\nデータを入力後に再度行ってください。"),
                             QStringLiteral("No data in the list.\r\nInput data and write into controller.")));
        return;
    }
    if (!m.Error_Posi.isEmpty()) {
        ctx.message(ctx.pick(QStringLiteral("データがないか、不正なデータが含まれている箇所があります。\r\n"
                                            "以下に示す位置Noのデータを確認してから再度行って下さい。\r\n"
                                            "ポジションNo,") + m.Error_Posi,
                             QStringLiteral("No data or invalid data in some position No. .\r\n"
                                            "Confirm the Position data indicated below, and tyr it again.\r\n"
                                            " Position No.") + m.Error_Posi + QStringLiteral(".")));
        return;
    }

    const PositionGrid& dummy = ctx.grid.flgdDummy;
    for (int r = first; r <= end; ++r) {
        auto& row = tables.PosiData[std::size_t(r)];
        auto& pv = ctx.pos.PosiValue[std::size_t(r)];
        for (int c = 1; c <= last; ++c) {
            const GridColumn col = ColumnOf(p, c);
            if (col.kind == CellKind::Comment) {
                row[11] = Value::text(g.text(r, c));
            } else if (col.kind == CellKind::Posi) {
                const AxisActuator& ax = axes[std::size_t(col.axis)];
                const double v = LeadingNumber(g.text(r, c).trimmed());
                const auto a = std::size_t(col.axis);
                if (mm) {
                    pv[a + 2] = Value::number(v);
                    pv[a] = Value::number(MmToPls(v, ax.Lead, ax.PPR));
                } else {
                    pv[a] = Value::number(v);
                    pv[a + 2] = Value::number(PlsToMm(v, ax.Lead, ax.PPR));
                }
                row[std::size_t(col.dataCol)] = pv[a];
            } else {
                row[std::size_t(col.dataCol)] = Value::number(LeadingNumber(g.text(r, c).trimmed()));
            }
        }
        if (p == Product::OneAxis)
            for (int c = 1; c <= 5; ++c)
                row[std::size_t(c + 3)] = Value::number(LeadingNumber(dummy.text(r, c).trimmed()));
    }
}

} // namespace rer
