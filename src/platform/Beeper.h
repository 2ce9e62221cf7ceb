#pragma once

namespace rer {

// The system's beep: what the user hears when a box drops a key they typed,
// when a cell takes less of an entry than was typed, or when a box or cell
// refuses a value.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

} // namespace rer
