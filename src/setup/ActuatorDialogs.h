#pragma once
#include "app/ProgramState.h"

namespace rer {

// Runs the actuator selection dialog of a product (frmDevice2 for the
// two-axis product, frm3KDevice2 for the one-axis product) modally.
class ActuatorDialogs {
public:
    virtual ~ActuatorDialogs() = default;
    // pgCheckHyoji is handed to the dialog as its opener sets it. Returns
    // the dialog's cancel flag (DeviceSelectCancel): true when it was left
    // through Cancel or its close box. After OK the choice stands in the
    // chosen values of the product and DevNotFound tells whether the
    // catalogue holds it.
    virtual bool Run(Product p, bool pgCheckHyoji) = 0;
};

} // namespace rer
