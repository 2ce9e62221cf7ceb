#pragma once
#include <QString>
#include <vector>

namespace rer {

// The printer as the listings use it: a page with a current position, texts
// printed at it, lines, page breaks. Coordinates are in the current scale
// (twips or millimetres) from the top-left of the printable area.
class PrintSurface {
public:
    enum class Scale { Twips, Millimetres };

    virtual ~PrintSurface() = default;
    virtual void setFont(const QString& name, double points, bool bold = false, bool italic = false) = 0;
    virtual void setScale(Scale s) = 0;
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    // Prints at the current position. With a line end the position moves to
    // the start of the next line, otherwise to the end of the text.
    virtual void print(const QString& text, bool lineEnd = true) = 0;
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;
    virtual void line(double x1, double y1, double x2, double y2) = 0;
    virtual void newPage() = 0;
    // Ends the document and sends it; false when the printer failed.
    virtual bool endDoc() = 0;
    virtual void abortDoc() = 0;
};

// Test double: an A4 page (190 x 277 mm printable) with fixed text metrics;
// records everything drawn.
class RecordingPrintSurface : public PrintSurface {
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
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
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
    bool failOnEnd = false;

private:
    double toUnits(double mm) const { return scale_ == Scale::Millimetres ? mm : mm * 1440.0 / 25.4; }
    Scale scale_ = Scale::Twips;
    double x_ = 0, y_ = 0;
    QString font_;
    double points_ = 10;
    int page_ = 1;
};

} // namespace rer
