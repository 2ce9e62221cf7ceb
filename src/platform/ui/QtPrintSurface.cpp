#include "platform/ui/QtPrintSurface.h"

#include "platform/FileWriter.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPen>

namespace rer {

QtPrintSurface::QtPrintSurface() : printer_(QPrinter::HighResolution) {
    font_.setFamilies(familiesFor(QStringLiteral("century")));
    font_.setPointSizeF(10);
}

QtPrintSurface::~QtPrintSurface() {
    if (painter_.isActive()) painter_.end();
    dropFileDocument();
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
    fileFailure_.reset();
    QPagedPaintDevice* device = &printer_;
    // QPrinter would empty the file when painting begins and write the pages
    // into it as they come: a PDF file gets the document only once it is
    // whole.
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) {
        fileTarget_ = printer_.outputFileName();
        fileBytes_ = std::make_unique<QBuffer>();
        fileBytes_->open(QIODevice::WriteOnly);
        pdf_ = std::make_unique<QPdfWriter>(fileBytes_.get());
        pdf_->setResolution(printer_.resolution());
        pdf_->setPageLayout(printer_.pageLayout());
        pdf_->setPdfVersion(printer_.pdfVersion());
        pdf_->setTitle(printer_.docName());
        pdf_->setCreator(printer_.creator());
        device = pdf_.get();
    }
    if (!painter_.begin(device)) {
        failed_ = true;
        return false;
    }
    painter_.setFont(font_);
    return true;
}

void QtPrintSurface::dropFileDocument() {
    pdf_.reset();
    fileBytes_.reset();
    fileTarget_.clear();
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
    if (begin() && !(pdf_ ? pdf_->newPage() : printer_.newPage())) failed_ = true;
    moveTo(0, 0);
}

bool QtPrintSurface::endDoc() {
    bool good = begin();
    if (painter_.isActive() && !painter_.end()) good = false;
    good = good && !failed_;
    if (pdf_) {
        const QString target = fileTarget_;
        const QByteArray bytes = good ? fileBytes_->data() : QByteArray();
        dropFileDocument();
        const WriteFailure why =
            !good ? WriteFailure{QStringLiteral("ページを描画できませんでした。"), QStringLiteral("The pages could not be drawn.")}
            : bytes.isEmpty()
                ? WriteFailure{QStringLiteral("印刷する文書が空になりました。"), QStringLiteral("The document came out empty.")}
                : WriteWholeFile(target, bytes);
        if (why.failed()) {
            fileFailure_ = PrintFileFailure{target, why};
            good = false;
        }
    } else {
        good = good && printer_.printerState() != QPrinter::Error;
    }
    failed_ = false;
    moveTo(0, 0);
    return good;
}

void QtPrintSurface::abortDoc() {
    if (painter_.isActive()) {
        if (!pdf_) printer_.abort();
        painter_.end();
    }
    dropFileDocument();
    failed_ = false;
    moveTo(0, 0);
}

} // namespace rer
