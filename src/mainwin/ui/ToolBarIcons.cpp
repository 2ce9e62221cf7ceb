#include "mainwin/ui/ToolBarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>

namespace rer {

namespace {

const QColor kInk(64, 64, 64);
const QColor kPaper(Qt::white);

// An icon drawn at the usual toolbar sizes; the drawing works on a 24 x 24
// grid.
QIcon Drawn(const std::function<void(QPainter&)>& draw) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 24.0, size / 24.0);
        p.setPen(QPen(kInk, 1.2));
        draw(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

// A sheet of paper with ruled lines and a folded corner.
void Sheet(QPainter& p, const QRectF& r) {
    const qreal fold = r.width() / 3;
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
    p.save();
    p.setPen(QPen(QColor(110, 130, 170), 1));
    for (qreal y = r.top() + fold + 2.5; y < r.bottom() - 1.5; y += 2.5)
        p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
    p.restore();
}

QIcon Printer() {
    return Drawn([](QPainter& p) {
        // Paper in, the body with its slot, the printed sheet out.
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 2.5, 11, 7));
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 1.5, 1.5);
        p.setBrush(QColor(60, 180, 60));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(18.5, 11.5), 1, 1);
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 14.5, 11, 7));
        p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
        p.drawLine(QPointF(8.5, 19), QPointF(15.5, 19));
    });
}

QIcon Copy() {
    return Drawn([](QPainter& p) {
        Sheet(p, QRectF(3.5, 2.5, 11, 14));
        Sheet(p, QRectF(9.5, 7.5, 11, 14));
    });
}

QIcon Paste() {
    return Drawn([](QPainter& p) {
        // A clipboard with its clip and a sheet laid on it.
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(3.5, 3.5, 14, 18), 1.5, 1.5);
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(QRectF(7, 1.5, 7, 4), 1, 1);
        Sheet(p, QRectF(10.5, 8.5, 10, 13));
    });
}

} // namespace

QIcon ToolBarIcon(const QString& key, const QStyle& style) {
    if (key == QLatin1String("New"))
        return QIcon::fromTheme(QStringLiteral("document-new"), style.standardIcon(QStyle::SP_FileIcon));
    if (key == QLatin1String("Open"))
        return QIcon::fromTheme(QStringLiteral("document-open"), style.standardIcon(QStyle::SP_DialogOpenButton));
    if (key == QLatin1String("Save"))
        return QIcon::fromTheme(QStringLiteral("document-save"), style.standardIcon(QStyle::SP_DialogSaveButton));
    if (key == QLatin1String("Print")) return QIcon::fromTheme(QStringLiteral("document-print"), Printer());
    if (key == QLatin1String("Read")) return style.standardIcon(QStyle::SP_ArrowDown);
    if (key == QLatin1String("Load")) return style.standardIcon(QStyle::SP_ArrowUp);
    if (key == QLatin1String("Shogo")) return style.standardIcon(QStyle::SP_DialogApplyButton);
    if (key == QLatin1String("Copy")) return QIcon::fromTheme(QStringLiteral("edit-copy"), Copy());
    if (key == QLatin1String("Paste")) return QIcon::fromTheme(QStringLiteral("edit-paste"), Paste());
    return QIcon();
}

} // namespace rer
