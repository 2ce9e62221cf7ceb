#pragma once
#include "platform/PrintSurface.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <memory>

class QBuffer;
class QPdfWriter;

namespace rer {

// QPainter on a QPrinter: a real printer chosen in the print dialog, or a PDF
// file. The printer fonts of the listings map to installed fonts that hold
// every character ("ＭＳ 明朝" to IPA Mincho, "century" to Liberation Serif).
//
// A print to a PDF file is drawn in memory, with the printer's page and
// resolution, and written beside the file only at the end of the document,
// which then replaces the former file; a print that fails or is abandoned,
// or a program that ends meanwhile, leaves the former file as it was (in a
// folder that takes no new file: in its copy, see WriteWholeFile).
class QtPrintSurface : public CursorPrintSurface {
public:
    QtPrintSurface();
    ~QtPrintSurface() override;

    QPrinter& printer() { return printer_; }

    void setFont(const QString& name, double points, bool bold, bool italic) override;
    void setScale(Scale s) override { scale_ = s; }
    double pageWidth() const override;
    double pageHeight() const override;
    void print(const QString& text, bool lineEnd) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;
    void line(double x1, double y1, double x2, double y2) override;
    void newPage() override;
    bool endDoc() override;
    void abortDoc() override;
    std::optional<PrintFileFailure> fileFailure() const override { return fileFailure_; }

    // The families a printer font name maps to.
    static QStringList familiesFor(const QString& name);

private:
    bool begin();
    // Drops the document drawn for a file, writing nothing.
    void dropFileDocument();
    double pxPerUnit() const;
    QPrinter printer_;
    QPainter painter_;
    QFont font_;
    Scale scale_ = Scale::Twips;
    bool failed_ = false;
    // The document of a print to a file, while it is drawn.
    QString fileTarget_;
    std::unique_ptr<QBuffer> fileBytes_;
    std::unique_ptr<QPdfWriter> pdf_;
    std::optional<PrintFileFailure> fileFailure_;
};

} // namespace rer
