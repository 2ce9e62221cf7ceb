#pragma once
#include "setup/ui/DeviceDialog.h"

namespace rer {

// The two-axis actuator selection dialog.
class frmDevice2 : public DeviceDialog {
    Q_OBJECT
public:
    explicit frmDevice2(AppContext& ctx, QWidget* parent = nullptr)
        : DeviceDialog(ctx, Product::TwoAxis, parent) {
        setObjectName(QStringLiteral("frmDevice2"));
    }
};

} // namespace rer
