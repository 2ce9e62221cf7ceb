#pragma once

namespace rer {

struct LinkState;

// The move clock: how long the move transaction waits for a motion to end.
// Times are seconds since midnight, read from the system clock by the caller.
void StartMoveTimer(LinkState& l, double now);
// Sets MoveTimeoutFlag once the time since the start reaches the limit; the
// clock wraps at midnight.
void CheckMoveTimer(LinkState& l, double moveTimeout, double now);
// Seconds since the start, over midnight as the controller tool counts them.
double MoveElapsed(double start, double now);

} // namespace rer
