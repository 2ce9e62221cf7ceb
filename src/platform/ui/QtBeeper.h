#pragma once
#include "platform/Beeper.h"

namespace rer {

// QApplication::beep().
class QtBeeper : public Beeper {
public:
    void beep() override;
};

} // namespace rer
