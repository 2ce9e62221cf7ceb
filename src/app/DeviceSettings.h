#pragma once
#include "app/ProgramState.h"

namespace rer {

class AppContext;

// The saved actuator choice of each axis the product uses (both for the
// two-axis product, the first for the one-axis product; LoadDeviceSetting /
// W3kLoadDeviceSetting): 0 when they are usable, 1 when one is not. The
// new-type, vertical and PG flags are kept per product; the one-axis product
// reads the key once shared by both where its own is absent.
int LoadDeviceSetting(AppContext& ctx, Product p);
// SaveDeviceSetting / W3kSaveDeviceSetting: the axes the product uses.
void SaveDeviceSetting(AppContext& ctx, Product p);

// MoveTimeout from the settings; returns 0.
int LoadMoveTimeout(AppContext& ctx);
// The teaching and jog speeds, each forced into its range; returns 0. A
// stored value that is not a whole number in the 16-bit range stops the load
// with its message and returns 1: the values read before it are taken, it and
// the ones after it keep what they held.
int LoadTeachSetting(AppContext& ctx);

} // namespace rer
