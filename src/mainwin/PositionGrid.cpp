#include "mainwin/PositionGrid.h"

#include <QStringList>
#include <algorithm>

namespace rer {

const QString PositionGrid::empty_;

PositionGrid::PositionGrid(int rows, int cols)
    : cols_(cols), rows_(std::size_t(std::max(rows, 1))), widths_(std::size_t(cols), 1000),
      aligns_(std::size_t(cols), Align::Centre) {
    for (auto& r : rows_) {
        r.cells.resize(std::size_t(cols));
        r.colours.assign(std::size_t(cols), kWindowColour);
    }
    if (!rows_.empty()) rows_[0].height = 300;
    if (Rows() < 2 || cols < 2) row_ = col_ = rowSel_ = colSel_ = 0;
}

void PositionGrid::setCols(int cols) {
    if (cols < 1 || cols == cols_) return;
    cols_ = cols;
    for (auto& r : rows_) {
        r.cells.resize(std::size_t(cols));
        r.colours.resize(std::size_t(cols), kWindowColour);
    }
    widths_.resize(std::size_t(cols), 1000);
    aligns_.resize(std::size_t(cols), Align::Centre);
    clampCurrent();
    refresh();
}

const QString& PositionGrid::text(int r, int c) const {
    return valid(r, c) ? rows_[std::size_t(r)].cells[std::size_t(c)] : empty_;
}

void PositionGrid::setText(int r, int c, const QString& t) {
    if (!valid(r, c)) return;
    QString& cell = rows_[std::size_t(r)].cells[std::size_t(c)];
    if (cell == t) return;
    cell = t;
    cellsChanged(r, c, r, c);
}

uint32_t PositionGrid::cellBackColor(int r, int c) const {
    return valid(r, c) ? rows_[std::size_t(r)].colours[std::size_t(c)] : kWindowColour;
}

void PositionGrid::setCellBackColor(int r, int c, uint32_t rgb) {
    if (!valid(r, c)) return;
    uint32_t& cell = rows_[std::size_t(r)].colours[std::size_t(c)];
    if (cell == rgb) return;
    cell = rgb;
    cellsChanged(r, c, r, c);
}

int PositionGrid::rowHeight(int r) const {
    return r >= 0 && r < Rows() ? rows_[std::size_t(r)].height : 0;
}

void PositionGrid::setRowHeight(int r, int twips) {
    if (r < 0 || r >= Rows() || rows_[std::size_t(r)].height == twips) return;
    rows_[std::size_t(r)].height = twips;
    refresh();
}

int PositionGrid::colWidth(int c) const {
    return c >= 0 && c < cols_ ? widths_[std::size_t(c)] : 0;
}

void PositionGrid::setColWidth(int c, int twips) {
    if (c < 0 || c >= cols_ || widths_[std::size_t(c)] == twips) return;
    widths_[std::size_t(c)] = twips;
    refresh();
}

PositionGrid::Align PositionGrid::colAlignment(int c) const {
    return c >= 0 && c < cols_ ? aligns_[std::size_t(c)] : Align::Centre;
}

void PositionGrid::setColAlignment(int c, Align a) {
    if (c < 0 || c >= cols_ || aligns_[std::size_t(c)] == a) return;
    aligns_[std::size_t(c)] = a;
    refresh();
}

void PositionGrid::setCurrent(int r, int c) {
    select(r, c, r, c);
}

void PositionGrid::setSelection(int rowSel, int colSel) {
    select(row_, col_, rowSel, colSel);
}

void PositionGrid::select(int r, int c, int rowSel, int colSel) {
    auto clampRow = [this](int v) { return std::clamp(v, 0, Rows() - 1); };
    auto clampCol = [this](int v) { return std::clamp(v, 0, cols_ - 1); };
    r = clampRow(r);
    c = clampCol(c);
    rowSel = clampRow(rowSel);
    colSel = clampCol(colSel);
    if (r == row_ && c == col_ && rowSel == rowSel_ && colSel == colSel_) return;
    row_ = r;
    col_ = c;
    rowSel_ = rowSel;
    colSel_ = colSel;
    currentChanged();
}

void PositionGrid::clampCurrent() {
    row_ = std::clamp(row_, 0, Rows() - 1);
    rowSel_ = std::clamp(rowSel_, 0, Rows() - 1);
    col_ = std::clamp(col_, 0, cols_ - 1);
    colSel_ = std::clamp(colSel_, 0, cols_ - 1);
}

QString PositionGrid::Clip() const {
    const int r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const int c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    QString out;
    for (int r = r0; r <= r1; ++r) {
        if (r > r0) out += QLatin1Char('\r');
        for (int c = c0; c <= c1; ++c) {
            if (c > c0) out += QLatin1Char('\t');
            out += text(r, c);
        }
    }
    return out;
}

void PositionGrid::AddItem(const QString& text, int index) {
    index = std::clamp(index, 0, Rows());
    RowData row;
    row.cells.resize(std::size_t(cols_));
    row.colours.assign(std::size_t(cols_), kWindowColour);
    const QStringList pieces = text.split(QLatin1Char('\t'));
    for (int c = 0; c < cols_ && c < pieces.size(); ++c) row.cells[std::size_t(c)] = pieces[c];
    rows_.insert(rows_.begin() + index, std::move(row));
    refresh();
}

void PositionGrid::RemoveItem(int index) {
    if (index < 0 || index >= Rows() || Rows() <= 1) return;
    rows_.erase(rows_.begin() + index);
    clampCurrent();
    refresh();
}

std::vector<QString> PositionGrid::snapshot() const {
    std::vector<QString> out;
    out.reserve(std::size_t(Rows() * cols_));
    for (const auto& r : rows_)
        for (const auto& c : r.cells) out.push_back(c);
    return out;
}

void PositionGrid::cellsChanged(int r0, int c0, int r1, int c1) {
    if (hidden_ > 0) {
        dirty_ = true;
        return;
    }
    if (observer_) observer_->gridCellsChanged(r0, c0, r1, c1);
}

void PositionGrid::refresh() {
    if (hidden_ > 0) {
        dirty_ = true;
        return;
    }
    if (observer_) observer_->gridRefresh();
}

void PositionGrid::currentChanged() {
    if (hidden_ > 0) {
        dirty_ = true;
        return;
    }
    if (observer_) observer_->gridCurrentChanged();
}

PositionGrid::Hidden::~Hidden() {
    if (--g_.hidden_ == 0 && g_.dirty_) {
        g_.dirty_ = false;
        g_.refresh();
    }
}

} // namespace rer
