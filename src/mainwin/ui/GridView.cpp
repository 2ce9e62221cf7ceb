#include "mainwin/ui/GridView.h"

#include <QAbstractButton>
#include <QColor>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QStyle>
#include <QTableView>
#include <algorithm>

namespace rer {

namespace {
int px(int twips) { return std::max(1, (twips + 7) / 15); }
} // namespace

GridView::GridView(PositionGrid& grid, QTableView* view)
    : QAbstractTableModel(view), grid_(grid), view_(view), rows_(grid.Rows()), cols_(grid.Cols()) {
    view_->setModel(this);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    view_->setSelectionBehavior(QAbstractItemView::SelectItems);
    view_->setTabKeyNavigation(false);
    view_->setWordWrap(false);
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setMinimumSectionSize(1);
    view_->horizontalHeader()->setMinimumSectionSize(1);
    view_->horizontalHeader()->setHighlightSections(false);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { fromView(); });
    connect(view_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { fromView(); });
    // The view's corner button draws an empty section: it shows the
    // heading of the position numbers here.
    corner_ = view_->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_) corner_->installEventFilter(this);
    grid_.setObserver(this);
    applyLayout();
    toView();
}

GridView::~GridView() {
    grid_.setObserver(nullptr);
}

int GridView::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(rows_ - 1, 0);
}

int GridView::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(cols_ - 1, 0);
}

QVariant GridView::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int r = index.row() + 1, c = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return grid_.text(r, c);
    case Qt::BackgroundRole: {
        const uint32_t rgb = grid_.cellBackColor(r, c);
        if (rgb == PositionGrid::kWindowColour) return {};
        return QColor::fromRgb(QRgb(rgb));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (grid_.colAlignment(c) == PositionGrid::Align::Left ? Qt::AlignLeft
                                                                                        : Qt::AlignHCenter));
    default: return {};
    }
}

QVariant GridView::headerData(int section, Qt::Orientation o, int role) const {
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    if (role != Qt::DisplayRole) return {};
    return o == Qt::Horizontal ? grid_.text(0, section + 1) : grid_.text(section + 1, 0);
}

bool GridView::eventFilter(QObject* o, QEvent* e) {
    if (o != corner_ || e->type() != QEvent::Paint) return QAbstractTableModel::eventFilter(o, e);
    QStyleOptionHeader opt;
    opt.initFrom(corner_);
    opt.state |= QStyle::State_Raised;
    if (corner_->isDown()) opt.state |= QStyle::State_Sunken;
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.text = grid_.text(0, 0);
    opt.textAlignment = Qt::AlignCenter;
    opt.rect = corner_->rect();
    QStylePainter painter(corner_);
    painter.setFont(view_->horizontalHeader()->font());
    opt.fontMetrics = painter.fontMetrics();
    painter.drawControl(QStyle::CE_Header, opt);
    return true;
}

void GridView::gridCellsChanged(int r0, int c0, int r1, int c1) {
    if (r0 == 0 && c0 == 0 && corner_) corner_->update();
    if (r0 == 0) Q_EMIT headerDataChanged(Qt::Horizontal, std::max(c0 - 1, 0), std::max(c1 - 1, 0));
    if (c0 == 0) Q_EMIT headerDataChanged(Qt::Vertical, std::max(r0 - 1, 0), std::max(r1 - 1, 0));
    r0 = std::max(r0, 1);
    c0 = std::max(c0, 1);
    if (r1 >= r0 && c1 >= c0) Q_EMIT dataChanged(index(r0 - 1, c0 - 1), index(r1 - 1, c1 - 1));
}

void GridView::gridRefresh() {
    if (grid_.Rows() != rows_ || grid_.Cols() != cols_) {
        beginResetModel();
        rows_ = grid_.Rows();
        cols_ = grid_.Cols();
        endResetModel();
    } else if (rows_ > 1 && cols_ > 1) {
        Q_EMIT dataChanged(index(0, 0), index(rows_ - 2, cols_ - 2));
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, cols_ - 2);
        Q_EMIT headerDataChanged(Qt::Vertical, 0, rows_ - 2);
    }
    applyLayout();
    toView();
    if (corner_) corner_->update();
}

void GridView::gridCurrentChanged() {
    if (!syncing_) toView();
}

void GridView::applyLayout() {
    QHeaderView* h = view_->horizontalHeader();
    // A shown column is at least as wide as its heading in the windows' font.
    const QFontMetrics fm(h->font());
    const int headingMargins = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h) + 2;
    for (int c = 1; c < cols_; ++c) {
        int width = px(grid_.colWidth(c));
        if (grid_.colWidth(c) > 0) width = std::max(width, fm.horizontalAdvance(grid_.text(0, c)) + headingMargins);
        h->resizeSection(c - 1, width);
    }
    view_->verticalHeader()->setFixedWidth(px(grid_.colWidth(0)) + 8);
    h->setFixedHeight(px(grid_.rowHeight(0)) + 2);
    QHeaderView* v = view_->verticalHeader();
    const int normal = px(250);
    v->setDefaultSectionSize(normal);
    for (int r = 1; r < rows_; ++r)
        if (grid_.rowHeight(r) != 250) v->resizeSection(r - 1, px(grid_.rowHeight(r)));
}

void GridView::fromView() {
    if (syncing_) return;
    const QModelIndex cur = view_->selectionModel()->currentIndex();
    if (!cur.isValid()) return;
    // The view's current index is the moving end of a selection; the grid's
    // current cell is the end where the selection started.
    int rowSel = cur.row() + 1, colSel = cur.column() + 1, r = rowSel, c = colSel;
    const QItemSelection sel = view_->selectionModel()->selection();
    if (!sel.isEmpty()) {
        int top = sel.first().top(), bottom = sel.first().bottom();
        int left = sel.first().left(), right = sel.first().right();
        for (const QItemSelectionRange& range : sel) {
            top = std::min(top, range.top());
            bottom = std::max(bottom, range.bottom());
            left = std::min(left, range.left());
            right = std::max(right, range.right());
        }
        if (cur.row() >= top && cur.row() <= bottom && cur.column() >= left && cur.column() <= right) {
            r = (cur.row() == top ? bottom : top) + 1;
            c = (cur.column() == left ? right : left) + 1;
            // Whole rows (a click on position numbers): columns 1 to the last.
            if (left == 0 && right == cols_ - 2 && right > 0) {
                c = 1;
                colSel = cols_ - 1;
            }
        }
    }
    syncing_ = true;
    if ((r != grid_.Row() || c != grid_.Col()) && onLeaveCell) onLeaveCell();
    grid_.select(r, c, rowSel, colSel);
    syncing_ = false;
    if (onMoved) onMoved();
}

void GridView::toView() {
    QItemSelectionModel* sm = view_->selectionModel();
    syncing_ = true;
    const int r = grid_.Row(), c = grid_.Col();
    if (r >= 1 && c >= 1 && r < rows_ && c < cols_) {
        const int rs = std::max(grid_.RowSel(), 1), cs = std::max(grid_.ColSel(), 1);
        const QModelIndex idx = index(rs - 1, cs - 1);
        sm->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
        sm->select(QItemSelection(index(std::min(r, rs) - 1, std::min(c, cs) - 1),
                                  index(std::max(r, rs) - 1, std::max(c, cs) - 1)),
                   QItemSelectionModel::ClearAndSelect);
        view_->scrollTo(idx);
    } else {
        sm->clear();
    }
    syncing_ = false;
    if (onMoved) onMoved();
}

} // namespace rer
