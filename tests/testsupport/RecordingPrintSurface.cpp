#include "testsupport/RecordingPrintSurface.h"

namespace rer {

void RecordingPrintSurface::setFont(const QString& name, double points, bool, bool) {
    font_ = name;
    points_ = points;
}

double RecordingPrintSurface::pageWidth() const { return toUnits(pageWidthMm); }
double RecordingPrintSurface::pageHeight() const { return toUnits(pageHeightMm); }

// Every character is half an em wide; a line is 1.2 em high.
double RecordingPrintSurface::textWidth(const QString& text) const {
    return toUnits(text.size() * points_ * 0.5 * 25.4 / 72.0);
}

double RecordingPrintSurface::textHeight(const QString&) const {
    return toUnits(points_ * 1.2 * 25.4 / 72.0);
}

void RecordingPrintSurface::print(const QString& text, bool lineEnd) {
    Op op{Op::Text, text, x_, y_, 0, 0, font_, points_, page_};
    ops.push_back(op);
    advance(text, lineEnd);
}

void RecordingPrintSurface::line(double x1, double y1, double x2, double y2) {
    ops.push_back({Op::Line, QString(), x1, y1, x2, y2, font_, points_, page_});
    moveTo(x2, y2);
}

void RecordingPrintSurface::newPage() {
    ops.push_back({Op::NewPage, QString(), 0, 0, 0, 0, font_, points_, page_});
    ++page_;
    moveTo(0, 0);
}

bool RecordingPrintSurface::endDoc() {
    ops.push_back({Op::EndDoc, QString(), 0, 0, 0, 0, font_, points_, page_});
    failed_ = failFile;
    return !failOnEnd && !failFile;
}

void RecordingPrintSurface::abortDoc() {
    ops.push_back({Op::AbortDoc, QString(), 0, 0, 0, 0, font_, points_, page_});
    failed_.reset();
}

std::vector<QString> RecordingPrintSurface::texts() const {
    std::vector<QString> out;
    for (const auto& op : ops)
        if (op.kind == Op::Text) out.push_back(op.text);
    return out;
}

std::vector<QString> RecordingPrintSurface::textsOfPage(int page) const {
    std::vector<QString> out;
    for (const auto& op : ops)
        if (op.kind == Op::Text && op.page == page) out.push_back(op.text);
    return out;
}

} // namespace rer
