#pragma once
// A beeper that counts its beeps.
#include "platform/Beeper.h"

namespace rer {

class CountingBeeper : public Beeper {
public:
    void beep() override { ++count; }
    int count = 0;
};

} // namespace rer
