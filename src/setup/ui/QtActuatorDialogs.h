#pragma once
#include "setup/ActuatorDialogs.h"

class QWidget;

namespace rer {

class AppContext;

// The actuator dialogs as windows: frmDevice2 or frm3KDevice2, modal over
// the given parent.
class QtActuatorDialogs : public ActuatorDialogs {
public:
    QtActuatorDialogs(AppContext& ctx, QWidget* parent) : ctx_(ctx), parent_(parent) {}
    bool Run(Product p, bool pgCheckHyoji) override;

private:
    AppContext& ctx_;
    QWidget* parent_;
};

} // namespace rer
