#include "link/MoveClock.h"

#include "link/LinkState.h"

namespace rer {

void StartMoveTimer(LinkState& l, double now) {
    l.MoveTimeoutFlag = false;
    l.MoveEnd = false;
    l.MoveTimerStart = now;
}

double MoveElapsed(double start, double now) {
    return now < start ? 86399 - start + now : now - start;
}

void CheckMoveTimer(LinkState& l, double moveTimeout, double now) {
    if (MoveElapsed(l.MoveTimerStart, now) >= moveTimeout) l.MoveTimeoutFlag = true;
}

} // namespace rer
