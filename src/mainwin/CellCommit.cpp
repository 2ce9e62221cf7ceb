#include "app/AppContext.h"
#include "catalogue/Conversion.h"
#include "files/Decimal.h"
#include "files/Value.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionGrid.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace rer {

namespace {

// A typed millimetre value cut (not rounded) to at most 7 characters and 3
// decimals. Nothing when the whole part alone is longer than 7 digits: the
// cut would change the number's magnitude; nor for a number that does not
// fit a double at all.
std::optional<double> cutMm(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const QString s = ShortestText(x);
    const qsizetype point = s.indexOf(QLatin1Char('.'));
    if ((point < 0 ? s.size() : point) > 7) return std::nullopt;
    QString cut;
    int counter = 7;
    for (QChar ch : s) {
        if (counter <= 0) break;
        cut += ch;
        counter = ch == QLatin1Char('.') ? 3 : counter - 1;
    }
    return LeadingNumber(cut);
}

// The millimetres of a pulse count with three decimals kept: the fraction is
// rounded to four decimals and then cut to three.
double mmOfPulses(double pulses, int lead, int ppr) {
    const double mm = PlsToMm(pulses, lead, ppr);
    const double whole = std::trunc(mm);
    const double f4 = RoundDecimal(mm - whole, 4, HalfRule::ToEven);
    const double f3 = std::trunc(Decimal12(f4 * 1000)) / 1000;
    return Decimal12(whole + f3);
}

} // namespace

CommitOutcome EditTorikomi(AppContext& ctx, Product p, const QString& editorText) {
    PositionGrid& g = ctx.grid.of(p);
    const int r = g.Row(), c = g.Col();
    const bool severalCells = g.RowSel() != r || g.ColSel() != c;
    const bool severalCols = g.ColSel() != c;
    const GridColumn col = ColumnOf(p, c);
    CommitOutcome out;
    if (r < 1 || r > 399 || col.kind == CellKind::None) {
        g.Tag = kDataChange;
        return out;
    }
    const AxisActuator& ax = ctx.dev.axes(p)[std::size_t(col.axis)];

    // The cell shows the number the leading-number rule takes; when that
    // rule left characters of the entry behind ("33,33" taken as 33), the
    // user hears it.
    const bool cut = col.kind != CellKind::Comment && !editorText.trimmed().isEmpty() && !StrictNumber(editorText);

    std::optional<QString> stored;
    switch (col.kind) {
    case CellKind::Comment: {
        QString t = editorText.trimmed();
        t.replace(QLatin1Char('"'), QLatin1Char('\''));
        if (!CommentFitsFile(t)) {
            // Refused: the cell keeps its former text.
            ctx.message(UnsavableCommentText(ctx), MsgButtons::Ok, MsgIcon::Exclamation);
            return out;
        }
        stored = t;
        break;
    }
    case CellKind::Posi: {
        const double x = LeadingNumber(editorText);
        auto& pv = ctx.pos.PosiValue[std::size_t(r)];
        if (!ctx.opt.DispMmUnit) {
            if (std::isfinite(x) && x == std::trunc(x) && x >= 0 && x <= double(ax.MaxPulse)) {
                const double mm = mmOfPulses(x, ax.Lead, ax.PPR);
                if (mm <= Decimal12(ax.MaxMm)) {
                    pv[std::size_t(col.axis)] = Value::number(x);
                    pv[std::size_t(col.axis + 2)] = Value::number(mm);
                    stored = PositionText(x, false);
                }
            }
        } else if (const auto y = cutMm(x); y && *y >= 0 && *y <= Decimal12(ax.MaxMm)) {
            const double rmm = Decimal12(MmRoundToPlsGrid(*y, ax.Lead, ctx.opt.MmRoundUp ? 1 : 0, ax.PPR));
            pv[std::size_t(col.axis)] = Value::number(MmToPls(rmm, ax.Lead, ax.PPR));
            pv[std::size_t(col.axis + 2)] = Value::number(rmm);
            stored = PositionText(rmm, true);
        }
        break;
    }
    default: {
        const double n = RoundDecimal(LeadingNumber(editorText), 0, HalfRule::ToEven);
        const CellRange range = RangeOf(col.kind, col.kind == CellKind::Acc && IsSpecialModel(ax));
        if (std::isfinite(n) && n >= range.lo && n <= range.hi) stored = QString::number(int(n));
        break;
    }
    }

    if (stored) {
        g.setSelection(g.RowSel(), c);
        if (severalCells) {
            const int r0 = std::min(r, g.RowSel()), r1 = std::max(r, g.RowSel());
            PositionGrid::Hidden hide(g);
            for (int k = r0; k <= r1; ++k) g.setText(k, c, *stored);
        } else {
            g.setText(r, c, *stored);
        }
        out.accepted = true;
        out.beep = severalCols || cut;
    } else {
        if (severalCols) g.setSelection(r, c);
        g.setText(r, c, QString());
        out.beep = true;
    }
    g.Tag = kDataChange;
    return out;
}

} // namespace rer
