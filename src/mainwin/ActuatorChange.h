#pragma once
#include "app/ProgramState.h"

namespace rer {

class ActuatorDialogs;
class AppContext;
class MainWindowPort;

// What the actuator change needs of the main window besides its labels.
class ActuatorChangeHost {
public:
    virtual ~ActuatorChangeHost() = default;
    virtual void LineCmd_Muko() = 0;
    // The change button of the product (cmdChangeDev / cmdChangeDevW3k).
    virtual void SetChangeButtonEnabled(Product p, bool on) = 0;
};

// The main window's actuator change of either product (cmdChangeDev_Click /
// cmdChangeDevW3k_Click): warns when positions are shown in mm, runs the
// actuator dialog and commits its choice per axis. An axis's series, type,
// size, speed and stroke are committed together, and the choice is saved
// only once the catalogue has given every axis its lead and pulses per
// revolution; then the limits, model labels and pulse-rate texts follow.
void ChangeActuator(AppContext& ctx, Product p, MainWindowPort& win, ActuatorChangeHost& host,
                    ActuatorDialogs& dialogs);

} // namespace rer
