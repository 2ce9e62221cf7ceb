// Time per "0RP" transaction against the simulated controller, through the
// real serial port on a pseudo-terminal (paced at 9600 baud and unpaced) and
// in process. The "overhead_ms" counter is the time beyond the characters on
// the line: for the paced run the 35 characters of request and reply take
// 36.46 ms at 9600 baud; unpaced and in process, all of it is overhead.
#include "link/CtError.h"
#include "link/TextHelpers.h"
#include "sim/PtySim.h"
#include "testsupport/LinkFixture.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace rer;
using rer::sim::CtSim;

namespace {

constexpr int kLineChars = 8 + 27;  // "0RPnnn" CR LF + the reply

void runReads(benchmark::State& state, test::LinkWorld& w, double lineMs) {
    w.ctx.opt.PortOccupy = true;
    w.l().TusinTimeout = 1000;
    int n = 1;
    double total = 0;
    int64_t count = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const int r = w.link->SendCmdWaitReply(QStringLiteral("0RP"), 27, HexText(n, 3));
        const auto t1 = std::chrono::steady_clock::now();
        if (r != 0) {
            state.SkipWithError("transaction failed");
            break;
        }
        total += std::chrono::duration<double, std::milli>(t1 - t0).count();
        ++count;
        n = n % 399 + 1;
    }
    if (count > 0) {
        state.counters["ms_per_transaction"] = total / static_cast<double>(count);
        state.counters["line_ms"] = lineMs;
        state.counters["overhead_ms"] = total / static_cast<double>(count) - lineMs;
    }
    w.link->PortClose();
}

void BM_ReadPositionPty(benchmark::State& state) {
    const bool paced = state.range(0) != 0;
    sim::PtySim pty;
    if (!pty.start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    pty.setPaced(paced);
    qputenv("RER6O250_COM1", pty.devicePath().toLocal8Bit());
    test::LinkWorld w(std::make_unique<QtSerialPort>());
    w.ctx.opt.PortNo = 1;
    runReads(state, w, paced ? CtSim::k9600 * kLineChars : 0.0);
    state.SetLabel(paced ? "pty, paced at 9600 baud" : "pty, unpaced");
}
BENCHMARK(BM_ReadPositionPty)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPositionPty)->Arg(1)->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_ReadPositionInProcess(benchmark::State& state) {
    test::LinkWorld w;
    runReads(state, w, 0.0);
    state.SetLabel("in process");
}
BENCHMARK(BM_ReadPositionInProcess)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
