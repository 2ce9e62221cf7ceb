// The answers a controller still owes, through the real windows, the real
// serial port and the simulated controller on a pseudo-terminal, which
// carries out one request at a time: a request given up leaves its answer
// owed, and it comes before the answer of anything asked after it. The next
// request's time runs from when nothing is owed any more; a late answer, or
// a copy of one, is never taken by another request; an error report that
// comes unasked is shown; one late answer makes one message.
#include "dialogs/ui/frmSqMcr.h"
#include "link/ControllerLink.h"
#include "motion/ui/frmIOCheck.h"
#include "motion/ui/frmJOG.h"
#include "motion/ui/frmMove.h"
#include "motion/ui/SignalLamp.h"
#include "setup/ui/frmParameta2.h"
#include "sim/NewUserState.h"
#include "testsupport/PtyWindowWorld.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;
using rer::sim::SimFault;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// When the simulator received the n-th request with the prefix (from 1);
// -1 when it did not.
qint64 ReceivedAt(PtyWindowWorld& x, const char* prefix, int n) {
    return x.pty.withSim([&](CtSim& s) -> qint64 {
        for (size_t i = 0; i < s.received.size(); ++i)
            if (s.received[i].startsWith(prefix) && --n == 0) return s.receivedAtMs[i];
        return -1;
    });
}

SimFault Double(const char* request, int copyAfterMs) {
    return SimFault(SimFault::Double, copyAfterMs, "00B", request);
}
SimFault Late(const char* request, int ms) { return SimFault(SimFault::Delay, ms, "00B", request); }

// STROKE of a parameter block, in pulses.
void SetStroke(CtSim& s, char block, int pulses) {
    s.state.paramBlocks[block].replace(14, 6, QByteArray::number(pulses, 16).toUpper().rightJustified(6, '0'));
}

} // namespace

class OwedAnswers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A read given up, its answer still coming slowly on the line, then the
    // read again at once: the request waits until the line is free of what
    // is owed, and its time-out counts from then.
    void lineKeptBusyAfterAGivenUpWait_data() {
        QTest::addColumn<int>("gapMs");
        QTest::addColumn<int>("answerMs");
        // The late answer's characters run on 1.5 s or 0.9 s after the time-out.
        QTest::newRow("1.5 s of characters, then an answer at once") << 40 << 0;
        QTest::newRow("0.9 s of characters, then an answer in 0.45 s") << 25 << 450;
    }
    void lineKeptBusyAfterAGivenUpWait() {
        QFETCH(int, gapMs);
        QFETCH(int, answerMs);
        PtyWindowWorld x;
        QVERIFY(x.started);
        x.w->button(S("cmdParaHyoji"))->click();
        auto* para = x.window<frmParameta2>();
        QVERIFY(para);
        x.fault(sim::TrickleFault("0RD2", 950, gapMs));
        QTest::mouseClick(para->button(S("cmdParaRead")), Qt::LeftButton);
        QCOMPARE(x.t.msg.shown.size(), size_t(1));
        QVERIFY(x.t.msg.lastText().startsWith(S("Communication timeout error!")));

        x.t.msg.clear();
        x.pty.withSim([](CtSim& s) { s.received.clear(); });
        if (answerMs > 0) x.fault(Late("0RD0", answerMs));
        QTest::mouseClick(para->button(S("cmdParaRead")), Qt::LeftButton);
        QVERIFY2(!x.failureShown(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(x.count("0RD"), 7);
        QCOMPARE(x.count("0CM0"), 0);
    }

    // Two reads given up in a row, each answered late, then a third at
    // once: it drops both late answers and takes its own, also where it
    // asks again what the one before asked (the macro the controller has
    // changed meanwhile reads as it is now).
    void twoGivenUpInARowThenAThird() {
        PtyWindowWorld x;
        QVERIFY(x.started);
        x.pty.withSim([](CtSim& s) {
            for (int m = 1; m <= 9; ++m) s.state.macros[size_t(m)] = QByteArray("51") + QByteArray(30, '0');
        });
        x.w->button(S("cmdSqMcrWinOpen"))->click();
        auto* sm = x.window<frmSqMcr>();
        QVERIFY(sm);
        x.fault(Late("0RM5", 1600));
        QTest::mouseClick(sm->cmdReadSMfromCt(), Qt::LeftButton);
        QCOMPARE(x.failuresShown(), 1);

        x.fault(Late("0RM1", 1600));
        // Once the controller has taken this read's first request, macro 1
        // changes: a later answer to it tells the new macro.
        When changed([&] { return x.count("0RM1") == 2; }, [&] {
            x.pty.withSim([](CtSim& s) { s.state.macros[1] = QByteArray("62") + QByteArray(30, '0'); });
        });
        QTest::mouseClick(sm->cmdReadSMfromCt(), Qt::LeftButton);
        QVERIFY(changed.done);
        QCOMPARE(x.failuresShown(), 2);

        x.t.msg.clear();
        x.pty.withSim([](CtSim& s) { s.received.clear(); });
        QTest::mouseClick(sm->cmdReadSMfromCt(), Qt::LeftButton);
        QVERIFY2(!x.failureShown(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(x.count("0RM"), 9);
        QCOMPARE(x.count("0CM0"), 0);
        QCOMPARE(x.t.ctx.sm.SmFileData[0][0], int16_t(6)); // the new macro 1, not the late answer
        QCOMPARE(x.t.ctx.sm.SmFileData[0][1], int16_t(2));
        QCOMPARE(x.t.ctx.sm.SmFileData[0][2], int16_t(5));
    }

    // The I/O monitor's input read given up, and the monitor started again
    // at once: the first inputs it shows are the controller's new ones, not
    // the late answer of the read given up.
    void anInputReadAgainShowsTheNewInputs() {
        PtyWindowWorld x;
        QVERIFY(x.started);
        x.pty.withSim([](CtSim& s) { s.state.inputs = "000001"; });
        frmIOCheck d(x.t.ctx, x.w.get());
        d.show();
        x.fault(Late("0RI", 1600));
        When changed([&] { return x.count("0RI") == 1; },
                     [&] { x.pty.withSim([](CtSim& s) { s.state.inputs = "000003"; }); });
        QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(x.t.msg.shown.size(), size_t(1), 4000);
        QVERIFY(x.t.msg.lastText().startsWith(S("Communication timeout error!")));
        QTRY_VERIFY(d.cmdIoWinClose()->isEnabled()); // stopped

        // The first inputs shown after the start.
        const LinkState::IoLampTable before = x.t.ctx.link.IoInput;
        LinkState::IoLampTable first{};
        When shown([&] { return x.t.ctx.link.IoInput != before; }, [&] { first = x.t.ctx.link.IoInput; });
        QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(shown.done, 5000);
        QVERIFY(first[5][2] && first[5][3]); // LS2 and LS1: "000003"
        QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
        QTRY_VERIFY(d.cmdIoWinClose()->isEnabled());
        QCOMPARE(x.t.msg.shown.size(), size_t(1));
        d.close();
    }

    // With the port kept open, an output write of the I/O monitor answered
    // after its time-out: one message, and the monitor's next read gets its
    // own answer.
    void aLateOutputWriteIsOneMessage() {
        PtyWindowWorld x;
        QVERIFY(x.started);
        x.t.ctx.opt.PortOccupy = true;
        frmIOCheck d(x.t.ctx, x.w.get());
        d.show();
        QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
        QTRY_VERIFY(x.count("0RO") >= 1);
        x.fault(Late("0WO", 6500));
        QTest::mouseDClick(d.imgWhiteIcon(28), Qt::LeftButton); // OUT1
        QTRY_COMPARE_WITH_TIMEOUT(x.t.msg.shown.size(), size_t(1), 7000);
        QVERIFY(x.t.msg.lastText().startsWith(S("Communication timeout error!")));
        // The late answer comes; the reads after it get theirs.
        const int reads = x.count("0RI");
        QTRY_VERIFY_WITH_TIMEOUT(x.count("0RI") >= reads + 3, 8000);
        QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
        QTRY_VERIFY(d.cmdIoWinClose()->isEnabled());
        QCOMPARE(x.t.msg.shown.size(), size_t(1));
        QCOMPARE(x.pty.withSim([](CtSim& s) { return s.state.outputs; }), QByteArray("000001"));
        d.close();
    }

    // A copy of an answer that comes again while the next request waits is
    // never that request's answer: the stroke reads of the position write
    // and of the teaching window (both products), a move, the
    // communication mode.
    void aCopyOfAnAnswerIsNeverTaken_data() {
        QTest::addColumn<QString>("job");
        for (const char* j : {"position write, two-axis", "position write, one-axis", "teaching, two-axis",
                              "teaching, one-axis", "programmed run", "communication mode"})
            QTest::newRow(j) << S(j);
    }
    void aCopyOfAnAnswerIsNeverTaken() {
        QFETCH(QString, job);
        const bool oneAxis = job.endsWith(S("one-axis"));
        PtyWindowWorld x(oneAxis ? 2 : 1);
        QVERIFY(x.started);

        if (job.startsWith(S("position write"))) {
            QString why;
            QVERIFY(x.pty.withSim([&](CtSim& s) { return sim::LoadNewUserState(s.state, S(RER_DATA_DIR), &why); }));
            QTest::mouseClick(x.w->button(S("cmdPosiRead")), Qt::LeftButton);
            QVERIFY2(!x.failureShown(), qPrintable(x.t.msg.lastText()));
            // Axis 2's stroke ends at position 2: positions 3 and 4 lie beyond it.
            x.pty.withSim([](CtSim& s) {
                SetStroke(s, '4', s.state.positions[2].mid(11, 5).toInt(nullptr, 16));
                s.received.clear();
            });
            x.t.msg.clear();
            // The copy of the answer read before comes while this one waits.
            if (oneAxis) x.fault(Double("0CM1", 60));
            else x.fault(Double("0RD0", 60));
            x.fault(Late(oneAxis ? "0RD0" : "0RD4", 400));
            AcceptRangeDialogSoon();
            QTest::mouseClick(x.w->button(S("cmdPosiLoad")), Qt::LeftButton);
            if (oneAxis) {
                QCOMPARE(x.t.msg.lastText(), S("Completed data transmit."));
                QCOMPARE(x.count("0WP"), 399);
            } else {
                // Axis 2's own stroke: the positions beyond it are refused.
                QVERIFY2(x.t.msg.lastText().contains(S("exceed the soft limit")), qPrintable(x.t.msg.lastText()));
                QVERIFY2(x.t.msg.lastText().contains(S("<Position No. 3、4、>")), qPrintable(x.t.msg.lastText()));
                QCOMPARE(x.count("0WP"), 0);
            }
        } else if (job.startsWith(S("teaching"))) {
            x.pty.withSim([](CtSim& s) {
                SetStroke(s, '0', 0x30000);
                SetStroke(s, '4', 0x1000);
            });
            frmJOG jog(x.t.ctx, oneAxis ? Product::OneAxis : Product::TwoAxis, x.w.get());
            jog.show();
            if (oneAxis) x.fault(Double("0RC", 60));
            else x.fault(Double("0RD0", 60));
            x.fault(Late(oneAxis ? "0RD0" : "0RD4", 400));
            QTest::mouseClick(jog.cmdJOGST(), Qt::LeftButton);
            QTRY_VERIFY(jog.cmdJOG(0)->isEnabled());
            QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
            QCOMPARE(jog.teach().MaxPOS[0], 0x30000);
            if (!oneAxis) QCOMPARE(jog.teach().MaxPOS[1], 0x1000);
            jog.close();
        } else if (job == S("programmed run")) {
            x.w->button(S("cmdOpenMoveWin"))->click();
            auto* move = x.window<frmMove>();
            QVERIFY(move);
            move->flgdProgram()->item(0, 1)->setText(S("6"));
            move->flgdProgram()->item(0, 2)->setText(S("2"));
            // Move 6's answer again while the axis moves to position 2.
            x.fault(Double("0MP006", 150));
            x.fault(Late("0MP002", 800));
            QTest::mouseClick(move->button(S("cmdMove")), Qt::LeftButton);
            QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
            QCOMPARE(move->lblkanryoNo()->text(), S("2"));
            // The run went on only once position 2 was reached.
            const qint64 moved = ReceivedAt(x, "0MP002", 1), next = ReceivedAt(x, "0RO", 2);
            QVERIFY(moved >= 0 && next >= 0);
            QVERIFY2(next - moved >= 790, qPrintable(QString::number(next - moved)));
            move->close();
        } else {
            // External start mode, its answer doubled; then at once the
            // version, whose mode line "0CM1" must not take "0CM0".
            x.fault(Double("0CM0", 60));
            x.w->menuItem(S("mnuModeGaibu"))->trigger();
            QCOMPARE(x.t.msg.lastText(), S("Chaged to [External start mode]."));
            x.fault(Late("0CM1", 300));
            x.t.msg.clear();
            x.w->menuItem(S("mnuShowCtversion"))->trigger();
            QVERIFY2(!x.failureShown(), qPrintable(x.t.msg.lastText()));
            QCOMPARE(x.w->statusPanel(1)->text(), S("The version of this C/T is 1A3"));
            QVERIFY(x.pty.withSim([](CtSim& s) { return s.state.commMode; }));
            QCOMPARE(x.count("0CM0"), 1); // no link check
        }
    }

    // Forced ending of a move whose answer is an error report, 1.2 s late,
    // then the version at once: the report comes while the version waits
    // for it; it is shown on the main window, the version gets its answer.
    void anErrorReportOwedIsShown() {
        PtyWindowWorld x;
        QVERIFY(x.started);
        x.w->button(S("cmdOpenMoveWin"))->click();
        auto* move = x.window<frmMove>();
        QVERIFY(move);
        move->flgdProgram()->item(0, 1)->setText(S("1"));
        x.fault(SimFault(SimFault::Error, 1200, "019", "0MP001"));
        When forced([&] { return x.count("0MP001") == 1; },
                    [&] { QTest::mouseClick(move->button(S("cmdGrpMoveStop")), Qt::LeftButton); });
        QTest::mouseClick(move->button(S("cmdMove")), Qt::LeftButton);
        QVERIFY(forced.done);

        // The version's own answer comes a while after the report.
        x.fault(Late("0CM1", 300));
        QString alarmNo, comment;
        When shown([&] { return x.w->label(S("lblErrorComment"))->text() == S("Sensor activated at stopping point"); },
                   [&] {
                       alarmNo = x.w->label(S("lblAlarmNo"))->text();
                       comment = x.w->label(S("lblErrorComment"))->text();
                   });
        x.w->menuItem(S("mnuShowCtversion"))->trigger();
        QVERIFY(shown.done);
        QCOMPARE(alarmNo, S("19"));
        QVERIFY2(!x.failureShown(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(x.w->statusPanel(1)->text(), S("The version of this C/T is 1A3"));
        move->close();
    }
};

QTEST_MAIN(OwedAnswers)
#include "tst_owedanswers.moc"
