#pragma once
#include "app/ProgramState.h"

namespace rer {

class AppContext;

// The saved actuator choice of each axis (LoadDeviceSetting / W3kLoadDeviceSetting):
// 0 when both axes are usable, 1 when at least one is not.
int LoadDeviceSetting(AppContext& ctx, Product p);
// SaveDeviceSetting / W3kSaveDeviceSetting.
void SaveDeviceSetting(AppContext& ctx, Product p);

// MoveTimeout from the settings; returns 0.
int LoadMoveTimeout(AppContext& ctx);
// The teaching and jog speeds, each forced into its range; returns 0.
int LoadTeachSetting(AppContext& ctx);

} // namespace rer
