#pragma once
#include "mainwin/PositionGrid.h"

#include <QAbstractTableModel>
#include <functional>

class QAbstractButton;
class QTableView;

namespace rer {

// Shows a PositionGrid in a QTableView: grid row 0 is the view's column
// header, grid column 0 its row header, cell (0, 0) the corner above the row
// header, the other cells are the table.
// The grid's current cell and selection follow the view and the other way
// round; changes made while the grid is hidden reach the view at once.
class GridView : public QAbstractTableModel, public GridObserver {
    Q_OBJECT
public:
    GridView(PositionGrid& grid, QTableView* view);
    ~GridView() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    void gridCellsChanged(int r0, int c0, int r1, int c1) override;
    void gridRefresh() override;
    void gridCurrentChanged() override;

    PositionGrid& grid() { return grid_; }
    QTableView* view() const { return view_; }
    // Called when the user moves the current cell, before the grid's
    // current cell changes (the grid's leave-cell event).
    std::function<void()> onLeaveCell;
    // Called after the grid's current cell moved (to keep an editor in place).
    std::function<void()> onMoved;

protected:
    // Paints the corner button as a header section with the grid's cell (0, 0).
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void fromView();
    void toView();
    void applyLayout();

    PositionGrid& grid_;
    QTableView* view_;
    QAbstractButton* corner_ = nullptr;
    int rows_, cols_;
    bool syncing_ = false;
};

} // namespace rer
