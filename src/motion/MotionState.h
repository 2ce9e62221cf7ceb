#pragma once

namespace rer {

// State of the motion windows that outlives one opening of a window: the
// I/O monitor's run flags and the motion-test window's first-opening flags.
struct MotionState {
    // I/O monitor.
    bool IoCheckTyu = false;   // the monitor is running
    bool IoCheckTeisi = false; // a stop of the monitor is requested
    // Motion-test window: set once when the main window loads.
    bool MoveFirstTime = false;
    bool MoveFirstTime2 = false;
};

} // namespace rer
