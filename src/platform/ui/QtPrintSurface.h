#pragma once
#include "platform/PrintSurface.h"

#include <QFont>
#include <QPainter>
#include <QPrinter>

namespace rer {

// QPainter on a QPrinter: a real printer chosen in the print dialog, or a PDF
// file. The printer fonts of the listings map to installed fonts that hold
// every character ("ＭＳ 明朝" to IPA Mincho, "century" to Liberation Serif).
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

    // The families a printer font name maps to.
    static QStringList familiesFor(const QString& name);

private:
    bool begin();
    double pxPerUnit() const;
    QPrinter printer_;
    QPainter painter_;
    QFont font_;
    Scale scale_ = Scale::Twips;
    bool failed_ = false;
};

} // namespace rer
