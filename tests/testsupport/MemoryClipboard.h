#pragma once
// A clipboard in memory.
#include "platform/Clipboard.h"

#include <QString>

namespace rer {

class MemoryClipboard : public Clipboard {
public:
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }

private:
    QString text_;
};

} // namespace rer
