#pragma once
#include <QKeyEvent>

namespace rer {

// The character code a key press types into a box (13 Enter, 8 Backspace,
// otherwise the character), or 0 for a key that types nothing there
// (movement keys, shortcuts such as paste).
inline int TypedKeyCode(const QKeyEvent& k) {
    if (k.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
    if (k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter) return 13;
    if (k.key() == Qt::Key_Backspace) return 8;
    if (!k.text().isEmpty() && k.text().at(0).unicode() >= 32) return k.text().at(0).unicode();
    return 0;
}

} // namespace rer
