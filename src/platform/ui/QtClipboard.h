#pragma once
#include "platform/Clipboard.h"

namespace rer {

// The application's QClipboard.
class QtClipboard : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
};

} // namespace rer
