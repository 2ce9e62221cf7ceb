#pragma once
#include "app/ProgramState.h"

namespace rer {

class AppContext;

// KzDataHyoji / W3kKzDataHyoji: the editor table of the product shown in its
// grid. Numeric cells show their number ("0" when empty); the positions come
// from PosiValue, in mm ("#0.000") or pulses by DispMmUnit, blanks in front
// up to 7 characters. The one-axis table's axis-2 and ITPL cells go to the
// hidden carrier grid. The change mark is left alone.
void RedrawPositionGrid(AppContext& ctx, Product p);

} // namespace rer
