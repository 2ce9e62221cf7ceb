// The I/O monitor window opened by the main window's commands, against the
// simulated controller.
#include "motion/IoMonitor.h"
#include "motion/ui/SignalLamp.h"
#include "motion/ui/frmIOCheck.h"
#include "testsupport/MotionWorld.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace rer;
using namespace rer::test;

class tst_frmIOCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonRunsTheMonitorAndOutputsFlip() {
        MotionWorld x;
        x.sim().state.inputs = "003001";
        x.sim().state.outputs = "F00000";
        bool commandsOff = false, ran = false;
        WhenModalOpens<frmIOCheck>([&](frmIOCheck& d) {
            ran = true;
            commandsOff = !x.w->button(QStringLiteral("cmdOpenIoWin"))->isEnabled();
            QCOMPARE(d.windowTitle(), QStringLiteral("State of Input/Output"));
            QCOMPARE(d.cmdIoMonitor()->text(), QStringLiteral("Start Monitor"));
            QCOMPARE(d.cmdIoWinClose()->text(), QStringLiteral("Close"));
            QVERIFY(!d.PictureLs2()->isHidden());
            QVERIFY(d.label(QStringLiteral("lblOutputEXP4")));
            QCOMPARE(d.label(QStringLiteral("lblInputHomeLs1"))->text(), QStringLiteral("LS1"));
            QVERIFY(d.lamp(QStringLiteral("imgInputP200"))->isHidden());
            QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
            QCOMPARE(d.cmdIoMonitor()->text(), QStringLiteral("Stop Monitor"));
            QVERIFY(!d.cmdIoWinClose()->isEnabled());
            QTRY_VERIFY(!d.lamp(QStringLiteral("imgInputP200"))->isHidden());
            QVERIFY(!d.lamp(QStringLiteral("imgInputP100"))->isHidden());
            QVERIFY(!d.lamp(QStringLiteral("imgInputHomeLs1"))->isHidden());
            QVERIFY(d.lamp(QStringLiteral("imgInputHomeLs2"))->isHidden());
            QVERIFY(!d.lamp(QStringLiteral("imgOutputAlm"))->isHidden());
            QVERIFY(d.lamp(QStringLiteral("imgOutputOut1"))->isHidden());
            // Double-click the unlit OUT1 icon: the output goes on.
            QTest::mouseDClick(d.imgWhiteIcon(28), Qt::LeftButton);
            QTRY_COMPARE(x.sim().state.outputs, QByteArray("F00001"));
            QTRY_VERIFY(!d.lamp(QStringLiteral("imgOutputOut1"))->isHidden());
            // And the lit lamp turns it off again.
            QTest::mouseDClick(d.lamp(QStringLiteral("imgOutputOut1")), Qt::LeftButton);
            QTRY_COMPARE(x.sim().state.outputs, QByteArray("F00000"));
            QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
            QVERIFY(d.cmdIoWinClose()->isEnabled());
            QTRY_VERIFY(!d.timerInputOutput1()->isActive());
            QVERIFY(!x.port.isOpen());
            QTest::mouseClick(d.cmdIoWinClose(), Qt::LeftButton);
        });
        x.w->button(QStringLiteral("cmdOpenIoWin"))->click();
        QVERIFY(ran);
        QVERIFY(commandsOff);
        QVERIFY(x.w->button(QStringLiteral("cmdOpenIoWin"))->isEnabled());
        QVERIFY(x.t.msg.shown.empty());
    }

    void menuOneAxisJapaneseAndCloseWhileRunning() {
        MotionWorld x(2, 1);
        bool ran = false;
        WhenModalOpens<frmIOCheck>([&](frmIOCheck& d) {
            ran = true;
            QCOMPARE(d.windowTitle(), QStringLiteral("入出力の状態"));
            QCOMPARE(d.cmdIoMonitor()->text(), QStringLiteral("モニタ開始"));
            QCOMPARE(d.cmdIoWinClose()->text(), QStringLiteral("閉じる"));
            QVERIFY(d.PictureLs2()->isHidden());
            QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
            QCOMPARE(d.cmdIoMonitor()->text(), QStringLiteral("モニタ停止"));
            QTRY_VERIFY(x.sim().received.size() >= 2);
            d.close(); // the close box while running
        });
        x.w->menuItem(QStringLiteral("mnuShowState"))->trigger();
        QVERIFY(ran);
        QVERIFY(x.ctx().motion.IoCheckTeisi);
        const size_t n = x.sim().received.size();
        QTest::qWait(400);
        QCOMPARE(x.sim().received.size(), n); // no tick after the close
    }

    // The lamps stand as the signal table: lamps of one digit on one row,
    // rows in digit order; lamps of one weight in one column, 8 at the left.
    void lampsStandAsTheSignalTable() {
        MotionWorld x;
        frmIOCheck d(x.ctx(), x.w.get());
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        for (const auto& [lamps, count] : {std::pair{kInputLamps, 20}, std::pair{kOutputLamps, 19}}) {
            auto centre = [&d](const IoLamp& l) {
                const QWidget* w = d.imgWhiteIcon(l.whiteIcon);
                return w->mapTo(&d, w->rect().center());
            };
            for (int i = 0; i < count; ++i)
                for (int j = 0; j < count; ++j) {
                    const IoLamp& a = lamps[i];
                    const IoLamp& b = lamps[j];
                    const QPoint pa = centre(a), pb = centre(b);
                    const QString pair = QStringLiteral("%1 / %2").arg(QLatin1String(a.caption), QLatin1String(b.caption));
                    QVERIFY2((a.digit == b.digit) == (pa.y() == pb.y()), qPrintable(pair));
                    QVERIFY2((a.bit == b.bit) == (pa.x() == pb.x()), qPrintable(pair));
                    if (a.digit < b.digit) QVERIFY2(pa.y() < pb.y(), qPrintable(pair));
                    if (a.bit < b.bit) QVERIFY2(pa.x() < pb.x(), qPrintable(pair));
                }
        }
    }
};

QTEST_MAIN(tst_frmIOCheck)
#include "tst_frmIOCheck.moc"
