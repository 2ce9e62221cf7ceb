#pragma once

namespace rer {

class ControllerLink;

// The main window's controller commands, without the window: the reset, the
// two mode changes and the version query. The window disables and enables
// its command families around them.
//
// Each returns 0 when it did its work, 1 when it did not (declined, or a
// failure already told), and kLinkBusy when another job holds the
// controller: then it has asked nothing, sent nothing, opened or closed no
// port and shown nothing.

// The reset "0AR": clears the alarm display on a good answer, shows the
// controller's error otherwise, and puts the controller in communication mode.
int CtResetProc(ControllerLink& link);

// External-start mode ("0CM0"), after the user's confirmation.
int GaibuModeChange(ControllerLink& link);
// Communication mode ("0CM1"), after the user's confirmation.
int TranceferModeChange(ControllerLink& link);

// Asks the controller for its version and shows it.
int CtVersionHyoji(ControllerLink& link);
// "0RV": CtVersion and status panel 1.
int GetVersionNo(ControllerLink& link);

// The alarm display from CtErrorReply with the fixed table of error texts.
void ErrorCheck2(ControllerLink& link);

} // namespace rer
