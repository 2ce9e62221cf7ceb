#include "platform/ui/QtPrintSurface.h"

#include <QFontMetricsF>
#include <QPen>

namespace rer {

QtPrintSurface::QtPrintSurface() : printer_(QPrinter::HighResolution) {
    font_.setFamilies(familiesFor(QStringLiteral("century")));
    font_.setPointSizeF(10);
}

QtPrintSurface::~QtPrintSurface() {
    if (painter_.isActive()) painter_.end();
}

QStringList QtPrintSurface::familiesFor(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n.contains(QStringLiteral("明朝")) || n.contains(QStringLiteral("mincho")))
        return {QStringLiteral("IPAMincho"), QStringLiteral("IPAPMincho"), QStringLiteral("IPAGothic"),
                QStringLiteral("DejaVu Serif")};
    // A narrow serif face (Times New Roman's widths) keeps the English
    // listings near their own size in columns laid out for other fonts.
    if (n.contains(QStringLiteral("century")))
        return {QStringLiteral("Liberation Serif"), QStringLiteral("Nimbus Roman"), QStringLiteral("Times New Roman"),
                QStringLiteral("DejaVu Serif"), QStringLiteral("IPAMincho")};
    return {name, QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic")};
}

void QtPrintSurface::setFont(const QString& name, double points, bool bold, bool italic) {
    font_ = QFont();
    font_.setFamilies(familiesFor(name));
    font_.setPointSizeF(points);
    font_.setBold(bold);
    font_.setItalic(italic);
    if (painter_.isActive()) painter_.setFont(font_);
}

double QtPrintSurface::pxPerUnit() const {
    const double dpi = printer_.resolution();
    return scale_ == Scale::Millimetres ? dpi / 25.4 : dpi / 1440.0;
}

double QtPrintSurface::pageWidth() const {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).width() / pxPerUnit();
}

double QtPrintSurface::pageHeight() const {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).height() / pxPerUnit();
}

bool QtPrintSurface::begin() {
    if (failed_) return false;
    if (painter_.isActive()) return true;
    if (!painter_.begin(&printer_)) {
        failed_ = true;
        return false;
    }
    painter_.setFont(font_);
    return true;
}

double QtPrintSurface::textWidth(const QString& text) const {
    return QFontMetricsF(font_, &printer_).horizontalAdvance(text) / pxPerUnit();
}

double QtPrintSurface::textHeight(const QString&) const {
    return QFontMetricsF(font_, &printer_).height() / pxPerUnit();
}

void QtPrintSurface::print(const QString& text, bool lineEnd) {
    if (begin()) {
        const QFontMetricsF fm(font_, &printer_);
        painter_.setFont(font_);
        painter_.drawText(QPointF(x_ * pxPerUnit(), y_ * pxPerUnit() + fm.ascent()), text);
    }
    advance(text, lineEnd);
}

void QtPrintSurface::line(double x1, double y1, double x2, double y2) {
    if (begin()) {
        const double k = pxPerUnit();
        // Rules a quarter of a millimetre wide, whatever the printer's resolution.
        painter_.setPen(QPen(Qt::black, 0.25 * printer_.resolution() / 25.4));
        painter_.drawLine(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k));
    }
    moveTo(x2, y2);
}

void QtPrintSurface::newPage() {
    if (begin() && !printer_.newPage()) failed_ = true;
    moveTo(0, 0);
}

bool QtPrintSurface::endDoc() {
    const bool ok = begin();
    if (painter_.isActive()) painter_.end();
    const bool good = ok && !failed_ && printer_.printerState() != QPrinter::Error;
    failed_ = false;
    moveTo(0, 0);
    return good;
}

void QtPrintSurface::abortDoc() {
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
    failed_ = false;
    moveTo(0, 0);
}

} // namespace rer
