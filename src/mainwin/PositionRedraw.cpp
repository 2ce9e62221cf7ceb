#include "mainwin/PositionRedraw.h"

#include "app/AppContext.h"
#include "files/Decimal.h"
#include "link/TextHelpers.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/PositionGrid.h"

namespace rer {

namespace {

QString numberText(const Value& v) {
    return ShortestText(v.toNumber());
}

// A position cell: 7 characters with blanks in front; a longer text whole.
QString positionText(const AppContext& ctx, int row, int axis) {
    const auto& pv = ctx.pos.PosiValue[std::size_t(row)];
    const Value& pulses = pv[std::size_t(axis)];
    // An empty pulse value shows 0, as an empty mm value shows 0.000.
    const QString t = ctx.opt.DispMmUnit ? FormatFixed(pv[std::size_t(axis + 2)].toNumber(), 3)
                      : pulses.isEmpty() ? QStringLiteral("0")
                                         : pulses.toText().trimmed();
    return PadRight(t, 7).value_or(t);
}

} // namespace

void RedrawPositionGrid(AppContext& ctx, Product p) {
    const PosiDataTable& data = ctx.pos.of(p).PosiData;
    PositionGrid& g = ctx.grid.of(p);
    {
        PositionGrid::Hidden hide(g);
        for (int r = 1; r < kPosiRows; ++r) {
            const auto& row = data[std::size_t(r)];
            for (int c = 1; c <= LastColumn(p); ++c) {
                const GridColumn col = ColumnOf(p, c);
                QString t;
                if (col.kind == CellKind::Posi)
                    t = positionText(ctx, r, col.axis);
                else if (col.kind == CellKind::Comment)
                    t = row[std::size_t(col.dataCol)].toText();
                else
                    t = numberText(row[std::size_t(col.dataCol)]);
                g.setText(r, c, t);
            }
        }
    }
    if (p != Product::OneAxis) return;
    // VEL2, ACC2, WAY2, POSI2 and ITPL travel with the one-axis table.
    PositionGrid& dummy = ctx.grid.flgdDummy;
    PositionGrid::Hidden hide(dummy);
    for (int r = 1; r < kPosiRows; ++r)
        for (int c = 1; c <= 5; ++c) dummy.setText(r, c, numberText(data[std::size_t(r)][std::size_t(c + 3)]));
}

} // namespace rer
