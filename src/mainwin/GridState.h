#pragma once
#include "app/ProgramState.h"
#include "mainwin/PositionGrid.h"

#include <functional>

namespace rer {

// The position grids of the main window: the two-axis grid flgdData
// (13 columns), the one-axis grid flgdDataW3k (8 columns) and the hidden
// carrier flgdDummy of the one-axis table's axis-2 and ITPL cells (6 columns).
struct GridState {
    GridState() {
        for (PositionGrid* g : {&flgdData, &flgdDataW3k, &flgdDummy}) g->setText(0, 0, QStringLiteral("No."));
    }

    PositionGrid flgdData{400, 13};
    PositionGrid flgdDataW3k{400, 8};
    PositionGrid flgdDummy{400, 6};

    // Takes text pending in the in-cell editor into its cell (set by the main
    // window; every command that rewrites the grid calls it first).
    std::function<void()> commitPendingEdit;

    PositionGrid& of(Product p) { return p == Product::TwoAxis ? flgdData : flgdDataW3k; }
    const PositionGrid& of(Product p) const { return p == Product::TwoAxis ? flgdData : flgdDataW3k; }
};

} // namespace rer
