#pragma once
// A printer that records everything drawn: a page of 190 x 277 mm printable
// (A4 inside margins of 10 mm) unless a test sets another, with fixed text
// metrics. `failFile` makes every document fail at its end as a print to a
// file that did not reach it.
#include "platform/PrintSurface.h"

#include <QString>
#include <optional>
#include <vector>

namespace rer {

class RecordingPrintSurface : public CursorPrintSurface {
public:
    struct Op {
        enum Kind { Text, Line, NewPage, EndDoc, AbortDoc } kind;
        QString text;
        double x = 0, y = 0, x2 = 0, y2 = 0;
        QString font;
        double points = 0;
        int page = 1;
    };

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

    // Texts printed, in order; the texts of one page.
    std::vector<QString> texts() const;
    std::vector<QString> textsOfPage(int page) const;
    int pages() const { return page_; }

    std::vector<Op> ops;
    double pageWidthMm = 190;
    double pageHeightMm = 277;
    bool failOnEnd = false;
    std::optional<PrintFileFailure> failFile;
    std::optional<PrintFileFailure> fileFailure() const override { return failed_; }

private:
    double toUnits(double mm) const { return scale_ == Scale::Millimetres ? mm : mm * 1440.0 / 25.4; }
    Scale scale_ = Scale::Twips;
    QString font_;
    double points_ = 10;
    int page_ = 1;
    std::optional<PrintFileFailure> failed_;
};

} // namespace rer
