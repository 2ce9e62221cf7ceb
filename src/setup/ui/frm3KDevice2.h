#pragma once
#include "setup/ui/DeviceDialog.h"

namespace rer {

// The one-axis actuator selection dialog.
class frm3KDevice2 : public DeviceDialog {
    Q_OBJECT
public:
    explicit frm3KDevice2(AppContext& ctx, QWidget* parent = nullptr)
        : DeviceDialog(ctx, Product::OneAxis, parent) {
        setObjectName(QStringLiteral("frm3KDevice2"));
    }
};

} // namespace rer
