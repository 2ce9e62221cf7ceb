#pragma once
#include <QString>

namespace rer {

// The system clipboard as the position grid uses it: plain text only.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's plain text; empty when it holds none.
    virtual QString text() const = 0;
    // Replaces the clipboard's content by the text.
    virtual void setText(const QString& text) = 0;
};

} // namespace rer
