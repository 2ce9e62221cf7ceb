// A soak of the line over a pseudo-terminal with the real serial port: jobs
// one after another, each started at once after the one before, whatever
// became of it. The controller carries out one request at a time; now and
// then an answer comes late, never, cut short (no CR LF), doubled, or with a
// stray character after it, a job is stopped while it waits, or the read
// that makes the line clean is itself lost. Every answer the controller
// gives carries a number of its own, so a stale or copied answer taken by
// the wrong request shows. No job whose answer came in time may fail, and
// no job may take an answer that was not its own.
#include "sim/PtySim.h"
#include "testsupport/PtyLinkWorld.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <iostream>
#include <map>
#include <random>

using namespace rer;
using namespace rer::test;
using rer::sim::CtSim;
using rer::sim::SimFault;

namespace {

constexpr int kTimeoutMs = 150;

QByteArray Hex(quint32 v, int width) { return QByteArray::number(v, 16).toUpper().rightJustified(width, '0').right(width); }

// Reads whose every answer is new: the answer's data carries the number of
// the request the controller answered.
void NumberedAnswers(CtSim& s, std::shared_ptr<std::map<size_t, QByteArray>> answers) {
    const auto numbered = [answers](int width) {
        return [answers, width](CtSim& sim, const QByteArray& line) -> QByteArray {
            const size_t n = sim.received.size();
            const QByteArray reply = line + Hex(quint32(n * 7919u), 8).rightJustified(width, '0').right(width);
            (*answers)[n - 1] = reply + "\r\n";
            return reply;
        };
    };
    s.addCommand("0RP", numbered(19));
    s.addCommand("0RD", numbered(32));
    s.addCommand("0RG", numbered(6));
    s.addCommand("0RI", numbered(6));
    s.addCommand("0MP", numbered(19));
}

enum class Fault { None, InTime, Late, Never, Cut, Doubled, DoubledInTime, Stray, StrayInTime, Stop, CleanUpLost };
const char* const kFaultNames[] = {"none",   "in time",          "late",   "never",
                                   "cut",    "doubled (late)",   "doubled", "stray (late)",
                                   "stray",  "stopped",          "clean-up read lost"};

// The answer of a job with the fault comes in time.
bool AnswerComes(Fault f) {
    return f == Fault::None || f == Fault::InTime || f == Fault::DoubledInTime || f == Fault::StrayInTime;
}

struct Counts {
    int jobs = 0, succeeded = 0, failed = 0, falseFailures = 0, wrongValues = 0;
    std::map<Fault, int> faults;
};

Counts Soak(int jobs, unsigned seed) {
    Counts c;
    PtyLinkWorld x;
    EXPECT_TRUE(x.start()) << x.pty.error().toStdString();
    LinkWorld& w = *x.world;
    w.ctx.opt.PortOccupy = (seed % 2) == 0;
    w.ctx.opt.MoveTimeout = 2;
    auto answers = std::make_shared<std::map<size_t, QByteArray>>();
    x.pty.withSim([&](CtSim& s) {
        NumberedAnswers(s, answers);
        s.state.homeDone = true;
    });
    std::mt19937 rng(seed);
    const auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
    // Late answers come after the request's time-out but within the time
    // the next exchange's clean-up waits for them.
    const auto late = [&] { return kTimeoutMs + 50 + pick(kTimeoutMs / 3); };
    // A copy of an answer names the request it answered: while it may still
    // come, that request is not asked again (the line has no request
    // numbers; a copy of its own earlier answer is the one thing a request
    // cannot tell from its answer).
    std::map<QByteArray, QElapsedTimer> copyComing;
    const auto copyMayCome = [&copyComing](const QByteArray& line) {
        const auto it = copyComing.find(line);
        return it != copyComing.end() && it->second.elapsed() < 600;
    };
    for (int j = 0; j < jobs; ++j) {
        QByteArray line;
        int length = 0;
        bool move = false;
        do {
            move = pick(8) == 0;
            switch (move ? 4 : pick(4)) {
            case 0: line = "0RP" + Hex(quint32(1 + pick(399)), 3); length = 27; break;
            case 1: line = QByteArray("0RD") + "0124568"[pick(7)]; length = 38; break;
            case 2: line = "0RG" + Hex(quint32(1 + pick(99)), 2); length = 13; break;
            case 3: line = "0RI"; length = 11; break;
            default: line = "0MP" + Hex(quint32(1 + pick(399)), 3); length = 27; break;
            }
        } while (copyMayCome(line));
        Fault f = Fault::None;
        if (pick(100) < 18) f = Fault(1 + pick(10));
        if (f == Fault::CleanUpLost && w.link->lineClean()) f = Fault::Never;
        if (move && f != Fault::None && f != Fault::InTime) f = Fault::Stop;
        ++c.faults[f];
        if (f == Fault::Doubled || f == Fault::DoubledInTime) copyComing[line].start();
        const QByteArray own = line;
        x.pty.withSim([&](CtSim& s) {
            s.faults.clear();
            switch (f) {
            case Fault::None: break;
            case Fault::InTime: s.faults.push_back(SimFault(SimFault::Delay, pick(kTimeoutMs / 3), "00B", own)); break;
            case Fault::Late: s.faults.push_back(SimFault(SimFault::Delay, late(), "00B", own)); break;
            case Fault::Never: s.faults.push_back(SimFault(SimFault::Drop, 0, "00B", own)); break;
            case Fault::Cut: s.faults.push_back(SimFault(SimFault::Cut, pick(2) ? 0 : late(), "00B", own)); break;
            case Fault::Doubled: s.faults.push_back(sim::DoubleFault(own, late(), 20 + pick(200))); break;
            case Fault::DoubledInTime: s.faults.push_back(sim::DoubleFault(own, 0, 20 + pick(200))); break;
            case Fault::Stray: s.faults.push_back(SimFault(SimFault::Stray, late(), "00B", own)); break;
            case Fault::StrayInTime: s.faults.push_back(SimFault(SimFault::Stray, 0, "00B", own)); break;
            // Stopped while the controller carries it out, within the time
            // the request would have waited.
            case Fault::Stop:
                s.faults.push_back(SimFault(SimFault::Delay, move ? 250 + pick(300) : 60 + pick(kTimeoutMs / 2), "00B", own));
                break;
            case Fault::CleanUpLost: s.faults.push_back(SimFault(SimFault::Drop, 0, "00B", "0R")); break;
            }
        });
        static Fault previous = Fault::None;
        const size_t sentBefore = x.pty.withSim([](CtSim& s) { return s.received.size(); });
        QTimer stop;
        stop.setSingleShot(true);
        QObject::connect(&stop, &QTimer::timeout, [&w] { w.link->StopWait(); });
        if (f == Fault::Stop) stop.start(10 + pick(move ? 80 : 40));
        w.l().TusinTimeout = move ? 5000 : kTimeoutMs;
        const QString cmd = QString::fromLatin1(line.left(3)), data = QString::fromLatin1(line.mid(3));
        const int r = move ? w.link->SendMoveCmdWaitReply(cmd, length, data) : w.link->SendCmdWaitReply(cmd, length, data);
        stop.stop();
        ++c.jobs;
        // Where the controller got the job's own request: the last of that
        // line (the one before may be the request given up before it).
        const auto [at, answer] = x.pty.withSim([&](CtSim& s) {
            for (size_t i = s.received.size(); i-- > sentBefore;)
                if (s.received[i] == own) return std::pair<long, QByteArray>(long(i), answers->count(i) ? (*answers)[i] : QByteArray());
            return std::pair<long, QByteArray>(-1, QByteArray());
        });
        if (r == 0) {
            ++c.succeeded;
            if (at < 0 || w.l().RecvLine != QString::fromLatin1(answer)) {
                ++c.wrongValues;
                ADD_FAILURE() << "job " << j << " " << own.toStdString() << " (" << kFaultNames[int(f)] << ") took "
                              << w.l().RecvLine.trimmed().toStdString() << ", its own answer: " << answer.trimmed().toStdString();
            }
        } else {
            ++c.failed;
            if (AnswerComes(f)) {
                ++c.falseFailures;
                ADD_FAILURE() << "job " << j << " " << own.toStdString() << " (" << kFaultNames[int(f)]
                              << ") failed: " << w.msg.lastText().toStdString();
            }
        }
        // RER_SOAK_TRACE=1: what each unexpected job sent, and what came before.
        if (qEnvironmentVariableIsSet("RER_SOAK_TRACE") && (r != 0) == AnswerComes(f)) {
            QByteArray t;
            x.pty.withSim([&](CtSim& s) { for (size_t i = sentBefore; i < s.received.size(); ++i) t += s.received[i] + " "; });
            std::cout << "  job " << j << " after " << kFaultNames[int(previous)] << ": sent " << t.toStdString() << std::endl;
        }
        previous = f;
        w.msg.clear();
    }
    return c;
}

void Report(const Counts& c, unsigned seed) {
    std::cout << "soak seed " << seed << ": " << c.jobs << " jobs, " << c.succeeded << " succeeded, " << c.failed
              << " failed (" << c.falseFailures << " whose answer came), " << c.wrongValues << " wrong values; faults:";
    for (const auto& [f, n] : c.faults) std::cout << " " << kFaultNames[int(f)] << " " << n;
    std::cout << std::endl;
}

int JobsPerRun() {
    const int n = qEnvironmentVariableIntValue("RER_SOAK_JOBS");
    return n > 0 ? n : 1000;
}

} // namespace

// Three runs of their own, side by side in the test run, each with a seed.
class PtySoak : public ::testing::TestWithParam<unsigned> {};

TEST_P(PtySoak, NoJobFailsWhoseAnswerCameAndNoneTakesAnotherAnswer) {
    const Counts c = Soak(JobsPerRun(), GetParam());
    Report(c, GetParam());
    EXPECT_EQ(c.falseFailures, 0);
    EXPECT_EQ(c.wrongValues, 0);
    EXPECT_GT(c.failed, 0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PtySoak, ::testing::Values(1u, 2u, 3u));
