// "Forced ending" of a motion run while the controller still carries out
// its move, then at once another job: the real windows, the real serial
// port and the simulated controller on a pseudo-terminal, which carries out
// one request at a time (the move's answer, 1.2 s late, comes before the
// answer of anything asked after it). The next job, in whatever window,
// first makes the line clean with one home-state read, waits meanwhile for
// what is owed, drops it and ends with its own answers: no failure told, no
// link check, nothing else sent that the user did not ask for.
#include "dialogs/ui/frmGrp.h"
#include "link/ControllerLink.h"
#include "dialogs/ui/frmSqMcr.h"
#include "motion/ui/frmMove.h"
#include "setup/ui/frmParameta2.h"
#include "testsupport/PtyWindowWorld.h"

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

constexpr int kLateMs = 1200;

// The requests since the sim's log was last cleared, as one text.
QString Traffic(PtyWindowWorld& x) {
    QStringList t;
    for (const QByteArray& r : x.received()) t << QString::fromLatin1(r);
    return t.join(QLatin1Char(' '));
}

// True when every request starts with one of the prefixes.
bool OnlyRequests(PtyWindowWorld& x, std::initializer_list<const char*> prefixes) {
    for (const QByteArray& r : x.received()) {
        bool ok = false;
        for (const char* p : prefixes) ok = ok || r.startsWith(p);
        if (!ok) return false;
    }
    return true;
}

struct Windows {
    frmMove* move = nullptr;
    frmParameta2* para = nullptr;
    frmGrp* grp = nullptr;
    frmSqMcr* sm = nullptr;
};

// The job started at once after the forced ending: its button, and what it
// must have done on its own.
struct NextJob {
    const char* name;
    std::function<QAbstractButton*(PtyWindowWorld&, Windows&)> button; // null: started otherwise
    std::function<void(PtyWindowWorld&)> startOtherwise;
    std::function<QString(PtyWindowWorld&, Windows&)> check;           // empty when it did its own work
};

QString Expect(bool ok, const QString& what) { return ok ? QString() : what; }

const std::vector<NextJob>& NextJobs() {
    static const std::vector<NextJob> jobs = {
        {"parameter read", [](PtyWindowWorld&, Windows& w) { return w.para->button(S("cmdParaRead")); }, {},
         [](PtyWindowWorld& x, Windows&) {
             return Expect(x.count("0RD") == 7 && OnlyRequests(x, {"0RD"}) &&
                               !x.t.ctx.para.of(Product::TwoAxis).ParaFileData.empty(),
                           S("parameter read"));
         }},
        {"macro read", [](PtyWindowWorld&, Windows& w) { return w.sm->cmdReadSMfromCt(); }, {},
         [](PtyWindowWorld& x, Windows&) {
             return Expect(x.count("0RM") == 9 && OnlyRequests(x, {"0RM"}) && x.t.ctx.sm.SmFileData[0][4] == 5 && x.t.ctx.sm.SmFileData[0][5] == 1,
                           S("macro read"));
         }},
        {"group read", [](PtyWindowWorld&, Windows& w) { return w.grp->cmdReadGrp(); }, {},
         [](PtyWindowWorld& x, Windows&) {
             return Expect(x.count("0RG") == 99 && OnlyRequests(x, {"0RG"}) && x.t.ctx.grp.GrpFileData[7][1] == 17,
                           S("group read"));
         }},
        {"position read", [](PtyWindowWorld& x, Windows&) { return x.w->button(S("cmdPosiRead")); }, {},
         [](PtyWindowWorld& x, Windows&) {
             const PositionGrid& g = x.t.ctx.grid.of(Product::TwoAxis);
             return Expect(x.count("0RP") == 399 && OnlyRequests(x, {"0RP", "0CM1"}) &&
                               g.text(399, 4).trimmed() == PtyWindowWorld::gridRow(399)[4].trimmed(),
                           S("position read"));
         }},
        {"Reset", [](PtyWindowWorld& x, Windows&) { return x.w->button(S("cmdReset")); }, {},
         [](PtyWindowWorld& x, Windows&) {
             return Expect(Traffic(x) == S("0AR 0CM1") && x.pty.withSim([](CtSim& s) { return s.state.resets; }) == 1,
                           S("reset"));
         }},
        {"Home", [](PtyWindowWorld&, Windows& w) { return w.move->button(S("cmdHome")); }, {},
         [](PtyWindowWorld& x, Windows& w) {
             return Expect(Traffic(x) == S("0CM1 0MP000 0RO") && w.move->lblkanryoNo()->text() == S("H0"),
                           S("home return"));
         }},
        {"version", nullptr,
         [](PtyWindowWorld& x) { x.w->menuItem(S("mnuShowCtversion"))->trigger(); },
         [](PtyWindowWorld& x, Windows&) {
             return Expect(Traffic(x) == S("0CM1 0RV") &&
                               x.w->statusPanel(1)->text() == S("The version of this C/T is 1A3"),
                           S("version"));
         }},
        {"programmed run", [](PtyWindowWorld&, Windows& w) {
             w.move->SSTab1()->setCurrentIndex(0);
             return w.move->button(S("cmdMove"));
         }, {},
         [](PtyWindowWorld& x, Windows& w) {
             return Expect(Traffic(x) == S("0RH 0MP001 0RO 0MP002 0RO") && w.move->lblkanryoNo()->text() == S("2"),
                           S("programmed run"));
         }},
    };
    return jobs;
}

// A motion run of the motion window, and the move it waits on.
struct Run {
    const char* name;
    const char* slow;  // the request whose answer comes late
    std::function<QAbstractButton*(frmMove&)> start;
};

const std::vector<Run>& Runs() {
    static const std::vector<Run> runs = {
        {"programmed run", "0MP001",
         [](frmMove& m) {
             m.SSTab1()->setCurrentIndex(0);
             return m.button(S("cmdMove"));
         }},
        {"range run", "0MP001",
         [](frmMove& m) {
             m.SSTab1()->setCurrentIndex(1);
             m.upDown(S("UpDownStartPosiNo"))->setValue(1);
             m.upDown(S("UpDownEndPosiNo"))->setValue(3);
             return m.button(S("cmdSelectMove"));
         }},
        {"home return", "0MP000", [](frmMove& m) { return m.button(S("cmdHome")); }},
        {"group move", "0MG05",
         [](frmMove& m) {
             m.SSTab1()->setCurrentIndex(2);
             m.upDown(S("UpDown2"))->setValue(5);
             return m.button(S("cmdGrpMove"));
         }},
        // The home return given up at each of its lines.
        {"home return at its mode line", "0CM1", [](frmMove& m) { return m.button(S("cmdHome")); }},
        {"home return at its output read", "0RO", [](frmMove& m) { return m.button(S("cmdHome")); }},
    };
    return runs;
}

// Data the next job can be seen to have read.
void ControllerData(CtSim& s) {
    for (int r = 1; r <= 399; ++r) s.state.positions[size_t(r)] = PtyWindowWorld::gridRecord(r);
    for (int n = 1; n <= 99; ++n) s.state.groups[size_t(n)] = {n, n + 10};
    for (int m = 1; m <= 9; ++m) s.state.macros[size_t(m)] = QByteArray("51") + QByteArray(30, '0');
}

} // namespace

class ForcedEnding : public QObject {
    Q_OBJECT

    static void rows(std::initializer_list<int> runs, bool everyJob) {
        QTest::addColumn<int>("run");
        QTest::addColumn<int>("job");
        const auto& jobs = NextJobs();
        for (int r : runs)
            for (int j = 0; j < int(jobs.size()); ++j) {
                if (!everyJob && QByteArray(jobs[size_t(j)].name) != "programmed run") continue;
                QTest::newRow(qPrintable(S(Runs()[size_t(r)].name) + S(", then ") + S(jobs[size_t(j)].name)))
                    << r << j;
            }
    }

    void forcedEndingThenAtOnce() {
        QFETCH(int, run);
        QFETCH(int, job);
        const Run& r = Runs()[size_t(run)];
        const NextJob& j = NextJobs()[size_t(job)];
        PtyWindowWorld x;
        QVERIFY(x.started);
        x.pty.withSim(ControllerData);
        Windows win;
        x.w->button(S("cmdOpenMoveWin"))->click();
        win.move = x.window<frmMove>();
        QVERIFY(win.move);
        for (int c = 1; c <= 2; ++c) win.move->flgdProgram()->item(0, c)->setText(QString::number(c));
        x.w->button(S("cmdParaHyoji"))->click();
        win.para = x.window<frmParameta2>();
        x.w->button(S("cmdOpenGrpWindow"))->click();
        win.grp = x.window<frmGrp>();
        x.w->button(S("cmdSqMcrWinOpen"))->click();
        win.sm = x.window<frmSqMcr>();
        QVERIFY(win.para && win.grp && win.sm);
        x.t.msg.clear();
        x.pty.withSim([](CtSim& s) { s.received.clear(); });
        x.fault(SimFault(SimFault::Delay, kLateMs, "00B", r.slow));

        QAbstractButton* start = r.start(*win.move);
        QVERIFY(start && start->isEnabled());
        When forced([&] { return x.count(r.slow) == 1; },
                    [&] { QTest::mouseClick(win.move->button(S("cmdGrpMoveStop")), Qt::LeftButton); });
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(forced.done);
        QVERIFY2(x.t.msg.shown.empty(), qPrintable(x.t.msg.lastText()));
        QVERIFY(!x.t.ctx.link.ct->owedRequests().isEmpty()); // the move is still carried out

        // At once: the next job, with nothing but its own traffic.
        x.pty.withSim([](CtSim& s) { s.received.clear(); });
        // While it waits for what is owed, the status bar says so.
        bool toldWaiting = false;
        When waiting([&] { return x.w->statusPanel(1)->text().startsWith(S("Waiting for the controller")); },
                     [&] { toldWaiting = true; });
        if (j.button) {
            QAbstractButton* b = j.button(x, win);
            QVERIFY(b && b->isEnabled());
            QTest::mouseClick(b, Qt::LeftButton);
        } else {
            j.startOtherwise(x);
        }
        // Its own questions and its result, nothing of a failure.
        QVERIFY2(!x.failureShown(), qPrintable(x.t.msg.lastText()));
        // The clean-up's read came first; the rest is the job's own.
        QVERIFY2(x.received().size() > 1 && x.received().front() == "0RH", qPrintable(Traffic(x)));
        x.pty.withSim([](CtSim& s) { s.received.erase(s.received.begin()); });
        const QString why = j.check(x, win);
        QVERIFY2(why.isEmpty(), qPrintable(why + S(": ") + Traffic(x)));
        QVERIFY(toldWaiting);
        QVERIFY(!x.w->statusPanel(1)->text().startsWith(S("Waiting for the controller")));
        QVERIFY(x.t.ctx.link.ct->owedRequests().isEmpty());
        win.move->close();
    }

private Q_SLOTS:
    void programmedRun_data() { rows({0}, true); }
    void programmedRun() { forcedEndingThenAtOnce(); }
    void rangeRun_data() { rows({1}, true); }
    void rangeRun() { forcedEndingThenAtOnce(); }
    void homeReturn_data() { rows({2, 4, 5}, true); }
    void homeReturn() { forcedEndingThenAtOnce(); }
    void groupMove_data() { rows({3}, true); }
    void groupMove() { forcedEndingThenAtOnce(); }
};

QTEST_MAIN(ForcedEnding)
#include "tst_forcedending.moc"
