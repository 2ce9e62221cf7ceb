#include "app/AppContext.h"
#include "catalogue/Conversion.h"
#include "files/Decimal.h"
#include "files/PosiFile.h"
#include "files/Value.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionGrid.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

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

// A cell whose text is not wholly a number: it would go out as a number the
// user does not see.
struct NotANumber {
    int row, col;
    QString text;
};

// The lines that name the cells that are not numbers, a few of them, and
// how many more there are.
QString notANumberLines(const AppContext& ctx, Product p, const std::vector<NotANumber>& cells) {
    constexpr size_t kNamed = 10;
    constexpr qsizetype kShown = 20; // characters of a cell's text
    QString out;
    if (cells.empty()) return out;
    out += QStringLiteral("\r\n");
    for (size_t i = 0; i < std::min(cells.size(), kNamed); ++i) {
        const NotANumber& n = cells[i];
        const QString t = n.text.size() > kShown ? n.text.left(kShown) + QChar(0x2026) : n.text;
        out += ctx.pick(QStringLiteral("\r\nポジションNo%1 %2：「%3」は数値ではありません。"),
                        QStringLiteral("\r\nPosition No.%1 %2: \"%3\" is not a number."))
                   .arg(n.row)
                   .arg(PosiColumnCaption(p, n.col, ctx.opt.LanguageNo), t);
    }
    if (cells.size() > kNamed)
        out += ctx.pick(QStringLiteral("\r\n（ほかに数値でないセルが%1個あります）"),
                        QStringLiteral("\r\n(and %1 more cells that are not numbers)"))
                   .arg(cells.size() - kNamed);
    return out;
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

    // A cell whose text is not wholly a number is a bad cell, never its
    // leading number: "44,44" from a spreadsheet would go out as 44.
    std::vector<NotANumber> notNumbers;
    for (int r = first; r <= end; ++r) {
        bool bad = false;
        for (int c = 1; c < last; ++c) {
            const QString& t = g.text(r, c);
            if (t.trimmed().isEmpty()) {
                bad = true;
                continue;
            }
            const std::optional<double> v = StrictNumber(t);
            if (!v) {
                notNumbers.push_back({r, c, t.trimmed()});
                bad = true;
                continue;
            }
            if (bad) continue;
            const GridColumn col = ColumnOf(p, c);
            if (col.kind == CellKind::Posi) {
                bad = !positionGood(*v, mm, axes[std::size_t(col.axis)]);
            } else {
                const double n = RoundDecimal(*v, 0, HalfRule::ToEven);
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

    // A table of texts that are not numbers is no empty table.
    if (m.SumOfMukoPosi == 399 && notNumbers.empty()) {
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
                                            " Position No.") + m.Error_Posi + QStringLiteral(".")) +
                    notANumberLines(ctx, p, notNumbers));
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
                const double v = StrictNumber(g.text(r, c)).value_or(0);
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
                row[std::size_t(col.dataCol)] = Value::number(StrictNumber(g.text(r, c)).value_or(0));
            }
        }
        if (p == Product::OneAxis)
            for (int c = 1; c <= 5; ++c)
                row[std::size_t(c + 3)] = Value::number(LeadingNumber(dummy.text(r, c).trimmed()));
    }
}

} // namespace rer
