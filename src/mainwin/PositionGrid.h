#pragma once
#include <QString>
#include <cstdint>
#include <vector>

namespace rer {

// What a view of a position grid is told. Changes made while the grid is
// hidden (see PositionGrid::Hidden) reach the view as one refresh.
class GridObserver {
public:
    virtual ~GridObserver() = default;
    // Texts or colours of the cells r0..r1 x c0..c1 changed.
    virtual void gridCellsChanged(int r0, int c0, int r1, int c1) = 0;
    // Anything may have changed: rows, texts, colours, widths, heights.
    virtual void gridRefresh() = 0;
    // The current cell or the selection changed.
    virtual void gridCurrentChanged() = 0;
};

// A grid of texts with a fixed header row 0 and a fixed column 0, a current
// cell and a selection, per-cell background colours, per-row heights and
// per-column widths and alignments, and a free tag text. The position grids
// are made of it; its view only shows it.
class PositionGrid {
public:
    static constexpr uint32_t kWindowColour = 0xFFFFFFFFu; // the view's own background
    enum class Align { Centre, Left };

    PositionGrid(int rows, int cols);

    int Rows() const { return int(rows_.size()); }
    int Cols() const { return cols_; }
    // Changes the column count of every row (new cells empty).
    void setCols(int cols);

    const QString& text(int r, int c) const;
    void setText(int r, int c, const QString& t);
    uint32_t cellBackColor(int r, int c) const;
    void setCellBackColor(int r, int c, uint32_t rgb);

    int rowHeight(int r) const; // twips
    void setRowHeight(int r, int twips);
    int colWidth(int c) const;  // twips
    void setColWidth(int c, int twips);
    Align colAlignment(int c) const;
    void setColAlignment(int c, Align a);

    // Current cell and the far corner of the selection.
    int Row() const { return row_; }
    int Col() const { return col_; }
    int RowSel() const { return rowSel_; }
    int ColSel() const { return colSel_; }
    // Makes (r, c) current; the selection shrinks to it.
    void setCurrent(int r, int c);
    void setRow(int r) { setCurrent(r, col_); }
    void setCol(int c) { setCurrent(row_, c); }
    // Sets the far corner of the selection.
    void setSelection(int rowSel, int colSel);
    // Current cell and selection together (what a view reports).
    void select(int r, int c, int rowSel, int colSel);

    // The texts of the selected range: Tab between cells, CR between rows,
    // nothing after the last row.
    QString Clip() const;

    // Inserts a row at index whose cells take the Tab-separated pieces of the
    // text in order; the rows from index on move down.
    void AddItem(const QString& text, int index);
    // Removes the row at index; the rows below move up.
    void RemoveItem(int index);

    // The change mark ("DataChange" or empty).
    QString Tag;

    // Hides the grid from its view for the scope: the view is refreshed once
    // when the last scope ends.
    class Hidden {
    public:
        explicit Hidden(PositionGrid& g) : g_(g) { ++g_.hidden_; }
        ~Hidden();
        Hidden(const Hidden&) = delete;
        Hidden& operator=(const Hidden&) = delete;

    private:
        PositionGrid& g_;
    };
    bool isHidden() const { return hidden_ > 0; }

    void setObserver(GridObserver* o) { observer_ = o; }

    // All texts, row by row (for comparing a grid before and after a change).
    std::vector<QString> snapshot() const;

private:
    struct RowData {
        std::vector<QString> cells;
        std::vector<uint32_t> colours;
        int height = 250;
    };
    bool valid(int r, int c) const { return r >= 0 && r < Rows() && c >= 0 && c < cols_; }
    void clampCurrent();
    void cellsChanged(int r0, int c0, int r1, int c1);
    void refresh();
    void currentChanged();

    int cols_;
    std::vector<RowData> rows_;
    std::vector<int> widths_;
    std::vector<Align> aligns_;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    int hidden_ = 0;
    bool dirty_ = false;
    GridObserver* observer_ = nullptr;
    static const QString empty_;
};

} // namespace rer
