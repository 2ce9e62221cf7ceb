#include "mainwin/PositionEditor.h"

#include "catalogue/CatalogueTables.h"

#include "app/AppContext.h"
#include "files/DataCodec.h"
#include "files/Decimal.h"
#include "link/TextHelpers.h"
#include "mainwin/PositionGrid.h"

#include <algorithm>

namespace rer {

namespace {

constexpr int kLastRow = 399;

void commitPending(AppContext& ctx) {
    if (ctx.grid.commitPendingEdit) ctx.grid.commitPendingEdit();
}

const char16_t* const kTwoAxisEn[13] = {u"No.", u"VEL", u"ACC", u"WAY", nullptr, u"VEL", u"ACC",
                                        u"WAY", nullptr, u"ITPL", u"OUT", u"S/M", u"Comment"};
const char16_t* const kTwoAxisJp[13] = {u"No.", u"速度", u"加速", u"方法", nullptr, u"速度", u"加速",
                                        u"方法", nullptr, u"補間", u"出力", u"S/M", u"コメント"};
const char16_t* const kOneAxisEn[8] = {u"No.", u"VEL", u"ACC", u"WAY", nullptr, u"OUT", u"S/M", u"Comment"};
const char16_t* const kOneAxisJp[8] = {u"No.", u"速度", u"加速", u"方法", nullptr, u"出力", u"S/M", u"コメント"};

const int kTwoAxisWidths[13] = {400, 500, 500, 500, 1000, 500, 500, 500, 1000, 500, 500, 500, 3000};
const int kOneAxisWidths[8] = {400, 500, 500, 500, 1000, 500, 500, 3500};

int colCount(Product p) { return p == Product::TwoAxis ? 13 : 8; }

void colourAxis2(PositionGrid& g, Product p, int r) {
    if (p != Product::TwoAxis) return;
    for (int c = 5; c <= 8; ++c) g.setCellBackColor(r, c, kLightYellow);
}

void renumber(PositionGrid& g) {
    for (int r = 1; r < g.Rows(); ++r) g.setText(r, 0, QString::number(r));
}

// n rows of the row commands: a selection made upwards acts on one row.
int rowCount(int first, int last) { return std::max(last - first + 1, 1); }

} // namespace

bool IsSpecialModel(const AxisActuator& a) {
    return SpecialModel::is(a.Size, a.Speed);
}

GridColumn ColumnOf(Product p, int col) {
    if (p == Product::TwoAxis) {
        static const CellKind kinds[13] = {CellKind::None, CellKind::Vel, CellKind::Acc, CellKind::Way,
                                           CellKind::Posi, CellKind::Vel, CellKind::Acc, CellKind::Way,
                                           CellKind::Posi, CellKind::Itpl, CellKind::Out, CellKind::Sm,
                                           CellKind::Comment};
        if (col < 1 || col > 12) return {};
        return {kinds[col], col >= 5 && col <= 8 ? 1 : 0, col - 1};
    }
    static const CellKind kinds[8] = {CellKind::None, CellKind::Vel, CellKind::Acc, CellKind::Way,
                                      CellKind::Posi, CellKind::Out, CellKind::Sm, CellKind::Comment};
    static const int dataCols[8] = {-1, 0, 1, 2, 3, 9, 10, 11};
    if (col < 1 || col > 7) return {};
    return {kinds[col], 0, dataCols[col]};
}

int LastColumn(Product p) { return p == Product::TwoAxis ? 12 : 7; }

CellRange RangeOf(CellKind k, bool specialAcc) {
    switch (k) {
    case CellKind::Vel: return {1, 9};
    case CellKind::Acc: return {1, specialAcc ? 2 : 3};
    case CellKind::Way: return {0, 3};
    case CellKind::Itpl: return {0, 1};
    case CellKind::Out: return {0, 3};
    case CellKind::Sm: return {0, 9};
    default: return {0, -1};
    }
}

QString PosiHeader(int languageNo, bool mm, bool atSetUp) {
    if (languageNo == 1) return mm ? QStringLiteral("位置(mm)") : QStringLiteral("位置(ﾊﾟﾙｽ)");
    if (mm) return QStringLiteral("Posi(mm)");
    return atSetUp ? QStringLiteral("Posi(pls)") : QStringLiteral("Posi(Pls)");
}

QString PositionDefault(bool mm) {
    return mm ? QStringLiteral("  0.000") : QStringLiteral("      0");
}

QString PositionText(double n, bool mm) {
    const QString t = mm ? FormatFixed(n, 3) : ShortestText(n);
    return PadRight(t, 7).value_or(t);
}

QStringList NewRowTexts(Product p, bool mm, bool special1, bool special2) {
    const QString acc1 = special1 ? QStringLiteral("2") : QStringLiteral("3");
    const QString acc2 = special2 ? QStringLiteral("2") : QStringLiteral("3");
    const QString v = QStringLiteral("5"), z = QStringLiteral("0"), pos = PositionDefault(mm);
    if (p == Product::TwoAxis)
        return {QString(), v, acc1, z, pos, v, acc2, z, pos, z, z, z, QString()};
    return {QString(), v, acc1, z, pos, z, z, QString()};
}

void SetUpPositionGrid(AppContext& ctx, Product p) {
    PositionGrid& g = ctx.grid.of(p);
    const bool two = p == Product::TwoAxis;
    const int cols = colCount(p);
    const bool mm = ctx.opt.DispMmUnit;
    const auto& axes = ctx.dev.axes(p);
    PositionGrid::Hidden hide(g);
    g.setCols(cols);
    g.setRowHeight(0, 300);
    for (int r = 1; r <= kLastRow; ++r) g.setRowHeight(r, 250);
    const QStringList row = NewRowTexts(p, mm, IsSpecialModel(axes[0]), two && IsSpecialModel(axes[1]));
    for (int r = 1; r <= kLastRow; ++r) {
        g.setText(r, 0, QString::number(r));
        for (int c = 1; c < cols; ++c) g.setText(r, c, row[c]);
        colourAxis2(g, p, r);
    }
    for (int c = 0; c < cols; ++c) {
        g.setColWidth(c, two ? kTwoAxisWidths[c] : kOneAxisWidths[c]);
        g.setColAlignment(c, c == cols - 1 ? PositionGrid::Align::Left : PositionGrid::Align::Centre);
    }
    const bool jp = ctx.opt.LanguageNo == 1;
    for (int c = 1; c < cols; ++c) {
        const char16_t* h = two ? (jp ? kTwoAxisJp[c] : kTwoAxisEn[c]) : (jp ? kOneAxisJp[c] : kOneAxisEn[c]);
        g.setText(0, c, h ? QString::fromUtf16(h) : PosiHeader(ctx.opt.LanguageNo, mm, true));
    }
}

void ChangeDispUnitHeaders(AppContext& ctx, Product p) {
    PositionGrid& g = ctx.grid.of(p);
    const QString h = PosiHeader(ctx.opt.LanguageNo, ctx.opt.DispMmUnit, false);
    for (int c = 4; c <= (p == Product::TwoAxis ? 8 : 4); c += 4) {
        g.setCurrent(0, c);
        g.setText(0, c, h);
    }
}

void MoveAfterKey(PositionGrid& g, Product p, NavKey key) {
    const int last = LastColumn(p);
    const int r = g.Row(), c = g.Col();
    switch (key) {
    case NavKey::Enter:
        if (c >= 1 && c < last)
            g.setCurrent(r, c + 1);
        else if (c == last)
            g.setCurrent(r >= 1 && r < kLastRow ? r + 1 : 1, 1);
        break;
    case NavKey::Up:
        g.setCurrent(r >= 2 && r <= kLastRow ? r - 1 : kLastRow, c);
        break;
    case NavKey::Down:
        g.setCurrent(r >= 1 && r < kLastRow ? r + 1 : 1, c);
        break;
    case NavKey::Right:
        if (c >= 1 && c < last)
            g.setCurrent(r, c + 1);
        else if (c == last)
            g.setCurrent(r, 1);
        break;
    }
}

// ---- Rows

namespace {

// n new-table rows in place of n rows: a delete removes rows first.. and
// appends new rows at the end; an insert drops rows off the end and puts new
// rows in at first.
void replaceRows(AppContext& ctx, Product p, int first, int last, bool insert) {
    PositionGrid& g = ctx.grid.of(p);
    if (first < 1 || first > kLastRow) return;
    const int n = rowCount(first, last);
    const QString row = NewRowTexts(p, ctx.opt.DispMmUnit).join(QLatin1Char('\t'));
    const int added = insert ? first : kLastRow;
    PositionGrid::Hidden hide(g);
    for (int i = 0; i < n; ++i) {
        g.RemoveItem(insert ? kLastRow : first);
        g.setCols(colCount(p));
        g.AddItem(row, added);
        g.setRowHeight(added, 250);
        g.setCurrent(added, 0);
        colourAxis2(g, p, added);
    }
    renumber(g);
    g.setCurrent(kLastRow, 0);
}

} // namespace

void PosiGridDeleteRows(AppContext& ctx, Product p, int first, int last) {
    replaceRows(ctx, p, first, last, false);
}

void PosiGridInsertRows(AppContext& ctx, Product p, int first, int last) {
    replaceRows(ctx, p, first, last, true);
}

void CopyRowsToClipboard(AppContext& ctx, Product p) {
    ctx.platform.clipboard.setText(ctx.grid.of(p).Clip());
}

bool CommentFitsFile(const QString& comment) {
    if (comment.contains(QLatin1Char('\r')) || comment.contains(QLatin1Char('\n'))) return false;
    QString filed = comment;
    filed.replace(QLatin1Char('"'), QLatin1Char('\''));
    QByteArray bytes;
    return EncodeShiftJis(filed, bytes);
}

QString UnsavableCommentText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("コメントに使用できない文字が含まれています。"),
                    QStringLiteral("The comment holds a character that cannot be saved."));
}

bool PasteRowsFromClipboard(AppContext& ctx, Product p) {
    PositionGrid& g = ctx.grid.of(p);
    const QString t = ctx.platform.clipboard.text();
    // Rows end at CR LF, at a lone CR and at a lone LF; a line end at the
    // very end adds no row.
    std::vector<QStringList> rows;
    qsizetype start = 0;
    const qsizetype n = t.size();
    for (qsizetype i = 0; i <= n; ++i) {
        const bool end = i == n;
        if (!end && t[i] != QLatin1Char('\r') && t[i] != QLatin1Char('\n')) continue;
        if (end && start == n) break;
        rows.push_back(t.mid(start, i - start).split(QLatin1Char('\t')));
        if (!end && t[i] == QLatin1Char('\r') && i + 1 < n && t[i + 1] == QLatin1Char('\n')) ++i;
        start = i + 1;
    }
    if (rows.empty()) return true;
    // Every row writes at least as many cells as the first row has: a
    // shorter row empties the cells to its right.
    const qsizetype width = rows.front().size();
    const int last = LastColumn(p);
    const int r0 = g.Row(), c0 = g.Col();
    const GridColumn comment{CellKind::Comment};
    // A comment that could not be saved refuses the paste, as typing it
    // would be refused.
    for (const QStringList& cells : rows)
        for (qsizetype j = 0; j < cells.size() && c0 + j <= last; ++j)
            if (ColumnOf(p, int(c0 + j)).kind == comment.kind && !CommentFitsFile(cells[j])) {
                ctx.message(UnsavableCommentText(ctx), MsgButtons::Ok, MsgIcon::Exclamation);
                return false;
            }
    PositionGrid::Hidden hide(g);
    int r = r0;
    for (const QStringList& cells : rows) {
        if (r > kLastRow) break;
        const qsizetype count = std::max(width, cells.size());
        for (qsizetype j = 0; j < count; ++j) {
            const qsizetype c = c0 + j;
            if (c > last) break;
            QString s = j < cells.size() ? cells[j] : QString();
            if (ColumnOf(p, int(c)).kind == comment.kind) s.replace(QLatin1Char('"'), QLatin1Char('\''));
            g.setText(r, int(c), s);
        }
        ++r;
    }
    g.setCurrent(r0, c0);
    return true;
}

// ---- Commands

namespace {

// Insert or delete lines from the current row to the far end of the
// selection; refused with the message when no position row is current.
void lineCommand(AppContext& ctx, Product p, const QString& refusal,
                 void (*service)(AppContext&, Product, int, int)) {
    commitPending(ctx);
    PositionGrid& g = ctx.grid.of(p);
    const int r = g.Row();
    if (r < 1 || r > kLastRow) {
        ctx.message(refusal);
        return;
    }
    const auto before = g.snapshot();
    service(ctx, p, r, g.RowSel());
    g.setCurrent(r, 1);
    if (g.snapshot() != before) g.Tag = kDataChange;
}

} // namespace

void PosiGyoInsertProc(AppContext& ctx, Product p) {
    lineCommand(ctx, p,
                ctx.pick(QStringLiteral("挿入位置が選択されていません。\r\n挿入する位置を選択してから、実行して下さい。"),
                         QStringLiteral("A line has not been selected. Select the Copying line and execute.")),
                &PosiGridInsertRows);
}

void PosiGyoDeleteProc(AppContext& ctx, Product p) {
    lineCommand(ctx, p,
                ctx.pick(QStringLiteral("行が選択されていません。\r\n削除する行を選択してから、実行して下さい。"),
                         QStringLiteral("A line has not been selected. Please the deleting line  and execute.")),
                &PosiGridDeleteRows);
}

void PosiCopyProc(AppContext& ctx, Product p, bool gridActive) {
    commitPending(ctx);
    const PositionGrid& g = ctx.grid.of(p);
    if (g.ColSel() - g.Col() + 1 != LastColumn(p)) {
        ctx.message(ctx.pick(QStringLiteral("表の一番左側の位置Noをクリックし、行全体を選択してから、実行して下さい。"),
                             QStringLiteral("Click at Posi number in order to select the row, and execute.")),
                    MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    if (gridActive) CopyRowsToClipboard(ctx, p);
}

void PosiPasteProc(AppContext& ctx, Product p, bool gridActive) {
    commitPending(ctx);
    PositionGrid& g = ctx.grid.of(p);
    if (g.Col() != 1 || g.Row() < 1) {
        ctx.message(ctx.pick(QStringLiteral("データを貼り付ける位置No、または貼り付ける行の１列目のセルをクリックしてから実行して下さい。"),
                             QStringLiteral("Click at Position number the data pasted to or the first column cell the data pasted, and execute.")),
                    MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    if (!gridActive) return;
    const auto before = g.snapshot();
    PasteRowsFromClipboard(ctx, p);
    if (g.snapshot() != before) g.Tag = kDataChange;
}

} // namespace rer
