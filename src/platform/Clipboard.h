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

// Test double, and the clipboard of a program run without one: in memory.
class MemoryClipboard : public Clipboard {
public:
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }

private:
    QString text_;
};

} // namespace rer
