#include "motion/ui/SignalLamp.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace rer {

SignalLamp::SignalLamp(const QString& name, const QColor& colour, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(96, 96, 96));
    p.setBrush(colour);
    p.drawEllipse(1, 1, 14, 14);
    p.end();
    setPixmap(pm);
    setFixedSize(16, 16);
}

void SignalLamp::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) Q_EMIT doubleClicked();
    QLabel::mouseDoubleClickEvent(e);
}

} // namespace rer
