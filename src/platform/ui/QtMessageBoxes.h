#pragma once
#include "platform/MessageBoxes.h"

namespace rer {

// QMessageBox over the active window.
class QtMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(const QString& text, const QString& title, MsgIcon icon,
                   MsgButtons buttons) override;
};

} // namespace rer
