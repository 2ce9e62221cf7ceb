// A running job survives what else the user does meanwhile: the real windows,
// the real serial port and the simulated controller on a pseudo-terminal.
// What would change what the job reads or writes is off for the job; a
// request that arrives inside the job's waits or dialogs is refused as busy
// and changes nothing; the teaching window's "Complete" waits for a press;
// a pause pressed at any moment of a run pauses it.
#include "link/ControllerLink.h"
#include "link/HomeMove.h"
#include "link/IoState.h"
#include "mainwin/ControllerCommands.h"
#include "mainwin/PositionCommands.h"
#include "motion/ui/frmJOG.h"
#include "motion/ui/frmMove.h"
#include "testsupport/PositionHostRecorder.h"
#include "testsupport/PtyWindowWorld.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>
#include <map>

using namespace rer;
using rer::sim::CtSim;
using rer::sim::SimFault;
using rer::test::AcceptRangeDialogSoon;
using rer::test::Enabled;
using rer::test::ModalNamed;
using rer::test::When;
using World = rer::test::PtyWindowWorld;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// The line and clipboard commands of the main window.
QList<QObject*> LineCommands(frmMain& w) {
    QList<QObject*> list{w.button(S("cmdInsertLine")), w.button(S("cmdDeleteLine")), w.toolButton(11),
                         w.toolButton(12)};
    for (const char* n : {"mnuEditGyoInsert", "mnuEditGyoDelete", "mnuEditCopy", "mnuEditPaste"})
        list << w.menuItem(S(n));
    return list;
}

// The names of the controls that are on.
QStringList On(const QList<QObject*>& controls) {
    QStringList on;
    for (QObject* o : controls)
        if (Enabled(o)) on << o->objectName();
    return on;
}

// A click on a cell of the view, and one on a row's number (the whole row).
void ClickCell(QTableView* v, int row, int col) {
    const QModelIndex i = v->model()->index(row - 1, col - 1);
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(i).center());
}
void ClickRowNumber(QTableView* v, int row) {
    QHeaderView* h = v->verticalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->width() / 2, h->sectionViewportPosition(row - 1) + 2));
}

// The motion window of the main window, with positions 1 and 2 in the
// program row.
frmMove* MoveWindow(World& x) {
    x.w->button(S("cmdOpenMoveWin"))->click();
    frmMove* move = x.window<frmMove>();
    if (move)
        for (int c = 1; c <= 2; ++c) move->flgdProgram()->item(0, c)->setText(QString::number(c));
    return move;
}

} // namespace

class JobSurvives : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // During a 399-position read or write the grid is the job's: a click
    // into it brings no line command back, Insert and Delete Line that slip
    // through do nothing, typed keys and a double-click open no editor. The
    // job ends with the grid and the controller alike.
    void gridIsTheJobsDuringAPositionTransfer_data() {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void gridIsTheJobsDuringAPositionTransfer() {
        QFETCH(bool, write);
        World x;
        QVERIFY(x.started);
        x.fillGrid();
        if (!write) {
            // The controller's table: each row holds the grid's next row.
            x.pty.withSim([](CtSim& s) {
                for (int r = 1; r <= 399; ++r) s.state.positions[size_t(r)] = World::gridRecord(r % 399 + 1);
            });
        }
        PositionGrid& g = x.t.ctx.grid.of(Product::TwoAxis);
        QTableView* v = x.w->grid(Product::TwoAxis);
        auto* editor = x.w->findChild<QLineEdit*>(S("txtEdit"));
        QVERIFY(editor);
        const char* slow = write ? "0WP0C8" : "0RP0C8"; // position 200
        x.fault(SimFault(SimFault::Delay, 300, "00B", slow));

        QStringList onAfterClick, onAfterRow;
        int rowsDuring = -1;
        bool editorOpened = false;
        When during([&] { return x.count(slow) == 1; }, [&] {
            ClickCell(v, 5, 2);
            v->setFocus();
            onAfterClick = On(LineCommands(*x.w));
            ClickRowNumber(v, 7);
            onAfterRow = On(LineCommands(*x.w));
            x.w->runCommand(S("DeleteLine")); // slipped through
            x.w->runCommand(S("InsertLine"));
            x.w->runCommand(S("Paste"));
            rowsDuring = g.Rows();
            QTest::keyClick(v, Qt::Key_5);
            editorOpened = editor->isVisible();
            const QModelIndex i = v->model()->index(4, 1);
            QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(i).center());
            editorOpened = editorOpened || editor->isVisible();
        });
        if (write) {
            AcceptRangeDialogSoon();
            x.w->button(S("cmdPosiLoad"))->click();
        } else {
            x.w->button(S("cmdPosiRead"))->click(); // the grid's texts are no file data: no save asked
        }

        QVERIFY(during.done);
        QVERIFY2(onAfterClick.isEmpty(), qPrintable(onAfterClick.join(u' ')));
        QVERIFY2(onAfterRow.isEmpty(), qPrintable(onAfterRow.join(u' ')));
        QCOMPARE(rowsDuring, 400);
        QVERIFY(!editorOpened);
        QVERIFY(!x.anyMessageContains("timeout"));
        QVERIFY(!x.anyMessageContains("line has not been selected"));
        QCOMPARE(g.Rows(), 400);
        if (write) {
            QCOMPARE(x.t.msg.lastText(), S("Completed data transmit."));
            QCOMPARE(x.count("0WP"), 399);
            for (int r = 1; r <= 399; ++r) {
                const QByteArray onController = x.pty.withSim([r](CtSim& s) { return s.state.positions[size_t(r)]; });
                QCOMPARE(onController, World::gridRecord(r));
                QCOMPARE(g.text(r, 4), World::gridRow(r)[4]);
            }
        } else {
            QCOMPARE(x.count("0RP"), 399);
            for (int r = 1; r <= 399; ++r) {
                QCOMPARE(g.text(r, 4).trimmed(), World::gridRow(r % 399 + 1)[4].trimmed());
                QCOMPARE(g.text(r, 8).trimmed(), World::gridRow(r % 399 + 1)[8].trimmed());
            }
        }
        // After the job the grid's focus brings the line commands back.
        for (QObject* o : LineCommands(*x.w)) QVERIFY2(!Enabled(o), qPrintable(o->objectName()));
        ClickCell(v, 3, 2);
        for (QObject* o : LineCommands(*x.w)) QVERIFY2(Enabled(o), qPrintable(o->objectName()));
    }

    // Every helper called while a motion run waits for its move is refused
    // as busy: it sends nothing, closes no port, changes no flag and shows
    // nothing; the run ends as it would have.
    void helpersCalledDuringARunAreBusy() {
        World x;
        QVERIFY(x.started);
        frmMove* move = MoveWindow(x);
        QVERIFY(move);
        frmJOG jog(x.t.ctx, Product::TwoAxis, x.w.get()); // not shown: its helpers only
        test::PositionHostRecorder host(x.t.ctx);
        host.shogoChoice = 2; // the controller, if it were asked
        bool positionsUntouched = false;
        x.fault(SimFault(SimFault::Delay, 400, "00B", "0MP001"));

        std::map<QString, int> results;
        bool portOpen = false, homeDone = false, sameTimeout = false, nothingSent = false, nothingShown = false;
        QString panel;
        When during([&] { return x.count("0MP001") == 1; }, [&] {
            ControllerLink& l = *x.t.ctx.link.ct;
            const size_t lines = x.received().size();
            const int32_t timeout = x.t.ctx.link.TusinTimeout;
            const QString panelBefore = x.w->statusPanel(1)->text();
            results[S("CtCommModeOn")] = l.CtCommModeOn();
            results[S("ReadHomeState")] = ReadHomeState(l);
            results[S("HomeReturnMove")] = HomeReturnMove(l);
            results[S("HomeReturnMoveNoTimeout")] = HomeReturnMoveNoTimeout(l);
            results[S("MovePosiNo")] = MovePosiNo(l, 3);
            results[S("GetVersionNo")] = GetVersionNo(l);
            results[S("CtVersionHyoji")] = CtVersionHyoji(l);
            results[S("CtResetProc")] = CtResetProc(l);
            results[S("GaibuModeChange")] = GaibuModeChange(l);
            results[S("TranceferModeChange")] = TranceferModeChange(l);
            results[S("ReadIoState")] = ReadIoState(l);
            results[S("WriteOutputState")] = WriteOutputState(l);
            results[S("ReadPosidataFromCt")] = ReadPosidataFromCt(l, Product::TwoAxis);
            results[S("ReadDispPOS")] = jog.teach().ReadDispPOS();
            results[S("ReadMaxstrokePls")] = jog.teach().ReadMaxstrokePls();
            // The position commands ask nothing: no range, no question.
            const bool write = PosidataLoadtoCtProc(x.t.ctx, l, host, Product::TwoAxis);
            const bool read = PosidataGetfromCtProc(x.t.ctx, l, host, Product::TwoAxis);
            PosidataLoadtoCt(x.t.ctx, l, host);
            PosidataGetfromCt(x.t.ctx, l, host);
            PosiDataShogoProc(x.t.ctx, l, host);
            PosiDataCtShogo(x.t.ctx, l, host, Product::TwoAxis);
            positionsUntouched = !write && !read && host.calls.isEmpty() && host.rangeShown == 0;
            portOpen = x.port->isOpen();
            homeDone = x.t.ctx.opt.HomeDone;
            sameTimeout = x.t.ctx.link.TusinTimeout == timeout;
            nothingSent = x.received().size() == lines;
            nothingShown = x.t.msg.shown.empty() && x.w->statusPanel(1)->text() == panelBefore;
            panel = x.w->statusPanel(1)->text();
        });
        QTest::mouseClick(move->button(S("cmdMove")), Qt::LeftButton);

        QVERIFY(during.done);
        for (const auto& [name, r] : results) QVERIFY2(r == kLinkBusy, qPrintable(name + S(" gave ") + QString::number(r)));
        QVERIFY2(positionsUntouched, qPrintable(host.calls.join(u' ')));
        QVERIFY(portOpen);
        QVERIFY(homeDone);
        QVERIFY(sameTimeout);
        QVERIFY(nothingSent);
        QVERIFY2(nothingShown, qPrintable(x.t.msg.lastText() + u' ' + panel));
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(move->lblkanryoNo()->text(), S("2"));
        QCOMPARE(x.count("0MP"), 2);
        move->close();
    }

    // The main window's commands that open a window of controller jobs, or
    // change what a job runs on, open nothing while a run waits: each takes
    // the controller first.
    void windowCommandsDuringARunOpenNothing_data() {
        QTest::addColumn<QString>("command");
        for (const char* c : {"cmdOpenIoWin", "mnuShowState", "OpenJogWindow", "cmdChangeDev", "mnuViewOption"})
            QTest::newRow(c) << S(c);
    }
    void windowCommandsDuringARunOpenNothing() {
        QFETCH(QString, command);
        World x;
        QVERIFY(x.started);
        frmMove* move = MoveWindow(x);
        QVERIFY(move);
        x.fault(SimFault(SimFault::Delay, 400, "00B", "0MP001"));

        QString opened;
        // A window that opens anyway is closed again, and named.
        When closer([] { return QApplication::activeModalWidget() != nullptr; }, [&] {
            QWidget* m = QApplication::activeModalWidget();
            opened = m->objectName();
            if (auto* d = qobject_cast<QDialog*>(m)) d->reject();
        });
        When during([&] { return x.count("0MP001") == 1; }, [&] { x.w->runCommand(command); });
        QTest::mouseClick(move->button(S("cmdMove")), Qt::LeftButton);

        QVERIFY(during.done);
        QVERIFY2(opened.isEmpty(), qPrintable(opened));
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(move->lblkanryoNo()->text(), S("2"));
        move->close();
    }

    // While a position job shows its own dialog (the range of a write, the
    // choice of a verification, its result), every other request is
    // refused, the main window's own included: a direct position read sends
    // nothing and a Read command does nothing.
    void positionJobDialogsRefuseOtherRequests_data() {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("range of a write") << S("frmSelectPosiNo");
        QTest::newRow("verification choice") << S("frmDataShogo");
        QTest::newRow("verification result") << S("frmSyogoKekka");
    }
    void positionJobDialogsRefuseOtherRequests() {
        QFETCH(QString, dialog);
        World x;
        QVERIFY(x.started);
        x.fillGrid(); // differs from the controller's table
        const bool result = dialog == S("frmSyogoKekka");
        // The way to the result: the controller is chosen, the whole range.
        When choose([&] { return result && ModalNamed(S("frmDataShogo")); }, [] {
            ModalNamed(S("frmDataShogo"))->findChild<QPushButton*>(S("cmdCtDataShogo"))->click();
        });
        When range([&] { return result && ModalNamed(S("frmSelectPosiNo")); }, [] {
            ModalNamed(S("frmSelectPosiNo"))->findChild<QPushButton*>(S("cmdSelectPosiOk"))->click();
        });
        int read = -1, linesBefore = -1, linesAfter = -1;
        size_t messagesBefore = 0, messagesAfter = 0;
        When inside([&] { return ModalNamed(dialog) != nullptr; }, [&] {
            linesBefore = x.count("0RP");
            messagesBefore = x.t.msg.shown.size();
            read = ReadPosidataFromCt(*x.t.ctx.link.ct, Product::TwoAxis);
            x.w->runCommand(S("PosiRead"));
            linesAfter = x.count("0RP");
            messagesAfter = x.t.msg.shown.size();
            ModalNamed(dialog)->reject();
        });
        x.w->button(S(dialog == S("frmSelectPosiNo") ? "cmdPosiLoad" : "cmdPosiVerify"))->click();

        QVERIFY(inside.done);
        QCOMPARE(read, kLinkBusy);
        QCOMPARE(linesAfter, linesBefore);
        QCOMPARE(linesBefore, result ? 399 : 0);
        QCOMPARE(messagesAfter, messagesBefore);
        QVERIFY(!x.anyMessageContains("timeout"));
        QVERIFY(!x.t.ctx.link.ct->busy());
        // The grid was not replaced by a read.
        QCOMPARE(x.t.ctx.grid.of(Product::TwoAxis).text(5, 4), World::gridRow(5)[4]);
    }

    // "Complete" of the teaching window is off while an inching step talks
    // to the controller, and one that slips through waits for the step: the
    // port stays open and the step ends without a false time-out.
    void teachingCompleteWaitsForTheStep_data() {
        QTest::addColumn<int>("ctType");
        QTest::newRow("two-axis") << 1;
        QTest::newRow("one-axis") << 2;
    }
    void teachingCompleteWaitsForTheStep() {
        QFETCH(int, ctType);
        World x(ctType);
        QVERIFY(x.started);
        frmJOG jog(x.t.ctx, ctType == 1 ? Product::TwoAxis : Product::OneAxis, x.w.get());
        jog.show();
        QTest::mouseClick(jog.cmdJOGST(), Qt::LeftButton);
        QTRY_VERIFY(jog.cmdJOG(0)->isEnabled());
        QVERIFY(jog.cmdJOGend()->isEnabled());
        jog.optJOG(2)->setChecked(true); // 10 pulses
        x.fault(SimFault(SimFault::Delay, 300, "00B", "0MV"));

        bool completeOff = false, portOpen = false, stillUp = false;
        When during([&] { return x.count("0MV") == 1; }, [&] {
            completeOff = !jog.cmdJOGend()->isEnabled();
            QTest::mouseClick(jog.cmdJOGend(), Qt::LeftButton);
            jog.teach().cmdJOGend_Click(); // slipped through
            portOpen = x.port->isOpen();
            stillUp = jog.isVisible();
        });
        QTest::mousePress(jog.cmdJOG(0), Qt::LeftButton);
        QTest::mouseRelease(jog.cmdJOG(0), Qt::LeftButton);

        QVERIFY(during.done);
        QVERIFY(completeOff);
        QVERIFY(portOpen);
        QVERIFY(stillUp);
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QVERIFY(jog.cmdJOGend()->isEnabled());
        QVERIFY(jog.cmdJOG(0)->isEnabled());
        QCOMPARE(jog.lblPosi(0)->text(), S("10"));
        jog.close();
        QVERIFY(!jog.isVisible());
    }

    // "Pause" pressed while a run reads the home state, before its first
    // move, pauses the run there; the next "Move" resumes from the start.
    void pauseWhileTheRunReadsTheHomeState_data() {
        QTest::addColumn<bool>("continual");
        QTest::newRow("programmed run") << false;
        QTest::newRow("start-to-end run") << true;
    }
    void pauseWhileTheRunReadsTheHomeState() {
        QFETCH(bool, continual);
        World x;
        QVERIFY(x.started);
        frmMove* move = MoveWindow(x);
        QVERIFY(move);
        move->flgdProgram()->item(0, 3)->setText(S("3"));
        move->upDown(S("UpDownStartPosiNo"))->setValue(1);
        move->upDown(S("UpDownEndPosiNo"))->setValue(3);
        move->SSTab1()->setCurrentIndex(continual ? 1 : 0);
        QPushButton* run = move->button(S(continual ? "cmdSelectMove" : "cmdMove"));
        QPushButton* pause = move->button(S(continual ? "cmdTempStop2" : "cmdTmpStop"));
        x.fault(SimFault(SimFault::Delay, 300, "00B", "0RH"));

        When during([&] { return x.count("0RH") == 1; }, [&] { QTest::mouseClick(pause, Qt::LeftButton); });
        QTest::mouseClick(run, Qt::LeftButton);

        QVERIFY(during.done);
        QCOMPARE(x.count("0MP"), 0);
        QVERIFY(run->isEnabled());
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        // Resumed: from position 1 to 3.
        QTest::mouseClick(run, Qt::LeftButton);
        QCOMPARE(x.count("0MP"), 3);
        QCOMPARE(x.count("0MP001"), 1);
        QCOMPARE(move->lblkanryoNo()->text(), S("3"));
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        move->close();
    }
};

QTEST_MAIN(JobSurvives)
#include "tst_jobsurvives.moc"
