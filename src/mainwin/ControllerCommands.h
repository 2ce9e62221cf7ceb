#pragma once

namespace rer {

class ControllerLink;

// The main window's controller commands, without the window: the reset, the
// two mode changes and the version query. The window disables and enables
// its command families around them.

// The reset "0AR": clears the alarm display on a good answer, shows the
// controller's error otherwise, and puts the controller in communication mode.
void CtResetProc(ControllerLink& link);

// External-start mode ("0CM0"), after the user's confirmation.
void GaibuModeChange(ControllerLink& link);
// Communication mode ("0CM1"), after the user's confirmation.
void TranceferModeChange(ControllerLink& link);

// Asks the controller for its version and shows it.
void CtVersionHyoji(ControllerLink& link);
// "0RV": CtVersion and status panel 1; 0 read, 1 failed.
int GetVersionNo(ControllerLink& link);

// The alarm display from CtErrorReply with the fixed table of error texts.
void ErrorCheck2(ControllerLink& link);

} // namespace rer
