#include "platform/ui/FocusTarget.h"

#include <QLineEdit>

namespace rer {

QLineEdit* NewFocusTarget(QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QStringLiteral("txtDummy"));
    e->setFixedSize(1, 1);
    e->setFrame(false);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

} // namespace rer
