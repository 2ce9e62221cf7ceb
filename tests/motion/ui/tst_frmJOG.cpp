// The teaching windows opened by the main window's command: jog with the
// mouse, take the position in and adopt the list into the main grid.
#include "mainwin/PositionEditor.h"
#include "motion/ui/frmJOG.h"
#include "testsupport/InputEvents.h"
#include "testsupport/MotionWorld.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace rer;
using namespace rer::test;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
void ClickRow(QTableView* v, int row) {
    const QModelIndex idx = v->model()->index(row - 1, 0);
    v->scrollTo(idx);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(idx).center());
}
// The simulated controller homed, with a stroke of 5000 pulses on each axis.
void HomedWithStroke(MotionWorld& x) {
    x.sim().state.homeDone = true;
    for (char b : {'0', '4'}) x.sim().state.paramBlocks[b].replace(14, 6, "001388");
}
// Closes the teaching window as it goes out of scope, also when a
// comparison failed, without adopting the list.
struct CloseWithoutAdopting {
    frmJOG& d;
    MotionWorld& x;
    ~CloseWithoutAdopting() {
        x.t.msg.script = {MsgAnswer::No};
        d.close();
    }
};
} // namespace

class tst_frmJOG : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void twoAxisJogTakeInAndAdopt() {
        MotionWorld x(1, 2, false);
        x.sim().state.homeDone = true;
        x.sim().state.axisPos = {1234, 0};
        x.sim().state.paramBlocks['0'].replace(14, 6, "001388");
        x.sim().state.paramBlocks['4'].replace(14, 6, "001388");
        PositionGrid& g = x.ctx().grid.of(Product::TwoAxis);
        g.setText(5, 4, S("    500"));
        bool ran = false;
        WhenModalOpens<frmJOG>([&](frmJOG& d) {
            ran = true;
            QCOMPARE(d.objectName(), S("frmJOG"));
            QCOMPARE(d.windowTitle(), S("Teaching"));
            QCOMPARE(d.cmdJOG(3)->text(), S("Axis2 -"));
            QCOMPARE(d.lblGenzaitiHyoji()->text(), S("Present Position(PLS)"));
            QCOMPARE(d.teach().list().text(5, 1), S("    500"));
            QVERIFY(!x.w->button(S("cmdInsertLine"))->isEnabled());
            QVERIFY(!d.cmdJOG(0)->isEnabled());
            QVERIFY(d.TimerBosoKansi()->isActive());
            QTest::mouseClick(d.cmdJOGST(), Qt::LeftButton);
            QVERIFY(d.cmdJOG(0)->isEnabled());
            QCOMPARE(d.lblPosi(0)->text(), S("1234"));
            // Hold "Axis1 +" and let go: jog, stop, read.
            x.sim().received.clear();
            QTest::mousePress(d.cmdJOG(0), Qt::LeftButton);
            QTest::mouseRelease(d.cmdJOG(0), Qt::LeftButton);
            QCOMPARE(x.sim().received, (std::vector<QByteArray>{"0RC", "0JR1100", "0SP", "0RC"}));
            QCOMPARE(d.lblPosi(0)->text(), S("1334"));
            // Teach row 5, axis 1 only.
            ClickRow(d.flgdJOGPosi(), 5);
            QCOMPARE(d.lblPosiNo()->text(), S("5"));
            d.CheckAxisEnable(0)->setChecked(true);
            QTest::mouseClick(d.cmdJOGWrite(), Qt::LeftButton);
            QCOMPARE(d.teach().list().text(5, 1), S("   1334"));
            x.t.msg.script = {MsgAnswer::Yes};
            QTest::mouseClick(d.cmdJOGend(), Qt::LeftButton);
        });
        x.w->button(S("cmdJogTeach"))->click();
        QVERIFY(ran);
        QCOMPARE(g.text(5, 4), S("   1334"));
        QCOMPARE(g.Tag, kDataChange);
        QCOMPARE(x.w->grid(Product::TwoAxis)->model()->index(4, 3).data().toString(), S("   1334"));
        QVERIFY(!x.w->button(S("cmdInsertLine"))->isEnabled());
        QVERIFY(!x.w->button(S("cmdDeleteLine"))->isEnabled());
        QVERIFY(!x.port.isOpen());
        QCOMPARE(x.t.msg.shown.size(), size_t(1));
    }

    void oneAxisJapaneseInchAndCancelThenNo() {
        MotionWorld x(2, 1, true);
        x.sim().state.homeDone = true;
        x.sim().state.paramBlocks['0'].replace(14, 6, "001388");
        PositionGrid& g = x.ctx().grid.of(Product::OneAxis);
        const auto before = g.snapshot();
        bool ran = false;
        WhenModalOpens<frmJOG>([&](frmJOG& d) {
            ran = true;
            QCOMPARE(d.objectName(), S("frmW3kJOG"));
            QCOMPARE(d.windowTitle(), S("ﾃｨｰﾁﾝｸﾞ"));
            QCOMPARE(d.optJOG(2)->text(), S("ﾊﾟﾙｽ送り\u300010ﾊﾟﾙｽ"));
            QCOMPARE(d.cmdJOG(0)->text(), S("１軸 前進"));
            QVERIFY(!d.cmdJOG(2));
            QVERIFY(!d.lblPosi(1));
            QVERIFY(!d.CheckAxisEnable(0));
            QCOMPARE(d.lblGenzaitiHyoji()->text(), S("現在値(mm)"));
            QTest::mouseClick(d.cmdJOGST(), Qt::LeftButton);
            d.optJOG(3)->setChecked(true);
            QTest::mouseClick(d.cmdJOG(0), Qt::LeftButton);
            QCOMPARE(x.sim().state.axisPos[0], 100);
            QCOMPARE(d.lblPosi(0)->text(), S("  1.500")); // 100 pulses of 6 mm / 400
            QTest::mouseClick(d.cmdJOGWrite(), Qt::LeftButton);
            QCOMPARE(d.teach().list().text(1, 1), S("  1.500"));
            x.t.msg.script = {MsgAnswer::Cancel, MsgAnswer::No};
            d.close();
            QVERIFY(d.isVisible());
            QCOMPARE(x.t.msg.shown.back().text, S("ﾃｨｰﾁﾝｸﾞしたﾃﾞｰﾀをﾒｲﾝ画面のﾃﾞｰﾀに反映しますか？"));
            d.close();
        });
        x.w->menuItem(S("mnuTeaching"))->trigger();
        QVERIFY(ran);
        QCOMPARE(x.t.msg.shown.size(), size_t(2));
        QVERIFY(g.snapshot() == before);
        QVERIFY(g.Tag.isEmpty());
    }

    // Held down, a jog button's read-out follows the axis; "Complete" stays
    // off until the jog has stopped.
    void aHeldJogShowsThePositionAsItChanges_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::newRow("two-axis English") << 1 << 2;
        QTest::newRow("one-axis Japanese") << 2 << 1;
    }
    void aHeldJogShowsThePositionAsItChanges() {
        QFETCH(int, ctType);
        QFETCH(int, language);
        MotionWorld x(ctType, language, false);
        HomedWithStroke(x);
        x.sim().state.axisPos = {1000, 0};
        bool ran = false;
        WhenModalOpens<frmJOG>([&](frmJOG& d) {
            ran = true;
            CloseWithoutAdopting closer{d, x};
            QTest::mouseClick(d.cmdJOGST(), Qt::LeftButton);
            QCOMPARE(d.lblPosi(0)->text(), S("1000"));
            QVERIFY(d.cmdJOGend()->isEnabled());
            x.sim().received.clear();
            QTest::mousePress(d.cmdJOG(0), Qt::LeftButton);
            QVERIFY(!d.cmdJOGend()->isEnabled());
            // Read while held: 1100, 1200, ...
            QTRY_VERIFY_WITH_TIMEOUT(d.lblPosi(0)->text().toInt() >= 1200, 3000);
            QVERIFY(!d.cmdJOGend()->isEnabled());
            QTest::mouseRelease(d.cmdJOG(0), Qt::LeftButton);
            const std::vector<QByteArray>& sent = x.sim().received;
            QVERIFY(sent.size() >= 5);
            QCOMPARE(sent.front(), QByteArray("0RC"));
            QCOMPARE(sent.at(1), QByteArray("0JR1100"));
            QCOMPARE(sent.at(sent.size() - 2), QByteArray("0SP"));
            QCOMPARE(sent.back(), QByteArray("0RC"));
            QCOMPARE(d.lblPosi(0)->text(), QString::number(x.sim().state.axisPos[0]));
            QCOMPARE(x.sim().state.jogging[0], 0);
            QVERIFY(d.cmdJOGend()->isEnabled());
        });
        x.w->button(S("cmdJogTeach"))->click();
        QVERIFY(ran);
    }

    // Once started, Tab goes down the window as it is laid out, the list at
    // its right last.
    void tabFollowsTheLayout_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<QStringList>("ring");
        QTest::newRow("two-axis") << 1
                                  << QStringList{S("optJOG0"), S("cmdJOG0"), S("cmdJOG1"), S("cmdJOG2"),
                                                 S("cmdJOG3"), S("CheckAxisEnable0"), S("CheckAxisEnable1"),
                                                 S("cmdJOGWrite"), S("cmdJOGend"), S("flgdJOGPosi")};
        QTest::newRow("one-axis") << 2
                                  << QStringList{S("optJOG0"), S("cmdJOG0"), S("cmdJOG1"), S("cmdJOGWrite"),
                                                 S("cmdJOGend"), S("flgdJOGPosi")};
    }
    void tabFollowsTheLayout() {
        QFETCH(int, ctType);
        QFETCH(QStringList, ring);
        MotionWorld x(ctType, 2, false);
        HomedWithStroke(x);
        QStringList tabbed;
        WhenModalOpens<frmJOG>([&](frmJOG& d) {
            CloseWithoutAdopting closer{d, x};
            QTest::mouseClick(d.cmdJOGST(), Qt::LeftButton);
            d.optJOG(0)->setFocus(Qt::TabFocusReason);
            if (QApplication::focusWidget() == d.optJOG(0)) tabbed = TabRing(d.optJOG(0));
        });
        x.w->button(S("cmdJogTeach"))->click();
        QCOMPARE(tabbed, ring);
    }

    // The millimetre read-out rounds the decimal value, as the grid does:
    // 1 pulse at lead 3 and 400 pulses per revolution is 0.0075 mm.
    void millimetreReadOutRoundsAsTheGrid_data() {
        QTest::addColumn<int>("ctType");
        QTest::newRow("two-axis") << 1;
        QTest::newRow("one-axis") << 2;
    }
    void millimetreReadOutRoundsAsTheGrid() {
        QFETCH(int, ctType);
        MotionWorld x(ctType, 2, true);
        const Product p = ctType == 1 ? Product::TwoAxis : Product::OneAxis;
        for (AxisActuator& a : x.ctx().dev.axes(p)) a.Lead = 3;
        HomedWithStroke(x);
        x.sim().state.axisPos = {1, 3};
        bool ran = false;
        WhenModalOpens<frmJOG>([&](frmJOG& d) {
            ran = true;
            CloseWithoutAdopting closer{d, x};
            QTest::mouseClick(d.cmdJOGST(), Qt::LeftButton);
            QCOMPARE(d.lblPosi(0)->text(), S("  0.008"));
            if (p == Product::TwoAxis) QCOMPARE(d.lblPosi(1)->text(), S("  0.023")); // 0.0225 mm
            ClickRow(d.flgdJOGPosi(), 5);
            if (p == Product::TwoAxis) d.CheckAxisEnable(0)->setChecked(true);
            QTest::mouseClick(d.cmdJOGWrite(), Qt::LeftButton);
            QCOMPARE(d.teach().list().text(5, 1), S("  0.008"));
        });
        x.w->button(S("cmdJogTeach"))->click();
        QVERIFY(ran);
    }
};

QTEST_MAIN(tst_frmJOG)
#include "tst_frmJOG.moc"
