// The motion-test window opened by the main window's button and menu item,
// driven by its own controls against the simulated controller.
#include "motion/ui/frmMove.h"
#include "testsupport/InputEvents.h"
#include "testsupport/MotionWorld.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace rer;
using namespace rer::test;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }

// The window opened by the main window's button, active, its program row
// with the focus; none when it did not come up.
frmMove* openWithRowFocused(MotionWorld& x) {
    x.w->button(S("cmdOpenMoveWin"))->click();
    auto* m = x.w->findChild<frmMove*>();
    if (!m) return nullptr;
    m->activateWindow();
    if (!QTest::qWaitForWindowActive(m)) return nullptr;
    m->flgdProgram()->setFocus();
    return m;
}

// The program row's in-cell editor while it is open.
QLineEdit* rowEditor(QTableWidget* g) {
    for (auto* e : g->findChildren<QLineEdit*>(S("txtEdit2")))
        if (e->isVisible()) return e;
    return nullptr;
}
} // namespace

class tst_frmMove : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void openHomeAndProgrammedRun() {
        MotionWorld x(1, 2);
        x.w->button(S("cmdOpenMoveWin"))->click();
        auto* m = x.w->findChild<frmMove*>();
        QVERIFY(m && m->isVisible());
        QCOMPARE(m->windowTitle(), S("Move Test"));
        QCOMPARE(m->SSTab1()->tabText(2), S("Group Move"));
        QCOMPARE(m->flgdProgram()->item(0, 0)->text(), S("Posi No."));
        // The menu item shows the same window.
        x.w->menuItem(S("mnuShowMove"))->trigger();
        QCOMPARE(x.w->findChildren<frmMove*>().size(), qsizetype(1));

        x.sim().state.outputs = "000001";
        QTest::mouseClick(m->button(S("cmdHome")), Qt::LeftButton);
        QCOMPARE(m->lblkanryoNo()->text(), S("H0"));
        QVERIFY(!m->imgOutGreen(1)->isHidden());
        QVERIFY(m->imgOutGreen(2)->isHidden());
        QVERIFY(!x.w->label(S("imgHomeGreen"))->isHidden());

        // "1 to 15", then a continual run paused from the window's own button.
        QTest::mouseClick(m->button(S("cmdInp1toF")), Qt::LeftButton);
        QCOMPARE(m->flgdProgram()->item(0, 15)->text(), S(" 15"));
        x.sim().received.clear();
        m->check(S("chkTimerUse"))->setChecked(true);
        bool locked = false;
        QTimer::singleShot(200, [&] {
            locked = !x.w->button(S("cmdReset"))->isEnabled() && !m->button(S("cmdMove"))->isEnabled() &&
                     !m->button(S("cmdMoveWinClose"))->isEnabled();
            QTest::mouseClick(m->button(S("cmdTmpStop")), Qt::LeftButton);
        });
        QTest::mouseClick(m->button(S("cmdMove")), Qt::LeftButton);
        QVERIFY(locked);
        QVERIFY(x.w->button(S("cmdReset"))->isEnabled());
        QVERIFY(m->button(S("cmdMove"))->isEnabled());
        QCOMPARE(m->lblkanryoNo()->text(), S("1"));
        QCOMPARE(m->runs().CurCellNo, 2);
        QVERIFY(!x.port.isOpen());
        QVERIFY(x.t.msg.shown.empty());
        m->close();
        QTRY_VERIFY(!x.w->findChild<frmMove*>());
    }

    // Tab goes through each tab page as it is laid out, top to bottom and
    // left to right, then through the buttons below the pages and the tabs.
    void tabFollowsTheLayout_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("timer");
        QTest::addColumn<QStringList>("ring");
        const QStringList below{S("cmdHome"), S("cmdGrpMoveStop"), S("cmdMoveWinClose"), S("qt_tabwidget_tabbar")};
        QTest::newRow("Selective Move")
            << 0 << S("flgdProgram") << S("chkTimerUse")
            << QStringList{S("flgdProgram"), S("optSelectMode0"), S("chkRepeat"), S("chkNoSqMcr1"), S("cmdInp1toF"),
                           S("cmdDataClear"), S("chkTimerUse"), S("txtTimer"), S("cmdMove"), S("cmdTmpStop"),
                           S("cmdStop")} + below;
        QTest::newRow("Continual Move")
            << 1 << S("sldrStartPosiNo") << S("chkTimerUse2")
            << QStringList{S("sldrStartPosiNo"), S("UpDownStartPosiNo"), S("sldrEndPosiNo"), S("UpDownEndPosiNo"),
                           S("optMoveWay0"), S("chkRepeat2"), S("chkNoSqMcr2"), S("chkTimerUse2"), S("txtTimer2"),
                           S("cmdSelectMove"), S("cmdTempStop2"), S("cmdStop2")} + below;
        QTest::newRow("Group Move") << 2 << S("sldrGrpNo") << QString()
                                    << QStringList{S("sldrGrpNo"), S("UpDown2"), S("cmdGrpMove")} + below;
    }
    void tabFollowsTheLayout() {
        QFETCH(int, page);
        QFETCH(QString, first);
        QFETCH(QString, timer);
        QFETCH(QStringList, ring);
        MotionWorld x(1, 2);
        frmMove* m = openWithRowFocused(x);
        QVERIFY(m);
        // With the timer ticked its wait box is a stop too.
        if (!timer.isEmpty()) m->check(timer)->setChecked(true);
        m->SSTab1()->setCurrentIndex(page);
        QWidget* start = m->findChild<QWidget*>(first);
        start->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), start);
        QCOMPARE(TabRing(start), ring);
        m->close();
    }

    void programRowEditor() {
        MotionWorld x(1, 2);
        frmMove* m = openWithRowFocused(x);
        QVERIFY(m);
        QTableWidget* g = m->flgdProgram();
        const auto editor = [g]() -> QWidget* {
            QLineEdit* e = rowEditor(g);
            return e ? static_cast<QWidget*>(e) : g;
        };
        const auto type = [&](const QString& t) {
            for (QChar c : t) QTest::keyClick(editor(), c.toLatin1());
        };
        g->setCurrentCell(0, 3);
        type(S("42"));
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(g->item(0, 3)->text(), S("42"));
        QCOMPARE(g->currentColumn(), 4);
        // A fourth digit and letters are refused; 400 empties the cell.
        type(S("4a:000"));
        QCOMPARE(qobject_cast<QLineEdit*>(editor())->text(), S("400"));
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(g->item(0, 4)->text(), QString());
        // Enter in cell 15 goes to cell 1; Left in cell 1 stays.
        g->setCurrentCell(0, 15);
        type(S("7"));
        QTest::keyClick(editor(), Qt::Key_Return);
        QCOMPARE(g->item(0, 15)->text(), S("7"));
        QCOMPARE(g->currentColumn(), 1);
        type(S("5"));
        QTest::keyClick(editor(), Qt::Key_Left);
        QCOMPARE(g->item(0, 1)->text(), S("5"));
        QCOMPARE(g->currentColumn(), 1);
        // Escape leaves the cell as it was.
        type(S("9"));
        QTest::keyClick(editor(), Qt::Key_Escape);
        QCOMPARE(g->item(0, 1)->text(), S("5"));
        // The wait text: three digits at most; Enter writes the plain number.
        m->check(S("chkTimerUse"))->setChecked(true);
        QLineEdit* t = m->text(S("txtTimer"));
        t->clear();
        t->setFocus();
        QTest::keyClicks(t, S("0a07"));
        QCOMPARE(t->text(), S("007"));
        QTest::keyClick(t, Qt::Key_Return);
        QCOMPARE(t->text(), S("7"));
        t->clear();
        QTest::keyClick(t, Qt::Key_Return);
        QCOMPARE(t->text(), S("0"));
        QTest::mouseClick(m->button(S("cmdDataClear")), Qt::LeftButton);
        QCOMPARE(g->item(0, 15)->text(), QString());
        m->close();
    }

    // Enter, Right and Left empty a refused value without a sound; leaving
    // the cell by a click empties it with one beep.
    void programRowRefusesSilentlyOnTheKeysAndBeepsOnLeaving() {
        MotionWorld x(1, 2);
        frmMove* m = openWithRowFocused(x);
        QVERIFY(m);
        QTableWidget* g = m->flgdProgram();
        const auto editor = [g] { return rowEditor(g); };
        // The editor opened on the cell with the text typed (none: opened and
        // emptied).
        const auto typeInto = [&](int col, const QString& text) {
            g->setCurrentCell(0, col);
            g->item(0, col)->setText(S("42"));
            QTest::keyClick(g, '5');
            QLineEdit* e = editor();
            if (!e) return false;
            e->selectAll();
            QTest::keyClick(e, Qt::Key_Backspace);
            for (QChar c : text) QTest::keyClick(e, c.toLatin1());
            return e->text() == text;
        };
        const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Right, Qt::Key_Left};
        for (Qt::Key key : keys)
            for (const char* refused : {"400", "0", "000", "999", ""}) {
                const QString what = QStringLiteral("key %1, \"%2\"").arg(key).arg(S(refused));
                QVERIFY2(typeInto(5, S(refused)), qPrintable(what));
                QTest::keyClick(editor(), key);
                QVERIFY2(!editor(), qPrintable(what));
                QVERIFY2(g->item(0, 5)->text().isEmpty(), qPrintable(what));
                QCOMPARE(g->currentColumn(), key == Qt::Key_Left ? 4 : 6);
                QVERIFY2(m->beeps == 0, qPrintable(what));
            }
        // A click on another cell: a refused value empties its cell with one
        // beep, a good one stays without.
        const auto clickCell = [g](int col) {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, col)).center());
        };
        QVERIFY(typeInto(3, S("400")));
        clickCell(8);
        QVERIFY(!editor());
        QCOMPARE(g->item(0, 3)->text(), QString());
        QCOMPARE(g->currentColumn(), 8);
        QCOMPARE(m->beeps, 1);
        QVERIFY(typeInto(3, S("17")));
        clickCell(9);
        QCOMPARE(g->item(0, 3)->text(), S("17"));
        QCOMPARE(m->beeps, 1);
        // Leaving the row for another control: the same.
        QVERIFY(typeInto(4, S("0")));
        QTest::mouseClick(m->check(S("chkRepeat")), Qt::LeftButton, {}, QPoint(6, 6));
        QTRY_VERIFY(!editor());
        QCOMPARE(g->item(0, 4)->text(), QString());
        QCOMPARE(m->beeps, 2);
        m->close();
    }

    void waitTextsAndCellsTakeDigitsFromEveryInput() {
        MotionWorld x(1, 2);
        x.w->button(S("cmdOpenMoveWin"))->click();
        auto* m = x.w->findChild<frmMove*>();
        QVERIFY(m);
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        // Full-width digits are the digits of the wait; anything else is refused.
        m->check(S("chkTimerUse"))->setChecked(true);
        m->SSTab1()->setCurrentIndex(1);
        m->check(S("chkTimerUse2"))->setChecked(true);
        for (const char* name : {"txtTimer", "txtTimer2"}) {
            QLineEdit* t = m->text(S(name));
            QVERIFY(t->isEnabled());
            t->setFocus();
            t->clear();
            ImeCommit(t, S("１５"));
            QCOMPARE(t->text(), S("15"));
            Paste(t, S("x"));
            QCOMPARE(t->text(), S("15"));
            t->setCursorPosition(0);
            DeleteKey(t);
            QCOMPARE(t->text(), S("5"));
        }
        m->SSTab1()->setCurrentIndex(0);
        QTableWidget* g = m->flgdProgram();
        g->setFocus();
        g->setCurrentCell(0, 2);
        QTest::keyClick(g, '3');
        auto* e = g->findChild<QLineEdit*>(S("txtEdit2"));
        QVERIFY(e && e->isVisible());
        Paste(e, S("２０"));
        QCOMPARE(e->text(), S("320"));
        ImeCommit(e, S("あ"));
        QCOMPARE(e->text(), S("320"));
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(g->item(0, 2)->text(), S("320"));
        m->close();
    }

    void japaneseRangeCouplingAndSingleMove() {
        MotionWorld x(2, 1);
        x.w->menuItem(S("mnuShowMove"))->trigger();
        auto* m = x.w->findChild<frmMove*>();
        QVERIFY(m);
        QCOMPARE(m->windowTitle(), S("移動テスト"));
        QCOMPARE(m->button(S("cmdGrpMoveStop"))->text(), S("強制終了"));
        QCOMPARE(m->slider(S("sldrEndPosiNo"))->value(), 10);
        m->slider(S("sldrStartPosiNo"))->setValue(50);
        QCOMPARE(m->upDown(S("UpDownEndPosiNo"))->value(), 50);
        m->slider(S("sldrEndPosiNo"))->setValue(20);
        QCOMPARE(m->upDown(S("UpDownStartPosiNo"))->value(), 20);
        QTest::mouseClick(m->option(S("optMoveWay1")), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(!m->slider(S("sldrEndPosiNo"))->isEnabled());
        QVERIFY(!m->check(S("chkRepeat2"))->isEnabled());
        m->upDown(S("UpDownStartPosiNo"))->setValue(7);
        QCOMPARE(m->upDown(S("UpDownEndPosiNo"))->value(), 7);
        x.sim().state.homeDone = true;
        QTest::mouseClick(m->button(S("cmdSelectMove")), Qt::LeftButton);
        QCOMPARE(x.sim().received, (std::vector<QByteArray>{"0RH", "0MP007", "0RO"}));
        QCOMPARE(m->lblkanryoNo()->text(), S("7"));
        // The single move's end controls stay off after the run.
        QVERIFY(!m->slider(S("sldrEndPosiNo"))->isEnabled());
        QVERIFY(m->button(S("cmdSelectMove"))->isEnabled());
        m->close();
    }
};

QTEST_MAIN(tst_frmMove)
#include "tst_frmMove.moc"
