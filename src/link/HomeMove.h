#pragma once
#include <cstdint>

namespace rer {

class ControllerLink;

// The home and move helpers. Each is refused as a whole while another job
// holds the controller: kLinkBusy, and nothing sent, no port closed, no
// flag or lamp changed, nothing shown.

// Home return under the move time-out; 0 done, 1 failed, kLinkBusy.
int HomeReturnMove(ControllerLink& link);
// The same with no limit on the link check.
int HomeReturnMoveNoTimeout(ControllerLink& link);
// 1 homed, 0 not homed, -1 the exchange failed, kLinkBusy refused.
int ReadHomeState(ControllerLink& link);
// Moves to a stored position (0 = home); 0 done, 1 failed, kLinkBusy.
// Numbers outside 0..399 are refused before anything is sent.
int MovePosiNo(ControllerLink& link, int posiNo);

} // namespace rer
