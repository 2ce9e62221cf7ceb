#pragma once
#include "app/ProgramState.h"

#include <QStringList>
#include <vector>

namespace rer {

class AppContext;

// One row of a verification result: a position that differs and the mark of
// each compared item (two-axis 11 items, one-axis 6).
struct ShogoRow {
    int posiNo = 0;
    std::vector<bool> differs;
};

// The differing positions of the compared range, in ascending order.
std::vector<ShogoRow> ShogoResultRows(const AppContext& ctx, Product p);
// Column headers of the result grid, "No." first.
QStringList ShogoHeaders(int languageNo, Product p);

} // namespace rer
