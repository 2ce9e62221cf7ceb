// The line made clean after a wait that was given up: the real windows, the
// real serial port and the simulated controller on a pseudo-terminal, which
// carries out one request at a time. A job is given up (its time-out, or
// "Forced ending" of a move) while its answer comes late, never, cut short,
// doubled or followed by a stray character; at once the same job runs again,
// then a job of another window. Each gets its own answers, after the one
// read that makes the line clean, and no box. Every wait for what the
// controller still owes ends at once when the user asks.
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "link/ControllerLink.h"
#include "link/ui/frmTrance.h"
#include "motion/ui/frmIOCheck.h"
#include "motion/ui/frmJOG.h"
#include "motion/ui/frmMove.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/PtyWindowWorld.h"
#include "testsupport/RunTimer.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;
using rer::sim::SimFault;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

QString Traffic(const std::vector<QByteArray>& requests) {
    QStringList t;
    for (const QByteArray& r : requests) t << QString::fromLatin1(r);
    return t.join(QLatin1Char(' '));
}

bool IsCleanUpRead(const QByteArray& r) { return r == "0RH" || r == "0RI" || r == "0RO"; }

// What the answer of the request given up does.
enum class Answer { Late, Never, Cut, Doubled, Stray };
const char* const kAnswers[] = {"late", "never", "cut short", "doubled", "with a stray character"};

SimFault AnswerFault(Answer a, const char* request, int lateMs) {
    switch (a) {
    case Answer::Late: return SimFault(SimFault::Delay, lateMs, "00B", request);
    case Answer::Never: return SimFault(SimFault::Drop, 0, "00B", request);
    case Answer::Cut: return SimFault(SimFault::Cut, lateMs, "00B", request);
    case Answer::Doubled: return sim::DoubleFault(request, lateMs, 150);
    case Answer::Stray: return SimFault(SimFault::Stray, lateMs, "00B", request);
    }
    return SimFault(SimFault::Delay);
}

struct Windows {
    frmMove* move = nullptr;
    frmParameta2* para = nullptr;
    frmGrp* grp = nullptr;
    frmSqMcr* sm = nullptr;
};

// Opens the windows whose jobs run here; the controller holds data that each
// job can be seen to have read.
Windows OpenWindows(PtyWindowWorld& x) {
    x.pty.withSim([](CtSim& s) {
        for (int r = 1; r <= 399; ++r) s.state.positions[size_t(r)] = PtyWindowWorld::gridRecord(r);
        for (int n = 1; n <= 99; ++n) s.state.groups[size_t(n)] = {n, n + 10};
        for (int m = 1; m <= 9; ++m) s.state.macros[size_t(m)] = QByteArray("51") + QByteArray(30, '0');
        s.state.inputs = "000001";
    });
    Windows w;
    x.w->button(S("cmdOpenMoveWin"))->click();
    w.move = x.window<frmMove>();
    for (int c = 1; c <= 2; ++c) w.move->flgdProgram()->item(0, c)->setText(QString::number(c));
    w.move->upDown(S("UpDown2"))->setValue(5);
    x.w->button(S("cmdParaHyoji"))->click();
    w.para = x.window<frmParameta2>();
    x.w->button(S("cmdOpenGrpWindow"))->click();
    w.grp = x.window<frmGrp>();
    x.w->button(S("cmdSqMcrWinOpen"))->click();
    w.sm = x.window<frmSqMcr>();
    return w;
}

// A job of one of the windows, run to its end; check() says what is wrong
// with what it did (empty when it did its own work), given the requests it
// sent, the clean-up's read taken off.
struct Job {
    const char* name;
    std::function<void(PtyWindowWorld&, Windows&)> run;
    std::function<QString(PtyWindowWorld&, Windows&, const std::vector<QByteArray>&)> check;
};

bool Only(const std::vector<QByteArray>& requests, std::initializer_list<const char*> prefixes) {
    for (const QByteArray& r : requests) {
        bool ok = false;
        for (const char* p : prefixes) ok = ok || r.startsWith(p);
        if (!ok) return false;
    }
    return true;
}

int Count(const std::vector<QByteArray>& requests, const char* prefix) {
    return int(std::count_if(requests.begin(), requests.end(), [prefix](const QByteArray& r) { return r.startsWith(prefix); }));
}

QString Expect(bool ok, const char* what) { return ok ? QString() : S(what); }

// Runs the I/O monitor until it has shown the inputs, then stops it.
void RunIoMonitor(PtyWindowWorld& x, frmIOCheck& d) {
    const int reads = x.count("0RO");
    QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(x.count("0RO") > reads || !x.t.msg.shown.empty(), 8000);
    // A failed read has stopped the monitor already.
    if (d.cmdIoMonitor()->text() == S("Stop Monitor")) QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(d.cmdIoWinClose()->isEnabled(), 8000);
    QTRY_VERIFY_WITH_TIMEOUT(!x.t.ctx.link.ct->busy(), 8000);
}

const Job kParamRead{"parameter read",
                     [](PtyWindowWorld&, Windows& w) { QTest::mouseClick(w.para->button(S("cmdParaRead")), Qt::LeftButton); },
                     [](PtyWindowWorld& x, Windows&, const std::vector<QByteArray>& r) {
                         // Block 2 as the controller holds it now.
                         const QByteArray block = x.pty.withSim([](CtSim& s) { return s.state.paramBlocks['2']; });
                         return Expect(Count(r, "0RD") == 7 && Only(r, {"0RD"}) &&
                                           (x.t.ctx.opt.CtType == 2 ? x.t.ctx.link.W3kCtLine : x.t.ctx.link.CtLine)[2] ==
                                               S("0RD2") + QString::fromLatin1(block) + S("\r\n"),
                                       "parameter read");
                     }};
const Job kIoRead{"I/O read",
                  [](PtyWindowWorld& x, Windows&) {
                      frmIOCheck d(x.t.ctx, x.w.get());
                      d.show();
                      RunIoMonitor(x, d);
                      d.close();
                  },
                  [](PtyWindowWorld& x, Windows&, const std::vector<QByteArray>& r) {
                      const QByteArray in = x.pty.withSim([](CtSim& s) { return s.state.inputs; });
                      const bool ls1 = in.endsWith('1') || in.endsWith('3'), ls2 = in.endsWith('3');
                      return Expect(Only(r, {"0RI", "0RO"}) && Count(r, "0RI") >= 1 &&
                                        x.t.ctx.link.IoInput[5][3] == ls1 && x.t.ctx.link.IoInput[5][2] == ls2,
                                    "I/O read");
                  }};
const Job kHome{"Home",
                [](PtyWindowWorld&, Windows& w) { QTest::mouseClick(w.move->button(S("cmdHome")), Qt::LeftButton); },
                [](PtyWindowWorld&, Windows& w, const std::vector<QByteArray>& r) {
                    return Expect(Traffic(r) == S("0CM1 0MP000 0RO") && w.move->lblkanryoNo()->text() == S("H0"),
                                  "home return");
                }};
const Job kProgrammedRun{"programmed run",
                         [](PtyWindowWorld&, Windows& w) {
                             w.move->SSTab1()->setCurrentIndex(0);
                             QTest::mouseClick(w.move->button(S("cmdMove")), Qt::LeftButton);
                         },
                         [](PtyWindowWorld&, Windows& w, const std::vector<QByteArray>& r) {
                             return Expect(Traffic(r) == S("0RH 0MP001 0RO 0MP002 0RO") &&
                                               w.move->lblkanryoNo()->text() == S("2"),
                                           "programmed run");
                         }};
const Job kGroupMove{"group move",
                     [](PtyWindowWorld&, Windows& w) {
                         w.move->SSTab1()->setCurrentIndex(2);
                         QTest::mouseClick(w.move->button(S("cmdGrpMove")), Qt::LeftButton);
                     },
                     [](PtyWindowWorld& x, Windows&, const std::vector<QByteArray>& r) {
                         return Expect(Traffic(r) == S("0RH 0MG05") &&
                                           x.pty.withSim([](CtSim& s) { return s.state.currentPosition; }) == 15,
                                       "group move");
                     }};
// The jobs of the other windows, one after each give-up in turn.
const std::vector<Job>& OtherJobs() {
    static const std::vector<Job> jobs = {
        {"version", [](PtyWindowWorld& x, Windows&) { x.w->menuItem(S("mnuShowCtversion"))->trigger(); },
         [](PtyWindowWorld& x, Windows&, const std::vector<QByteArray>& r) {
             return Expect(Traffic(r) == S("0CM1 0RV") &&
                               x.w->statusPanel(1)->text() == S("The version of this C/T is 1A3"),
                           "version");
         }},
        {"group read", [](PtyWindowWorld&, Windows& w) { QTest::mouseClick(w.grp->cmdReadGrp(), Qt::LeftButton); },
         [](PtyWindowWorld& x, Windows&, const std::vector<QByteArray>& r) {
             return Expect(Count(r, "0RG") == 99 && Only(r, {"0RG"}) && x.t.ctx.grp.GrpFileData[7][1] == 17,
                           "group read");
         }},
        {"macro read", [](PtyWindowWorld&, Windows& w) { QTest::mouseClick(w.sm->cmdReadSMfromCt(), Qt::LeftButton); },
         [](PtyWindowWorld& x, Windows&, const std::vector<QByteArray>& r) {
             return Expect(Count(r, "0RM") == 9 && Only(r, {"0RM"}) && x.t.ctx.sm.SmFileData[0][4] == 5,
                           "macro read");
         }},
        {"position read", [](PtyWindowWorld& x, Windows&) { QTest::mouseClick(x.w->button(S("cmdPosiRead")), Qt::LeftButton); },
         [](PtyWindowWorld& x, Windows&, const std::vector<QByteArray>& r) {
             const PositionGrid& g = x.t.ctx.grid.of(Product::TwoAxis);
             return Expect(Count(r, "0RP") == 399 && Only(r, {"0RP", "0CM1"}) &&
                               g.text(399, 4).trimmed() == PtyWindowWorld::gridRow(399)[4].trimmed(),
                           "position read");
         }},
        {"Reset", [](PtyWindowWorld& x, Windows&) { QTest::mouseClick(x.w->button(S("cmdReset")), Qt::LeftButton); },
         [](PtyWindowWorld&, Windows&, const std::vector<QByteArray>& r) {
             return Expect(Traffic(r) == S("0AR 0CM1"), "reset");
         }},
        kParamRead,
        kIoRead,
        kHome,
    };
    return jobs;
}

// A job given up: how it is started and given up, and the request whose
// answer the fault changes.
struct GiveUp {
    const char* name;
    const Job* job;
    const char* request;
    bool forced;  // by "Forced ending" once the request is out, else by its time-out
};

const GiveUp kGiveUps[] = {
    {"parameter read, time-out", &kParamRead, "0RD2", false},
    {"I/O read, time-out", &kIoRead, "0RI", false},
    {"Home, time-out at its mode line", &kHome, "0CM1", false},
    {"programmed run, forced ending", &kProgrammedRun, "0MP001", true},
    {"group move, forced ending", &kGroupMove, "0MG05", true},
};

// Runs a job at once and checks it: its own traffic after the one read that
// makes the line clean (when the line was not clean), and no box.
QString RunAndCheck(PtyWindowWorld& x, Windows& w, const Job& job, bool afterGiveUp) {
    x.t.msg.clear();
    x.pty.withSim([](CtSim& s) { s.received.clear(); });
    job.run(x, w);
    if (x.failureShown()) return S(job.name) + S(": ") + x.t.msg.lastText();
    std::vector<QByteArray> r = x.received();
    if (afterGiveUp) {
        if (r.empty() || !IsCleanUpRead(r.front())) return S(job.name) + S(": no clean-up first: ") + Traffic(r);
        r.erase(r.begin());
    }
    const QString why = job.check(x, w, r);
    return why.isEmpty() ? why : why + S(": ") + Traffic(r);
}

// The group move of group 5 given up by "Forced ending" while the controller
// goes on with it for ms: its answer is owed until it comes.
void GroupMoveForcedEnding(PtyWindowWorld& x, Windows& w, int ms) {
    x.fault(SimFault(SimFault::Delay, ms, "00B", "0MG05"));
    When forced([&] { return x.count("0MG05") == 1; },
                [&] { QTest::mouseClick(w.move->button(S("cmdGrpMoveStop")), Qt::LeftButton); });
    kGroupMove.run(x, w);
}

// A stop the user gives while a job waits for what is owed, and how the
// job's window is then.
struct UserStop {
    const char* name;
    // Starts the job, whose wait is to be ended by stop(); returns once the
    // job and its window are done.
    std::function<void(PtyWindowWorld&, Windows&)> job;
    std::function<void(PtyWindowWorld&, Windows&)> stop;
};

} // namespace

class CleanLine : public QObject {
    Q_OBJECT

    static void rows(int giveUp) {
        QTest::addColumn<int>("giveUp");
        QTest::addColumn<int>("answer");
        for (int a = 0; a < 5; ++a)
            QTest::newRow(qPrintable(S(kGiveUps[giveUp].name) + S(", its answer ") + S(kAnswers[a]))) << giveUp << a;
    }

    void givenUpThenAtOnce() {
        QFETCH(int, giveUp);
        QFETCH(int, answer);
        const GiveUp& g = kGiveUps[giveUp];
        PtyWindowWorld x;
        QVERIFY(x.started);
        Windows w = OpenWindows(x);
        QVERIFY(w.move && w.para && w.grp && w.sm);
        x.t.msg.clear();
        // Moves answer in 1.2 s; a read 300 ms after its time-out of 1 s.
        x.fault(AnswerFault(Answer(answer), g.request, g.forced ? 1200 : 1300));
        // Once the request is out, what the controller holds changes: a late
        // answer taken by the job again would show the old data.
        When changed([&] { return x.count(g.request) == 1; },
                     [&] {
                         if (g.forced) QTest::mouseClick(w.move->button(S("cmdGrpMoveStop")), Qt::LeftButton);
                         x.pty.withSim([](CtSim& s) {
                             s.state.paramBlocks['2'].replace(0, 4, "1234");
                             s.state.inputs = "000003";
                         });
                     });
        g.job->run(x, w);
        QVERIFY(changed.done);
        if (g.forced) QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        else QVERIFY2(x.t.msg.anyContains(S("Communication timeout error!")), qPrintable(x.t.msg.lastText()));
        QVERIFY(!x.t.ctx.link.ct->lineClean());

        // At once: the same job, then another window's job.
        QString why = RunAndCheck(x, w, *g.job, true);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        QVERIFY(x.t.ctx.link.ct->lineClean());
        const Job& other = OtherJobs()[size_t(giveUp * 5 + answer) % OtherJobs().size()];
        why = RunAndCheck(x, w, other, false);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        w.move->close();
    }

private Q_SLOTS:
    // A group move runs longer than the move time-out; "Forced ending" ends
    // its wait. A parameter read at once waits for the group's answer,
    // however long it takes, and gets its own; or "Forced ending", pressed
    // again, ends that wait at once.
    void aGroupMoveLongerThanTheMoveTimeout_data() {
        QTest::addColumn<bool>("forcedAgain");
        QTest::addColumn<int>("ctType");
        QTest::addColumn<int>("language");
        QTest::newRow("the read waits") << false << 1 << 2;
        QTest::newRow("the read waits, one-axis, Japanese") << false << 2 << 1;
        QTest::newRow("Forced ending again") << true << 1 << 2;
        QTest::newRow("Forced ending again, one-axis, Japanese") << true << 2 << 1;
    }
    void aGroupMoveLongerThanTheMoveTimeout() {
        QFETCH(bool, forcedAgain);
        QFETCH(int, ctType);
        QFETCH(int, language);
        PtyWindowWorld x(ctType, int16_t(language));
        QVERIFY(x.started);
        Windows w = OpenWindows(x);
        x.t.ctx.opt.MoveTimeout = 1;
        GroupMoveForcedEnding(x, w, 3500);
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QElapsedTimer t;
        t.start();
        qint64 waitEnded = -1;
        When again([&] { return forcedAgain && x.t.ctx.link.ct->cleaningUp() && t.elapsed() > 500; }, [&] {
            QTest::mouseClick(w.move->button(S("cmdGrpMoveStop")), Qt::LeftButton);
            waitEnded = t.elapsed();
        });
        if (!forcedAgain) {
            const QString why = RunAndCheck(x, w, kParamRead, true);
            QVERIFY2(why.isEmpty(), qPrintable(why));
            QVERIFY(t.elapsed() >= 3000); // it waited for the group's end
            return;
        }
        x.t.msg.clear();
        QTest::mouseClick(w.para->button(S("cmdParaRead")), Qt::LeftButton);
        QVERIFY(again.done);
        QVERIFY2(t.elapsed() - waitEnded < 100, qPrintable(QString::number(t.elapsed() - waitEnded)));
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QCOMPARE(x.count("0RD"), 0);
        // Once the group has ended, the next read is clean again.
        QTest::qWait(3500);
        const QString why = RunAndCheck(x, w, kParamRead, true);
        QVERIFY2(why.isEmpty(), qPrintable(why));
    }

    // While a job waits for what the controller still owes, every stop and
    // close of the windows ends that wait within 100 ms, as a stop: no box.
    void everyWaitEndsWhenTheUserAsks_data() {
        QTest::addColumn<int>("which");
        for (int i = 0; i < int(stops().size()); ++i) QTest::newRow(stops()[size_t(i)].name) << i;
    }
    void everyWaitEndsWhenTheUserAsks() {
        QFETCH(int, which);
        const UserStop& u = stops()[size_t(which)];
        PtyWindowWorld x;
        QVERIFY(x.started);
        Windows w = OpenWindows(x);
        x.t.ctx.opt.MoveTimeout = 1;
        GroupMoveForcedEnding(x, w, 4000);
        x.t.msg.clear();
        RunTimer t;
        qint64 took = -1;
        When stopped([&] { return x.w->statusPanel(1)->text().startsWith(S("Waiting for the controller")); },
                     [&] {
                         t.start();
                         u.stop(x, w);
                     });
        When ended([&] { return stopped.done && !x.t.ctx.link.ct->cleaningUp(); }, [&] { took = t.elapsed(); });
        u.job(x, w);
        QTRY_VERIFY(ended.done);
        QVERIFY2(took < 100, qPrintable(QString::number(took)));
        QVERIFY2(!x.failureShown(), qPrintable(x.t.msg.lastText()));
        QTRY_VERIFY(!x.t.ctx.link.ct->busy());
        QVERIFY(!x.w->statusPanel(1)->text().startsWith(S("Waiting for the controller")));
    }

    // A move time-out with the port kept open: the port is closed while the
    // time-out box is still up, however long the user reads it.
    void aMoveTimeOutClosesThePortWhileTheBoxIsUp() {
        PtyWindowWorld x;
        QVERIFY(x.started);
        Windows w = OpenWindows(x);
        x.t.ctx.opt.PortOccupy = true;
        x.fault(SimFault(SimFault::Delay, 8000, "00B", "0MP001"));
        When late([&] { return x.count("0MP001") == 1; }, [&] {
            x.t.sys.seconds += 100;
            x.t.msg.holdNext(1500);
        });
        bool openDuringBox = true;
        When box([&] { return !x.t.msg.shown.empty(); }, [&] { openDuringBox = x.t.ctx.platform.serial->isOpen(); });
        kProgrammedRun.run(x, w);
        QVERIFY(late.done && box.done);
        QVERIFY(x.t.msg.lastText().startsWith(S("Communication timeout error!")));
        QVERIFY(!openDuringBox);
        QVERIFY(!x.t.ctx.platform.serial->isOpen());
        w.move->close();
    }

    // The cable pulled while a job waits, plugged in again: the same job at
    // once, then another window's job, each succeeds with its own answers.
    void aCablePulledDuringAJob_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<QByteArray>("request");
        const char* requests[] = {"0RD2", "0RI", "0CM1", "0MP001", "0RG05", "0RM3", "0RP010", "0RV", "0AR"};
        for (int j = 0; j < int(std::size(requests)); ++j)
            QTest::newRow(requests[j]) << j << QByteArray(requests[j]);
    }
    void aCablePulledDuringAJob() {
        QFETCH(int, job);
        QFETCH(QByteArray, request);
        const Job* jobs[] = {&kParamRead, &kIoRead, &kHome, &kProgrammedRun, &OtherJobs()[1],
                             &OtherJobs()[2], &OtherJobs()[3], &OtherJobs()[0], &OtherJobs()[4]};
        const Job& j = *jobs[job];
        PtyWindowWorld x;
        QVERIFY(x.started);
        Windows w = OpenWindows(x);
        x.t.msg.clear();
        x.fault(SimFault(SimFault::Delay, 3000, "00B", request));
        When pulled([&] { return x.count(request.constData()) == 1; }, [&] { x.pty.pull(); });
        j.run(x, w);
        QVERIFY(pulled.done);
        QVERIFY2(x.failureShown(), "the pulled cable is told");
        QVERIFY(x.pty.replug());
        QTRY_VERIFY(!x.t.ctx.link.ct->busy());
        QString why = RunAndCheck(x, w, j, !x.t.ctx.link.ct->lineClean());
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const Job& other = job == 0 ? OtherJobs()[0] : kParamRead;
        why = RunAndCheck(x, w, other, false);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        w.move->close();
    }

private:
    static const std::vector<UserStop>& stops() {
        static const std::vector<UserStop> list = {
            {"Stop Monitor",
             [](PtyWindowWorld& x, Windows&) {
                 frmIOCheck d(x.t.ctx, x.w.get());
                 d.show();
                 QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
                 QTRY_VERIFY_WITH_TIMEOUT(d.cmdIoWinClose()->isEnabled(), 10000);
                 QTRY_VERIFY(!x.t.ctx.link.ct->busy());
                 QVERIFY(d.cmdIoMonitor()->text() == S("Start Monitor"));
                 d.close();
             },
             [](PtyWindowWorld& x, Windows&) {
                 auto* d = x.w->findChild<frmIOCheck*>();
                 QTest::mouseClick(d->cmdIoMonitor(), Qt::LeftButton);
             }},
            {"the I/O monitor's close box",
             [](PtyWindowWorld& x, Windows&) {
                 frmIOCheck d(x.t.ctx, x.w.get());
                 d.show();
                 QTest::mouseClick(d.cmdIoMonitor(), Qt::LeftButton);
                 QTRY_VERIFY_WITH_TIMEOUT(!d.isVisible(), 10000);
             },
             [](PtyWindowWorld& x, Windows&) { x.w->findChild<frmIOCheck*>()->reject(); }},
            {"the teaching window's Close",
             [](PtyWindowWorld& x, Windows&) {
                 frmJOG jog(x.t.ctx, Product::TwoAxis, x.w.get());
                 jog.show();
                 QTest::mouseClick(jog.cmdJOGST(), Qt::LeftButton);
                 QTRY_VERIFY(!jog.isVisible());
             },
             [](PtyWindowWorld& x, Windows&) { x.w->findChild<frmJOG*>()->close(); }},
            {"the progress window's close box",
             [](PtyWindowWorld&, Windows& w) {
                 QTest::mouseClick(w.para->button(S("cmdParaRead")), Qt::LeftButton);
             },
             [](PtyWindowWorld& x, Windows&) { x.w->findChild<frmTrance*>()->close(); }},
            {"the main window's close",
             [](PtyWindowWorld& x, Windows& w) {
                 QTest::mouseClick(w.para->button(S("cmdParaRead")), Qt::LeftButton);
                 QTRY_VERIFY(!x.w->isVisible());
             },
             [](PtyWindowWorld& x, Windows&) { x.w->close(); }},
            {"Stop of the motion window",
             [](PtyWindowWorld& x, Windows&) {
                 x.w->menuItem(S("mnuShowCtversion"))->trigger();
             },
             [](PtyWindowWorld&, Windows& w) { QTest::mouseClick(w.move->button(S("cmdStop")), Qt::LeftButton); }},
            {"Forced ending",
             [](PtyWindowWorld&, Windows& w) {
                 QTest::mouseClick(w.grp->cmdReadGrp(), Qt::LeftButton);
             },
             [](PtyWindowWorld&, Windows& w) {
                 QTest::mouseClick(w.move->button(S("cmdGrpMoveStop")), Qt::LeftButton);
             }},
        };
        return list;
    }

private Q_SLOTS:
    void parameterRead_data() { rows(0); }
    void parameterRead() { givenUpThenAtOnce(); }
    void ioRead_data() { rows(1); }
    void ioRead() { givenUpThenAtOnce(); }
    void homeModeLine_data() { rows(2); }
    void homeModeLine() { givenUpThenAtOnce(); }
    void programmedRun_data() { rows(3); }
    void programmedRun() { givenUpThenAtOnce(); }
    void groupMove_data() { rows(4); }
    void groupMove() { givenUpThenAtOnce(); }
};

QTEST_MAIN(CleanLine)
#include "tst_cleanline.moc"
