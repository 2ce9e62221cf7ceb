#include "setup/ui/QtActuatorDialogs.h"

#include "setup/ui/frm3KDevice2.h"
#include "setup/ui/frmDevice2.h"

#include <memory>

namespace rer {

bool QtActuatorDialogs::Run(Product p, bool pgCheckHyoji) {
    std::unique_ptr<DeviceDialog> dlg;
    if (p == Product::TwoAxis)
        dlg = std::make_unique<frmDevice2>(ctx_, parent_);
    else
        dlg = std::make_unique<frm3KDevice2>(ctx_, parent_);
    dlg->model().PgCheckHyoji = pgCheckHyoji;
    return dlg->runModal();
}

} // namespace rer
