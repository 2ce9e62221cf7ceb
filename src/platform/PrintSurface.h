#pragma once
#include "platform/FileWriter.h"

#include <QString>
#include <optional>

namespace rer {

// A print to a file that did not reach it: the file and why, in the
// program's two languages. The former file is then as it was, or, when the
// file was being written in place, in the copy that the reason names.
struct PrintFileFailure {
    QString file;
    WriteFailure reason;
};

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
    // Ends the document and sends it; false when the printer failed. A
    // document printed to a file replaces that file only here, once it is
    // whole.
    virtual bool endDoc() = 0;
    virtual void abortDoc() = 0;
    // Why the last document did not reach the file it was printed to;
    // nothing when it did, or when it went to a printer.
    virtual std::optional<PrintFileFailure> fileFailure() const { return std::nullopt; }
};

// A printer that keeps the current position itself: where a text or a line
// leaves it, and the top-left of a new page.
class CursorPrintSurface : public PrintSurface {
public:
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }

protected:
    // After a text: the start of the next line, or the end of the text.
    void advance(const QString& text, bool lineEnd) {
        if (lineEnd) {
            x_ = 0;
            y_ += textHeight(text);
        } else {
            x_ += textWidth(text);
        }
    }
    void moveTo(double x, double y) {
        x_ = x;
        y_ = y;
    }
    double x_ = 0, y_ = 0;
};

// Hands every call to another printer; a stand-in overrides what it does
// otherwise.
class ForwardingPrintSurface : public PrintSurface {
public:
    explicit ForwardingPrintSurface(PrintSurface& to) : to_(to) {}
    void setFont(const QString& name, double points, bool bold, bool italic) override {
        to_.setFont(name, points, bold, italic);
    }
    void setScale(Scale s) override { to_.setScale(s); }
    double pageWidth() const override { return to_.pageWidth(); }
    double pageHeight() const override { return to_.pageHeight(); }
    double currentX() const override { return to_.currentX(); }
    double currentY() const override { return to_.currentY(); }
    void setCurrentX(double x) override { to_.setCurrentX(x); }
    void setCurrentY(double y) override { to_.setCurrentY(y); }
    void print(const QString& text, bool lineEnd) override { to_.print(text, lineEnd); }
    double textWidth(const QString& text) const override { return to_.textWidth(text); }
    double textHeight(const QString& text) const override { return to_.textHeight(text); }
    void line(double x1, double y1, double x2, double y2) override { to_.line(x1, y1, x2, y2); }
    void newPage() override { to_.newPage(); }
    bool endDoc() override { return to_.endDoc(); }
    void abortDoc() override { to_.abortDoc(); }
    std::optional<PrintFileFailure> fileFailure() const override { return to_.fileFailure(); }

protected:
    PrintSurface& to_;
};

} // namespace rer
