// The position grids of the real main window, driven with keys and clicks.
#include "mainwin/PositionEditor.h"
#include "mainwin/ui/frmMain.h"
#include "platform/ui/QtClipboard.h"
#include "testsupport/GridTestContext.h"
#include "testsupport/InputEvents.h"

#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace rer;
using rer::test::GridTestContext;

namespace {

// A shown, active main window of one product.
struct Window {
    explicit Window(int ctType, bool mm = false) : t(ctType, 2, mm), w(t.ctx) {
        t.ctx.opt.NotJapan = true; // an English run
        w.Show();
        // The load forgets the committed models; commit one again.
        t.commitActuators();
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w)) qWarning("window not active");
        // As the start-up leaves it: focus on txtDummy, line commands off.
        w.FocusDummy();
        w.LineCmd_Muko();
        p = productOf(ctType);
    }
    ~Window() {
        t.msg.answer(MsgAnswer::No); // do not save
        t.msg.answer(MsgAnswer::Ok);
        w.close();
    }
    QTableView* view() const { return w.grid(p); }
    PositionGrid& grid() { return t.ctx.grid.of(p); }
    QLineEdit* editor() const { return w.findChild<QLineEdit*>(QStringLiteral("txtEdit")); }
    // Clicks a data cell of the view.
    void click(int r, int c) {
        QTableView* v = view();
        const QModelIndex idx = v->model()->index(r - 1, c - 1);
        v->scrollTo(idx);
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(idx).center());
    }
    void type(const QString& keys) {
        for (QChar ch : keys) {
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target, ch.toLatin1());
        }
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }

    GridTestContext t;
    frmMain w;
    Product p;
};

// A mouse event straight to a widget (a double-click or a header click).
void sendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::KeyboardModifiers mods = {}) {
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton, buttons, mods);
    QApplication::sendEvent(w, &e);
}

} // namespace

class PositionGridWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void gridShowsTheTableAndEnablesLineCommandsOnFocus();
    void cornerShowsTheNumberHeading_data();
    void cornerShowsTheNumberHeading();
    void typingWithEnterAndWrapAround_data();
    void typingWithEnterAndWrapAround();
    void rejectedEntriesEmptyTheCell();
    void aNumberTooLargeIsRefused_data();
    void aNumberTooLargeIsRefused();
    void escapeDoubleClickAndLengthLimit();
    void pasteAndInputMethodKeepTheLimits();
    void clickingAnotherCellCommitsIntoTheCellLeft();
    void rowCommandsCommitPendingTextFirst();
    void copyAndPasteRows();
    void pendingTextIsNotLostAtClose();
    void qtClipboardRoundTrip();
};

void PositionGridWindow::gridShowsTheTableAndEnablesLineCommandsOnFocus() {
    Window win(1);
    QTableView* v = win.view();
    QVERIFY(v->isVisible());
    QVERIFY(!win.w.grid(Product::OneAxis)->isVisible());
    QCOMPARE(v->model()->rowCount(), 399);
    QCOMPARE(v->model()->columnCount(), 12);
    QCOMPARE(v->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Posi(pls)"));
    QCOMPARE(v->model()->headerData(398, Qt::Vertical).toString(), QStringLiteral("399"));
    QCOMPARE(v->model()->index(0, 3).data().toString(), QStringLiteral("      0"));
    QCOMPARE(v->model()->index(0, 5).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 192));
    QVERIFY(!win.w.button(QStringLiteral("cmdInsertLine"))->isEnabled());
    QVERIFY(!win.w.menuItem(QStringLiteral("mnuEditCopy"))->isEnabled());
    win.click(3, 2);
    QCOMPARE(QApplication::focusWidget(), v);
    QVERIFY(win.w.button(QStringLiteral("cmdInsertLine"))->isEnabled());
    QVERIFY(win.w.button(QStringLiteral("cmdDeleteLine"))->isEnabled());
    QVERIFY(win.w.menuItem(QStringLiteral("mnuEditPaste"))->isEnabled());
    QVERIFY(win.w.toolButton(11)->isEnabled());
    QCOMPARE(win.grid().Row(), 3);
    QCOMPARE(win.grid().Col(), 2);
    QCOMPARE(win.w.gridTag(Product::TwoAxis), QString());
}

void PositionGridWindow::cornerShowsTheNumberHeading_data() {
    QTest::addColumn<int>("ctType");
    QTest::addColumn<int>("language");
    QTest::newRow("two-axis English") << 1 << 2;
    QTest::newRow("two-axis Japanese") << 1 << 1;
    QTest::newRow("one-axis English") << 2 << 2;
    QTest::newRow("one-axis Japanese") << 2 << 1;
}

// The cell above the position numbers reads "No." in both languages.
void PositionGridWindow::cornerShowsTheNumberHeading() {
    QFETCH(int, ctType);
    QFETCH(int, language);
    GridTestContext t(ctType, language);
    frmMain w(t.ctx);
    w.Show();
    QTableView* v = w.grid(productOf(ctType));
    QVERIFY(v->isVisible());
    auto* corner = v->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(corner && corner->isVisible());
    QCOMPARE(corner->width(), v->verticalHeader()->width());
    QCOMPARE(corner->height(), v->horizontalHeader()->height());
    QVERIFY(QFontMetrics(v->horizontalHeader()->font()).horizontalAdvance(QStringLiteral("No.")) < corner->width());

    // Text in the header's text colour stands inside the section; an empty
    // section has none there. A pixel of text is nearer the text colour than
    // the section's own (a thin font, as a Japanese desktop's, is drawn in
    // greys).
    const QImage img = corner->grab().toImage();
    const QColor ink = v->horizontalHeader()->palette().color(QPalette::ButtonText);
    const QColor paper = v->horizontalHeader()->palette().color(QPalette::Button);
    auto distance = [](const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
    };
    auto inked = [&](const QImage& im) {
        int n = 0;
        for (int y = 3; y < im.height() - 3; ++y)
            for (int x = 3; x < im.width() - 3; ++x) {
                const QColor c = im.pixelColor(x, y);
                if (distance(c, ink) < distance(c, paper)) ++n;
            }
        return n;
    };
    QVERIFY2(inked(img) > 10, qPrintable(QStringLiteral("%1 text pixels").arg(inked(img))));
    QCOMPARE(t.ctx.grid.of(productOf(ctType)).text(0, 0), QStringLiteral("No."));
    t.msg.answer(MsgAnswer::No);
    w.close();
}

void PositionGridWindow::typingWithEnterAndWrapAround_data() {
    QTest::addColumn<int>("ctType");
    QTest::addColumn<bool>("mm");
    QTest::newRow("two-axis pulses") << 1 << false;
    QTest::newRow("two-axis mm") << 1 << true;
    QTest::newRow("one-axis pulses") << 2 << false;
    QTest::newRow("one-axis mm") << 2 << true;
}

void PositionGridWindow::typingWithEnterAndWrapAround() {
    QFETCH(int, ctType);
    QFETCH(bool, mm);
    Window win(ctType, mm);
    const int last = LastColumn(win.p);
    win.click(398, 1);
    // A whole row by the keyboard only: value, Enter, value, Enter...
    QStringList typed{QStringLiteral("9"), QStringLiteral("2"), QStringLiteral("1"),
                      mm ? QStringLiteral("12.5") : QStringLiteral("1234")};
    while (typed.size() < last - 1) typed << QStringLiteral("1");
    typed << QStringLiteral("first");
    for (const QString& s : typed) {
        win.type(s);
        QVERIFY(win.editor()->isVisible());
        win.key(Qt::Key_Return);
        QVERIFY(!win.editor()->isVisible());
    }
    PositionGrid& g = win.grid();
    QCOMPARE(g.text(398, 1), QStringLiteral("9"));
    QCOMPARE(g.text(398, 4), mm ? QStringLiteral(" 12.495") : QStringLiteral("   1234"));
    QCOMPARE(g.text(398, last), QStringLiteral("first"));
    QCOMPARE(g.Row(), 399); // Enter on the last column: next row, column 1
    QCOMPARE(g.Col(), 1);
    QCOMPARE(win.w.gridTag(win.p), QStringLiteral("DataChange"));
    // Down from row 399 goes to row 1, Up from row 1 back to 399.
    win.type(QStringLiteral("4"));
    win.key(Qt::Key_Down);
    QCOMPARE(g.text(399, 1), QStringLiteral("4"));
    QCOMPARE(g.Row(), 1);
    win.type(QStringLiteral("6"));
    win.key(Qt::Key_Up);
    QCOMPARE(g.text(1, 1), QStringLiteral("6"));
    QCOMPARE(g.Row(), 399);
    // Right on the last column goes to column 1 of the same row.
    g.setCurrent(399, last);
    win.type(QStringLiteral("x"));
    win.key(Qt::Key_Right);
    QCOMPARE(g.text(399, last), QStringLiteral("x"));
    QCOMPARE(g.Row(), 399);
    QCOMPARE(g.Col(), 1);
    // Enter on the grid without editing moves on and changes nothing.
    win.key(Qt::Key_Return);
    QCOMPARE(g.Col(), 2);
    QVERIFY(!win.editor()->isVisible());
    // The view follows the grid's current cell.
    QCOMPARE(win.view()->currentIndex().row(), 398);
    QCOMPARE(win.view()->currentIndex().column(), 1);
}

void PositionGridWindow::rejectedEntriesEmptyTheCell() {
    Window win(1);
    win.click(10, 2);
    win.type(QStringLiteral("4")); // ACC 4
    win.key(Qt::Key_Return);
    QCOMPARE(win.grid().text(10, 2), QString());
    QCOMPARE(win.w.gridTag(Product::TwoAxis), QStringLiteral("DataChange"));
    win.grid().setCurrent(10, 4);
    win.type(QStringLiteral("6668"));
    win.key(Qt::Key_Return);
    QCOMPARE(win.grid().text(10, 4), QString());
    QVERIFY(win.t.msg.shown.empty());
    // The empty cells fail the check with the position listed.
    win.w.PosiDataCheck();
    QCOMPARE(win.t.ctx.main.Error_Posi, QStringLiteral("10,"));
    QCOMPARE(win.t.msg.shown.size(), std::size_t(1));
}

void PositionGridWindow::aNumberTooLargeIsRefused_data() {
    QTest::addColumn<int>("ctType");
    QTest::addColumn<bool>("mm");
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("typed");
    QTest::newRow("two-axis POSI1 pulses") << 1 << false << 4 << QStringLiteral("1e999");
    QTest::newRow("two-axis POSI2 mm") << 1 << true << 8 << QStringLiteral("1e999");
    QTest::newRow("two-axis POSI1 negative") << 1 << false << 4 << QStringLiteral("-1e999");
    QTest::newRow("one-axis POSI mm") << 2 << true << 4 << QStringLiteral("9e9999");
    QTest::newRow("one-axis POSI pulses") << 2 << false << 4 << QStringLiteral("9e9999");
}

// A number beyond a double, typed into a position cell, is refused as any
// position out of range: the cell is emptied and the check lists the row.
void PositionGridWindow::aNumberTooLargeIsRefused() {
    QFETCH(int, ctType);
    QFETCH(bool, mm);
    QFETCH(int, col);
    QFETCH(QString, typed);
    Window win(ctType, mm);
    win.click(12, col);
    win.type(typed);
    QCOMPARE(win.editor()->text(), typed);
    win.key(Qt::Key_Return);
    QCOMPARE(win.grid().text(12, col), QString());
    QCOMPARE(win.w.gridTag(win.p), QStringLiteral("DataChange"));
    QVERIFY(win.t.msg.shown.empty());
    if (win.p == Product::TwoAxis)
        win.w.PosiDataCheck();
    else
        win.w.W3kPosiDataCheck();
    QVERIFY(win.t.ctx.main.PosiDataCheckError);
    QCOMPARE(win.t.ctx.main.Error_Posi, QStringLiteral("12,"));
}

void PositionGridWindow::escapeDoubleClickAndLengthLimit() {
    Window win(2);
    win.click(5, 3);
    win.type(QStringLiteral("2"));
    win.key(Qt::Key_Escape);
    QVERIFY(!win.editor()->isVisible());
    QCOMPARE(win.grid().text(5, 3), QStringLiteral("0"));
    QCOMPARE(win.w.gridTag(Product::OneAxis), QString());
    QCOMPARE(QApplication::focusWidget(), win.view());

    // A double-click edits the present text, caret at its end.
    QTableView* v = win.view();
    const QRect rect = v->visualRect(v->model()->index(5 - 1, 4 - 1));
    sendMouse(v->viewport(), QEvent::MouseButtonPress, rect.center());
    sendMouse(v->viewport(), QEvent::MouseButtonRelease, rect.center());
    sendMouse(v->viewport(), QEvent::MouseButtonDblClick, rect.center());
    sendMouse(v->viewport(), QEvent::MouseButtonRelease, rect.center());
    QVERIFY(win.editor()->isVisible());
    QCOMPARE(win.editor()->text(), QStringLiteral("      0"));
    QCOMPARE(win.editor()->cursorPosition(), 7);
    win.type(QStringLiteral("1")); // full: nothing more is taken
    QCOMPARE(win.editor()->text(), QStringLiteral("      0"));
    win.key(Qt::Key_Backspace);
    win.type(QStringLiteral("12"));
    QCOMPARE(win.editor()->text(), QStringLiteral("      1"));
    win.key(Qt::Key_Return);
    QCOMPARE(win.grid().text(5, 4), QStringLiteral("      1"));

    // Space opens the editor with the cell's text; VEL takes 2 characters.
    win.grid().setCurrent(6, 1);
    win.key(Qt::Key_Space);
    QCOMPARE(win.editor()->text(), QStringLiteral("5"));
    win.type(QStringLiteral("123"));
    QCOMPARE(win.editor()->text(), QStringLiteral("51"));
    win.key(Qt::Key_Escape);
    QCOMPARE(win.grid().text(6, 1), QStringLiteral("5"));
}

void PositionGridWindow::pasteAndInputMethodKeepTheLimits() {
    Window win(1);
    // Editing starts with a typed key; then text comes by paste or the input
    // method. COMMENT takes 20 characters, POSI 7, the other columns 2; a
    // full-width digit is the digit (WAY 3, not a text that reads as 0).
    struct Case {
        int row, col;
        bool ime, replace;
        QString input, editor, cell; // cell: what Enter stores; empty: Escape
    };
    const QString x20 = QStringLiteral("a") + QString(19, QLatin1Char('x'));
    const QString kana20 = QStringLiteral("a原点付近の位置です。原点付近の位置です");
    const Case cases[] = {
        {3, 12, false, false, QString(60, QLatin1Char('x')), x20, x20},
        {4, 12, true, false, QStringLiteral("原点付近の位置です。原点付近の位置です。原点付近"), kana20, kana20},
        {5, 4, false, false, QStringLiteral("2345678901"), QStringLiteral("a234567"), {}},
        {5, 1, false, false, QStringLiteral("23"), QStringLiteral("a2"), {}},
        {5, 3, false, true, QStringLiteral("３"), QStringLiteral("3"), QStringLiteral("3")},
        {6, 3, true, true, QStringLiteral("２"), QStringLiteral("2"), QStringLiteral("2")},
    };
    for (const Case& c : cases) {
        win.click(c.row, c.col);
        win.type(QStringLiteral("a"));
        QLineEdit* e = win.editor();
        QVERIFY(e->isVisible());
        if (c.replace) e->selectAll();
        if (c.ime) rer::test::ImeCommit(e, c.input);
        else rer::test::Paste(e, c.input);
        QCOMPARE(e->text(), c.editor);
        win.key(c.cell.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
        if (!c.cell.isEmpty()) QCOMPARE(win.grid().text(c.row, c.col), c.cell);
    }
    // A comment longer than 20 characters in the cell is shown whole and may
    // shrink, but takes nothing more.
    const QString longComment(25, QLatin1Char('c'));
    win.grid().setText(6, 12, longComment);
    win.grid().setCurrent(6, 12);
    win.key(Qt::Key_Space);
    QCOMPARE(win.editor()->text(), longComment);
    rer::test::Paste(win.editor(), QStringLiteral("more"));
    QCOMPARE(win.editor()->text(), longComment);
    win.key(Qt::Key_Backspace);
    QCOMPARE(win.editor()->text().size(), 24);
    win.key(Qt::Key_Escape);
}

void PositionGridWindow::clickingAnotherCellCommitsIntoTheCellLeft() {
    Window win(1);
    win.click(20, 1);
    win.type(QStringLiteral("7"));
    QVERIFY(win.editor()->isVisible());
    win.click(25, 3);
    QVERIFY(!win.editor()->isVisible());
    QCOMPARE(win.grid().text(20, 1), QStringLiteral("7"));
    QCOMPARE(win.grid().text(25, 3), QStringLiteral("0"));
    QCOMPARE(win.grid().Row(), 25);
    QCOMPARE(win.grid().Col(), 3);

    // Set aside: the focus goes elsewhere, the text waits and is committed
    // when the grid gets the focus again.
    win.type(QStringLiteral("2"));
    win.w.txtDummy()->setFocus();
    QVERIFY(win.editor()->isVisible());
    QCOMPARE(win.grid().text(25, 3), QStringLiteral("0"));
    win.view()->setFocus();
    QVERIFY(!win.editor()->isVisible());
    QCOMPARE(win.grid().text(25, 3), QStringLiteral("2"));
}

void PositionGridWindow::rowCommandsCommitPendingTextFirst() {
    Window win(1);
    PositionGrid& g = win.grid();
    g.setText(12, 12, QStringLiteral("twelve"));
    win.click(10, 1);
    QTest::mouseClick(win.view()->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      win.view()->visualRect(win.view()->model()->index(11, 0)).center());
    QCOMPARE(g.RowSel(), 12);
    QTest::mouseClick(win.w.button(QStringLiteral("cmdDeleteLine")), Qt::LeftButton);
    QCOMPARE(g.text(10, 12), QString());
    QCOMPARE(g.text(399, 1), QStringLiteral("5"));
    QCOMPARE(g.Row(), 10);
    QCOMPARE(g.Col(), 1);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(win.w.txtDummy()));
    QCOMPARE(win.w.gridTag(Product::TwoAxis), QStringLiteral("DataChange"));

    // Text typed into row 5 and left pending goes into row 5 before the
    // insert moves it down.
    g.Tag.clear();
    win.click(5, 1);
    win.type(QStringLiteral("8"));
    QTest::mouseClick(win.w.button(QStringLiteral("cmdInsertLine")), Qt::LeftButton);
    QVERIFY(!win.editor()->isVisible());
    QCOMPARE(g.text(5, 1), QStringLiteral("5"));
    QCOMPARE(g.text(6, 1), QStringLiteral("8"));
    QCOMPARE(g.Tag, QStringLiteral("DataChange"));

    // Header row current (after a unit change): the refusal.
    win.w.Change_DispUnit();
    win.w.button(QStringLiteral("cmdInsertLine"))->click();
    QCOMPARE(win.t.msg.lastText(), QStringLiteral("A line has not been selected. Select the Copying line and execute."));
}

void PositionGridWindow::copyAndPasteRows() {
    Window win(1);
    PositionGrid& g = win.grid();
    g.setText(3, 12, QStringLiteral("row three"));
    g.setText(4, 4, QStringLiteral("    400"));
    win.click(3, 2);
    // A click on the position numbers selects whole rows.
    QHeaderView* numbers = win.view()->verticalHeader();
    const QPoint row3(numbers->width() / 2, numbers->sectionViewportPosition(2) + numbers->sectionSize(2) / 2);
    const QPoint row4(row3.x(), numbers->sectionViewportPosition(3) + numbers->sectionSize(3) / 2);
    sendMouse(numbers->viewport(), QEvent::MouseButtonPress, row3);
    sendMouse(numbers->viewport(), QEvent::MouseMove, row4); // dragged down to row 4
    sendMouse(numbers->viewport(), QEvent::MouseButtonRelease, row4);
    QCOMPARE(g.Row(), 3);
    QCOMPARE(g.Col(), 1);
    QCOMPARE(g.RowSel(), 4);
    QCOMPARE(g.ColSel(), 12);
    win.w.setFocus(); // the toolbar keeps the focus where it is
    win.view()->setFocus();
    win.w.toolButton(11)->trigger();
    QCOMPARE(win.t.clipboard.text(),
             QStringLiteral("5\t3\t0\t      0\t5\t3\t0\t      0\t0\t0\t0\trow three\r5\t3\t0\t    400\t5\t3\t0\t      0\t0\t0\t0\t"));
    QVERIFY(win.t.msg.shown.empty());
    QCOMPARE(win.w.gridTag(Product::TwoAxis), QString());

    // Paste at row 398: two rows fit.
    win.click(398, 1);
    win.w.menuItem(QStringLiteral("mnuEditPaste"))->trigger();
    QCOMPARE(g.text(398, 12), QStringLiteral("row three"));
    QCOMPARE(g.text(399, 4), QStringLiteral("    400"));
    QCOMPARE(g.Row(), 398);
    QCOMPARE(QApplication::focusWidget(), win.view());
    QCOMPARE(win.w.gridTag(Product::TwoAxis), QStringLiteral("DataChange"));
    QCOMPARE(win.view()->model()->index(398, 3).data().toString(), QStringLiteral("    400"));

    // Text from a text editor with LF line ends, by Ctrl+V.
    win.t.clipboard.setText(QStringLiteral("1\t1\n2\t2\n"));
    win.click(50, 1);
    QTest::keyClick(win.view(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(g.text(50, 1), QStringLiteral("1"));
    QCOMPARE(g.text(51, 2), QStringLiteral("2"));
    QCOMPARE(g.text(52, 1), QStringLiteral("5"));

    // Paste away from column 1 and copy of part of a row: refusals.
    win.click(60, 2);
    win.w.menuItem(QStringLiteral("mnuEditPaste"))->trigger();
    win.w.menuItem(QStringLiteral("mnuEditCopy"))->trigger();
    QCOMPARE(win.t.msg.shown.size(), std::size_t(2));
    QCOMPARE(win.t.msg.shown[1].text, QStringLiteral("Click at Posi number in order to select the row, and execute."));
    QCOMPARE(g.text(60, 2), QStringLiteral("3"));
}

void PositionGridWindow::pendingTextIsNotLostAtClose() {
    Window win(2);
    win.click(3, 7);
    win.type(QStringLiteral("unsaved"));
    QVERIFY(win.editor()->isVisible());
    win.t.msg.answer(MsgAnswer::Cancel);
    win.w.close();
    QVERIFY(win.w.isVisible());
    QCOMPARE(win.grid().text(3, 7), QStringLiteral("unsaved"));
    QCOMPARE(win.t.msg.lastText(), QStringLiteral("Data have been changed. Save the data into the file before finish?"));
    // A new table (New, a start-up) also takes pending text first.
    win.click(4, 7);
    win.type(QStringLiteral("x"));
    win.w.W3KflgdData_Init();
    QVERIFY(!win.editor()->isVisible());
    QCOMPARE(win.grid().text(4, 7), QString());
    win.view()->setFocus();
    QCOMPARE(win.grid().text(4, 7), QString());
}

void PositionGridWindow::qtClipboardRoundTrip() {
    QtClipboard clip;
    clip.setText(QStringLiteral("5\t3\r6\t2"));
    QCOMPARE(clip.text(), QStringLiteral("5\t3\r6\t2"));
}

QTEST_MAIN(PositionGridWindow)
#include "tst_positiongrid.moc"
