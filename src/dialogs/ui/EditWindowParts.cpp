#include "dialogs/ui/EditWindowParts.h"

#include "dialogs/GrpWindow.h"

#include <QKeyEvent>
#include <QPushButton>

namespace rer {

int KeyAsciiOf(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Backspace: return kKeyBack;
    case Qt::Key_Tab: return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    default: break;
    }
    const QString t = e.text();
    if (t.isEmpty() || !t.at(0).isPrint()) return -1;
    return t.at(0).unicode();
}

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace rer
