// Two windows at once over one controller: the real windows, the real serial
// port and the simulated controller on a pseudo-terminal. While one window's
// job runs, a second command from another window (or a timer) is switched
// off or refused, and the first job ends with its own result and its own
// traffic on the line. Windows whose job runs do not close under it.
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "link/Transfers.h"
#include "mainwin/ui/frmMain.h"
#include "motion/ui/frmIOCheck.h"
#include "motion/ui/frmJOG.h"
#include "motion/ui/frmMove.h"
#include "platform/SerialPort.h"
#include "setup/ParamEditor.h"
#include "setup/ui/frmParameta2.h"
#include "sim/PtySim.h"
#include "testsupport/PtyWindowWorld.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace rer;
using rer::sim::CtSim;
using rer::sim::SimFault;
using namespace rer::test;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

using World = PtyWindowWorld;

} // namespace

class SharedController : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A 399-position write holds the controller: the parameter window's
    // Read is off, and a Read that slips through does nothing. The write
    // ends with every position on the controller and the main window's
    // commands stay off until it ends.
    void positionWriteAgainstParameterRead() {
        World x;
        QVERIFY(x.started);
        x.fillGrid();
        x.w->button(S("cmdParaHyoji"))->click();
        frmParameta2* para = x.window<frmParameta2>();
        QVERIFY(para);
        QVERIFY(para->button(S("cmdParaRead"))->isEnabled());
        x.fault(SimFault(SimFault::Delay, 300, "00B", "0WP0C8")); // position 200

        bool readOff = false, mainOff = false, noRead = false;
        When second([&] { return x.count("0WP0C8") == 1; }, [&] {
            readOff = !para->button(S("cmdParaRead"))->isEnabled();
            const size_t messages = x.t.msg.shown.size();
            para->editor().cmdParaRead_Click(); // a click that slipped through
            noRead = x.t.msg.shown.size() == messages;
            mainOff = !x.w->button(S("cmdPosiRead"))->isEnabled() && !x.w->toolButton(7)->isEnabled() &&
                      !x.w->menuItem(S("mnuFileGetfromCt"))->isEnabled();
        });
        AcceptRangeDialogSoon();
        x.w->button(S("cmdPosiLoad"))->click();

        QVERIFY(second.done);
        QVERIFY(readOff);
        QVERIFY(noRead);
        QVERIFY(mainOff);
        QCOMPARE(x.t.msg.lastText(), S("Completed data transmit."));
        QCOMPARE(x.count("0WP"), 399);
        QCOMPARE(x.count("0RD"), 2); // the write's own stroke check, before its first line
        QVERIFY(!x.anyMessageContains("timeout"));
        const QByteArray p399 = x.pty.withSim([](CtSim& s) { return s.state.positions[399]; });
        QCOMPARE(p399, sim::PositionRecord(399 % 9 + 1, 399 % 3 + 1, 399 % 4, (399 * 13) % 6667, (399 + 3) % 9 + 1,
                                           (399 + 1) % 3 + 1, (399 + 2) % 4, (399 * 7) % 6667, 1, 3, 9));
        QVERIFY(x.w->button(S("cmdPosiRead"))->isEnabled());
        QVERIFY(para->button(S("cmdParaRead"))->isEnabled());
    }

    // A home run holds the controller: View > Version is off, and a Version
    // that slips through sends nothing; the run ends without a false
    // time-out. The motion window stays on the tab the user is on.
    void homeRunAgainstVersion() {
        World x;
        QVERIFY(x.started);
        x.w->button(S("cmdOpenMoveWin"))->click();
        frmMove* move = x.window<frmMove>();
        QVERIFY(move);
        x.fault(SimFault(SimFault::Delay, 400, "00B", "0MP000"));
        move->SSTab1()->setCurrentIndex(1);

        bool versionOff = false, resetOff = false;
        int tabDuring = -1;
        When second([&] { return x.count("0MP000") == 1; }, [&] {
            tabDuring = move->SSTab1()->currentIndex();
            QAction* version = x.w->menuItem(S("mnuShowCtversion"));
            versionOff = !version->isEnabled();
            resetOff = !x.w->button(S("cmdReset"))->isEnabled();
            version->trigger();
            x.w->runCommand(S("mnuShowCtversion")); // slipped through
        });
        QTest::mouseClick(move->button(S("cmdHome")), Qt::LeftButton);

        QVERIFY(second.done);
        QVERIFY(versionOff);
        QVERIFY(resetOff);
        QCOMPARE(tabDuring, 1);
        QCOMPARE(move->SSTab1()->currentIndex(), 1);
        QCOMPARE(x.count("0RV"), 0);
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(move->lblkanryoNo()->text(), S("H0"));
        QVERIFY(x.w->menuItem(S("mnuShowCtversion"))->isEnabled());
        QVERIFY(x.w->button(S("cmdReset"))->isEnabled());
        move->close();
    }

    // The I/O monitor's reads pause during a motion run and go on after it;
    // the I/O commands of the main window are off meanwhile, and an inner
    // command frame does not bring Reset back.
    void motionRunAgainstTheIoMonitor() {
        World x;
        QVERIFY(x.started);
        x.w->button(S("cmdOpenMoveWin"))->click();
        frmMove* move = x.window<frmMove>();
        QVERIFY(move);
        for (int c = 1; c <= 2; ++c) move->flgdProgram()->item(0, c)->setText(QString::number(c));

        frmIOCheck io(x.t.ctx, x.w.get()); // as if it were up already
        io.show();
        QTest::mouseClick(io.cmdIoMonitor(), Qt::LeftButton);
        QTRY_VERIFY(x.count("0RI") >= 1);
        x.fault(SimFault(SimFault::Delay, 800, "00B", "0MP001"));
        x.fault(SimFault(SimFault::Delay, 300, "00B", "0MP002"));

        bool ioOff = false, resetOff = false;
        int readsAtStart = -1, readsAtEnd = -1;
        When during([&] { return x.count("0MP001") == 1; }, [&] {
            readsAtStart = x.count("0RI");
            ioOff = !x.w->button(S("cmdOpenIoWin"))->isEnabled() && !x.w->menuItem(S("mnuShowState"))->isEnabled() &&
                    !x.w->menuItem(S("mnuTeaching"))->isEnabled() && !x.w->button(S("cmdJogTeach"))->isEnabled();
            // Another command's frame inside the run (as the I/O button's).
            x.w->CMDBTN_Muko();
            x.w->CMDBTN_Yuko();
            resetOff = !x.w->button(S("cmdReset"))->isEnabled();
        });
        When late([&] { return x.count("0MP002") == 1; }, [&] { readsAtEnd = x.count("0RI"); });
        QTest::mouseClick(move->button(S("cmdMove")), Qt::LeftButton);

        QVERIFY(during.done);
        QVERIFY(ioOff);
        QVERIFY(resetOff);
        QVERIFY(late.done);
        QCOMPARE(readsAtEnd, readsAtStart); // no read while the run held the controller
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(move->lblkanryoNo()->text(), S("2"));
        QVERIFY(x.w->button(S("cmdReset"))->isEnabled());
        // The monitor goes on after the run.
        const int after = x.count("0RI");
        QTRY_VERIFY(x.count("0RI") > after);
        QTest::mouseClick(io.cmdIoMonitor(), Qt::LeftButton);
        QTRY_VERIFY(io.cmdIoWinClose()->isEnabled());
        io.close();
        move->close();
    }

    // A macro read holds the controller: the group window's Read is off; a
    // Read that slips through asks nothing, sends nothing and leaves the
    // progress window to the macro read.
    void macroReadAgainstGroupRead() {
        World x;
        QVERIFY(x.started);
        x.pty.withSim([](CtSim& s) {
            for (int m = 1; m <= 9; ++m) s.state.macros[size_t(m)] = QByteArray("51") + QByteArray(30, '0');
        });
        x.w->button(S("cmdSqMcrWinOpen"))->click();
        x.w->button(S("cmdOpenGrpWindow"))->click();
        frmSqMcr* sm = x.window<frmSqMcr>();
        frmGrp* grp = x.window<frmGrp>();
        QVERIFY(sm && grp);
        QWidget* progress = x.w->findChild<QWidget*>(S("frmTrance"));
        QVERIFY(progress);
        x.fault(SimFault(SimFault::Delay, 300, "00B", "0RM5"));

        bool readOff = false, asked = true, progressUp = false;
        When second([&] { return x.count("0RM5") == 1; }, [&] {
            readOff = !grp->cmdReadGrp()->isEnabled();
            const size_t messages = x.t.msg.shown.size();
            grp->editor().cmdReadGrp_Click();
            asked = x.t.msg.shown.size() != messages;
            progressUp = progress->isVisible();
        });
        QTest::mouseClick(sm->cmdReadSMfromCt(), Qt::LeftButton);

        QVERIFY(second.done);
        QVERIFY(readOff);
        QVERIFY(!asked);
        QVERIFY(progressUp);
        QCOMPARE(x.count("0RG"), 0);
        QCOMPARE(x.count("0RM"), 9);
        QCOMPARE(x.t.msg.shown.size(), size_t(1)); // the macro read's own question
        for (int m = 0; m < 9; ++m) QCOMPARE(x.t.ctx.sm.SmData[0][size_t(2 * m)], int16_t(5));
        QVERIFY(grp->cmdReadGrp()->isEnabled());
        sm->close();
        grp->close();
    }

    // A parameter window of either product does not close while it reads or
    // writes; the job ends and the window stays usable.
    void parameterWindowClosedDuringItsJob_data() {
        QTest::addColumn<int>("ctType");
        QTest::addColumn<bool>("write");
        QTest::newRow("two-axis read") << 1 << false;
        QTest::newRow("two-axis write") << 1 << true;
        QTest::newRow("one-axis read") << 2 << false;
        QTest::newRow("one-axis write") << 2 << true;
    }
    void parameterWindowClosedDuringItsJob() {
        QFETCH(int, ctType);
        QFETCH(bool, write);
        World x(ctType);
        QVERIFY(x.started);
        x.w->button(S("cmdParaHyoji"))->click();
        QPointer<frmParameta2> para = x.window<frmParameta2>();
        QVERIFY(para);
        if (write) {
            // Values from the controller first, so that the write has them all.
            x.t.msg.answer(MsgAnswer::No);
            QTest::mouseClick(para->button(S("cmdParaRead")), Qt::LeftButton);
            x.t.msg.clear();
        } else {
            x.t.msg.answer(MsgAnswer::No); // no save before the read, if asked
        }
        const char* slow = write ? "0WD2" : "0RD2";
        x.fault(SimFault(SimFault::Delay, 300, "00B", slow));
        bool refused = false;
        When closing([&] { return x.count(slow) == 1; }, [&] { refused = !para->close(); });
        QTest::mouseClick(para->button(S(write ? "cmdParaWrite" : "cmdParaRead")), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(closing.done);
        QVERIFY(refused);
        QVERIFY(!para.isNull());
        QVERIFY(para->isVisible());
        QVERIFY(!x.anyMessageContains("timeout"));
        if (write) {
            QCOMPARE(x.t.msg.lastText(), S("Completed writing parameters. "));
            QCOMPARE(x.count("0WE2"), 1);
        }
        QVERIFY(para->button(S("cmdParaRead"))->isEnabled());
        QVERIFY(para->close());
    }

    // Closing the teaching window while a jog runs stops the axis first.
    void teachingWindowClosedWhileJogging_data() {
        QTest::addColumn<int>("ctType");
        QTest::newRow("two-axis") << 1;
        QTest::newRow("one-axis") << 2;
    }
    void teachingWindowClosedWhileJogging() {
        QFETCH(int, ctType);
        World x(ctType);
        QVERIFY(x.started);
        frmJOG jog(x.t.ctx, ctType == 1 ? Product::TwoAxis : Product::OneAxis, x.w.get());
        jog.show();
        QTest::mouseClick(jog.cmdJOGST(), Qt::LeftButton);
        QTRY_VERIFY(jog.cmdJOG(0)->isEnabled());
        QTest::mousePress(jog.cmdJOG(0), Qt::LeftButton);
        QTRY_COMPARE(x.count("0JR"), 1);
        QCOMPARE(x.count("0SP"), 0);

        jog.close();
        QVERIFY(!jog.isVisible());
        QCOMPARE(x.count("0SP"), 1);
        const std::vector<QByteArray> lines = x.received();
        int jr = -1, sp = -1;
        for (int i = 0; i < int(lines.size()); ++i) {
            if (lines[size_t(i)].startsWith("0JR")) jr = i;
            if (lines[size_t(i)].startsWith("0SP")) sp = i;
        }
        QVERIFY(sp > jr);
        const std::array<int, 2> jogging = x.pty.withSim([](CtSim& s) { return s.state.jogging; });
        QCOMPARE(jogging[0], 0);
    }

    // "Forced ending" during the dwell of a programmed run ends the run at
    // once: no further move goes out.
    void forcedEndingDuringTheDwell() {
        World x;
        QVERIFY(x.started);
        x.w->button(S("cmdOpenMoveWin"))->click();
        frmMove* move = x.window<frmMove>();
        QVERIFY(move);
        for (int c = 1; c <= 3; ++c) move->flgdProgram()->item(0, c)->setText(QString::number(c));
        move->check(S("chkTimerUse"))->setChecked(true);
        move->text(S("txtTimer"))->setText(S("30")); // 3 seconds

        // The first move has ended (its position shown): the run dwells.
        When forced([&] { return move->lblkanryoNo()->text() == S("1"); }, [&] {
            QTest::mouseClick(move->button(S("cmdGrpMoveStop")), Qt::LeftButton);
        });
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(move->button(S("cmdMove")), Qt::LeftButton);

        QVERIFY(forced.done);
        QVERIFY(clock.elapsed() < 2500);
        QCOMPARE(x.count("0MP"), 1);
        QCOMPARE(move->lblkanryoNo()->text(), S("1"));
        QVERIFY(move->button(S("cmdMove"))->isEnabled());
        // The next run is not cut short by what the forced ending left.
        x.pty.withSim([](CtSim& s) { s.received.clear(); });
        move->check(S("chkTimerUse"))->setChecked(false);
        QTest::mouseClick(move->button(S("cmdMove")), Qt::LeftButton);
        QCOMPARE(x.count("0MP"), 3);
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        move->close();
    }

    // Every window-opening command of the main window first puts the line
    // and clipboard commands off.
    void windowOpeningCommandsPrepare_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("modal");
        for (const char* b : {"cmdOpenMoveWin", "cmdOpenGrpWindow", "cmdSqMcrWinOpen", "cmdParaHyoji"})
            QTest::newRow(b) << S(b) << false;
        for (const char* m : {"mnuShowMove", "mnuShowGroup", "mnuShowSqMcr", "mnuShowParameta"})
            QTest::newRow(m) << S(m) << false;
        for (const char* c : {"cmdOpenIoWin", "mnuShowState", "cmdJogTeach", "mnuTeaching"})
            QTest::newRow(c) << S(c) << true;
    }
    void windowOpeningCommandsPrepare() {
        QFETCH(QString, control);
        QFETCH(bool, modal);
        World x;
        QVERIFY(x.started);
        x.w->LineCmd_Yuko(); // as when the grid has the focus
        QList<QObject*> line{x.w->button(S("cmdInsertLine")), x.w->button(S("cmdDeleteLine")),
                             x.w->toolButton(11), x.w->toolButton(12)};
        for (const char* n : {"mnuEditGyoInsert", "mnuEditGyoDelete", "mnuEditCopy", "mnuEditPaste"})
            line << x.w->menuItem(S(n));
        for (QObject* o : line) QVERIFY(Enabled(o));
        if (modal) CloseModalSoon();
        if (QPushButton* b = x.w->button(control)) b->click();
        else x.w->menuItem(control)->trigger();
        for (QObject* o : line) QVERIFY2(!Enabled(o), qPrintable(o->objectName()));
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != x.w.get() && top->isVisible() && top->parent() == x.w.get()) top->close();
    }
};

QTEST_MAIN(SharedController)
#include "tst_sharedcontroller.moc"
