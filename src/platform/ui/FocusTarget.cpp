#include "platform/ui/FocusTarget.h"

#include <QLineEdit>
#include <QWidget>

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

void SetTabChain(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

} // namespace rer
