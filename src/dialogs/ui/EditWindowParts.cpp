#include "dialogs/ui/EditWindowParts.h"

#include <QPushButton>

namespace rer {

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace rer
