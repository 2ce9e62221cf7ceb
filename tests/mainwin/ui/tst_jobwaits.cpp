// A job whose wait something else holds up: the real windows, the real
// serial port and the simulated controller on a pseudo-terminal. A box of
// another window kept up past the running exchange's time-out, or the
// thread stalled past it, while the reply comes: once the box closes the
// job carries on where it was and ends with its own result and its own
// traffic on the line. After "Forced ending" another window's job started
// at once gets its own answers.
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "motion/ui/frmMove.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/PtyWindowWorld.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>
#include <chrono>
#include <thread>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;
using rer::sim::SimFault;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

// What holds the job's wait up.
enum class Hold {
    AboutBox,    // Help > About of the main window, kept up
    ExitRefusal, // File > Exit's own refusal box, kept up
    Stall,       // the thread busy, no event handled
};

// One job of a window, started by its button.
struct Job {
    const char* name;
    int ctType;
    const char* slow;      // the request whose wait is held up
    int holdMs;            // longer than that exchange's time-out
    // Opens the window and readies its data; returns the button that starts
    // the job (null when the set-up failed).
    std::function<QAbstractButton*(PtyWindowWorld&)> setUp;
    // Empty when the job ended with its own result.
    std::function<QString(PtyWindowWorld&)> check;
};

// Requests that went out after the job began, by prefix.
int Sent(PtyWindowWorld& x, const char* prefix) { return x.count(prefix); }

QString Expect(bool ok, const QString& what) { return ok ? QString() : what; }

frmParameta2* ParamWindow(PtyWindowWorld& x) {
    x.w->button(S("cmdParaHyoji"))->click();
    return x.window<frmParameta2>();
}

const std::vector<Job>& Jobs() {
    static const std::vector<Job> jobs = {
        {"position write", 1, "0WP0C8", 5600,
         [](PtyWindowWorld& x) -> QAbstractButton* {
             x.fillGrid();
             AcceptRangeDialogSoon();
             return x.w->button(S("cmdPosiLoad"));
         },
         [](PtyWindowWorld& x) {
             const QByteArray p399 = x.pty.withSim([](CtSim& s) { return s.state.positions[399]; });
             return Expect(x.t.msg.lastText() == S("Completed data transmit.") && Sent(x, "0WP") == 399 &&
                               p399 == PtyWindowWorld::gridRecord(399),
                           S("write incomplete"));
         }},
        {"position read", 1, "0RP0C8", 5600,
         [](PtyWindowWorld& x) -> QAbstractButton* {
             x.pty.withSim([](CtSim& s) {
                 for (int r = 1; r <= 399; ++r) s.state.positions[size_t(r)] = PtyWindowWorld::gridRecord(r);
             });
             return x.w->button(S("cmdPosiRead"));
         },
         [](PtyWindowWorld& x) {
             const PositionGrid& g = x.t.ctx.grid.of(Product::TwoAxis);
             return Expect(Sent(x, "0RP") == 399 && g.text(399, 4).trimmed() == PtyWindowWorld::gridRow(399)[4].trimmed(),
                           S("read incomplete"));
         }},
        {"parameter read, two-axis", 1, "0RD2", 1400,
         [](PtyWindowWorld& x) -> QAbstractButton* {
             frmParameta2* p = ParamWindow(x);
             return p ? p->button(S("cmdParaRead")) : nullptr;
         },
         [](PtyWindowWorld& x) {
             return Expect(Sent(x, "0RD") == 7 && !x.t.ctx.para.of(Product::TwoAxis).ParaFileData.empty(),
                           S("read incomplete"));
         }},
        {"parameter read, one-axis", 2, "0RD2", 1400,
         [](PtyWindowWorld& x) -> QAbstractButton* {
             frmParameta2* p = ParamWindow(x);
             return p ? p->button(S("cmdParaRead")) : nullptr;
         },
         [](PtyWindowWorld& x) { return Expect(Sent(x, "0RD") == 7, S("read incomplete")); }},
        {"parameter write, two-axis", 1, "0WD2", 1400,
         [](PtyWindowWorld& x) -> QAbstractButton* {
             frmParameta2* p = ParamWindow(x);
             if (!p) return nullptr;
             p->editor().cmdParaRead_Click();
             x.pty.withSim([](CtSim& s) { s.received.clear(); });
             return p->button(S("cmdParaWrite"));
         },
         [](PtyWindowWorld& x) {
             const auto log = x.pty.withSim([](CtSim& s) { return s.state.commitLog; });
             return Expect(x.t.msg.lastText() == S("Completed writing parameters. ") && Sent(x, "0WD") == 7 &&
                               !log.empty() && log.back() == "0WE2",
                           S("write incomplete"));
         }},
        {"group write", 1, "0WG32", 5600,
         [](PtyWindowWorld& x) -> QAbstractButton* {
             x.pty.withSim([](CtSim& s) {
                 for (int n = 1; n <= 99; ++n) s.state.groups[size_t(n)] = {n, n + 1};
             });
             x.w->button(S("cmdOpenGrpWindow"))->click();
             frmGrp* g = x.window<frmGrp>();
             if (!g) return nullptr;
             g->editor().cmdReadGrp_Click();
             x.pty.withSim([](CtSim& s) { s.received.clear(); });
             return g->cmdWriteGrp();
         },
         [](PtyWindowWorld& x) {
             const auto log = x.pty.withSim([](CtSim& s) { return s.state.commitLog; });
             return Expect(Sent(x, "0WG") == 99 && !log.empty() && log.back() == "0WE3", S("write incomplete"));
         }},
        {"macro write", 1, "0WM5", 1400,
         [](PtyWindowWorld& x) -> QAbstractButton* {
             x.pty.withSim([](CtSim& s) {
                 for (int m = 1; m <= 9; ++m) s.state.macros[size_t(m)] = QByteArray("51") + QByteArray(30, '0');
             });
             x.w->button(S("cmdSqMcrWinOpen"))->click();
             frmSqMcr* sm = x.window<frmSqMcr>();
             if (!sm) return nullptr;
             QTest::mouseClick(sm->cmdReadSMfromCt(), Qt::LeftButton);
             x.pty.withSim([](CtSim& s) { s.received.clear(); });
             return sm->cmdWriteSMtoCt();
         },
         [](PtyWindowWorld& x) {
             const auto log = x.pty.withSim([](CtSim& s) { return s.state.commitLog; });
             return Expect(Sent(x, "0WM") == 9 && !log.empty() && log.back() == "0WE1", S("write incomplete"));
         }},
        {"programmed run", 1, "0MP002", 300,
         [](PtyWindowWorld& x) -> QAbstractButton* {
             x.w->button(S("cmdOpenMoveWin"))->click();
             frmMove* move = x.window<frmMove>();
             if (!move) return nullptr;
             for (int c = 1; c <= 3; ++c) move->flgdProgram()->item(0, c)->setText(QString::number(c));
             return move->button(S("cmdMove"));
         },
         [](PtyWindowWorld& x) {
             frmMove* move = x.window<frmMove>();
             return Expect(Sent(x, "0MP") == 3 && move->lblkanryoNo()->text() == S("3"), S("run ended early"));
         }},
    };
    return jobs;
}

} // namespace

class JobWaits : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aBoxOrAStallOverTheWaitDoesNotFailTheJob_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("hold");
        const auto& jobs = Jobs();
        for (int j = 0; j < int(jobs.size()); ++j) {
            // Each job under one of the holds, every hold under several jobs.
            const Hold h = Hold(j % 3);
            const char* how = h == Hold::AboutBox ? "About box" : h == Hold::ExitRefusal ? "Exit refusal" : "stall";
            QTest::newRow(qPrintable(QStringLiteral("%1 / %2").arg(S(jobs[size_t(j)].name), S(how))))
                << j << int(h);
        }
        // The position write, whose exchanges wait longest, under every hold.
        QTest::newRow("position write / Exit refusal") << 0 << int(Hold::ExitRefusal);
        QTest::newRow("position write / stall") << 0 << int(Hold::Stall);
    }
    void aBoxOrAStallOverTheWaitDoesNotFailTheJob() {
        QFETCH(int, job);
        QFETCH(int, hold);
        const Job& j = Jobs()[size_t(job)];
        const Hold h = Hold(hold);
        PtyWindowWorld x(j.ctType);
        QVERIFY(x.started);
        x.t.ctx.opt.MoveTimeout = 1;
        QAbstractButton* start = j.setUp(x);
        QVERIFY(start);
        QVERIFY(start->isEnabled());
        x.pty.withSim([](CtSim& s) { s.received.clear(); });
        x.t.msg.clear();
        // The reply to the slow request comes while the wait is held up.
        x.fault(SimFault(SimFault::Delay, 150, "00B", j.slow));

        bool held = false;
        When during([&] { return x.count(j.slow) == 1; }, [&] {
            held = true;
            switch (h) {
            case Hold::AboutBox: {
                QAction* about = x.w->menuItem(S("mnuHelpAbout"));
                QVERIFY(about->isEnabled());
                QTimer::singleShot(j.holdMs, [] {
                    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
                });
                // The move clock runs on while the box is up.
                QTimer::singleShot(j.holdMs / 2, [&x] { x.t.sys.seconds += 100; });
                about->trigger();
                break;
            }
            case Hold::ExitRefusal:
                QTimer::singleShot(j.holdMs / 2, [&x] { x.t.sys.seconds += 100; });
                x.t.msg.holdNext(j.holdMs);
                x.w->close(); // refused while the job runs: its box stays up a while
                break;
            case Hold::Stall:
                std::this_thread::sleep_for(std::chrono::milliseconds(j.holdMs));
                x.t.sys.seconds += 100;
                break;
            }
        });
        QTest::mouseClick(start, Qt::LeftButton);

        QVERIFY(held);
        QVERIFY(x.w->isVisible());
        QVERIFY2(!x.failureShown(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(x.count("0CM0"), 0); // no link check: every answer was its own
        const QString why = j.check(x);
        QVERIFY2(why.isEmpty(), qPrintable(why + S(": ") + x.t.msg.lastText()));
    }

    // "Forced ending" while a move waits for its end, then another window's
    // job at once: the move's late answer comes while that job waits; it is
    // dropped and the job ends with its own answers.
    void forcedEndingThenAnotherWindowsJob() {
        PtyWindowWorld x;
        QVERIFY(x.started);
        x.t.ctx.opt.PortOccupy = true; // the line stays open between the jobs
        x.w->button(S("cmdOpenMoveWin"))->click();
        frmMove* move = x.window<frmMove>();
        QVERIFY(move);
        for (int c = 1; c <= 2; ++c) move->flgdProgram()->item(0, c)->setText(QString::number(c));
        frmParameta2* para = ParamWindow(x);
        QVERIFY(para);
        x.fault(SimFault(SimFault::Delay, 600, "00B", "0MP001"));

        When forced([&] { return x.count("0MP001") == 1; },
                    [&] { QTest::mouseClick(move->button(S("cmdGrpMoveStop")), Qt::LeftButton); });
        QTest::mouseClick(move->button(S("cmdMove")), Qt::LeftButton);
        QVERIFY(forced.done);
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));

        x.pty.withSim([](CtSim& s) { s.received.clear(); });
        QVERIFY(para->button(S("cmdParaRead"))->isEnabled());
        QTest::mouseClick(para->button(S("cmdParaRead")), Qt::LeftButton);
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(x.count("0RD"), 7);
        QCOMPARE(x.count("0CM0"), 0);
        QCOMPARE(x.count("0MP"), 0); // nothing the user did not ask for
        move->close();
    }
};

QTEST_MAIN(JobWaits)
#include "tst_jobwaits.moc"
