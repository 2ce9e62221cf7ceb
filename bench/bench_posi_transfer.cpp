// Writing and reading all 399 positions through the real serial port against
// the simulated controller on a pseudo-terminal paced at 9600 baud. The
// "line_ms" counter is the time the characters of every request and reply
// take on the line; "over_line_pct" is how much longer the whole job took
// (goal: within 3 %).
#include "link/CtError.h"
#include "sim/PtySim.h"
#include "testsupport/PositionLinkWorld.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace rer;
using rer::sim::CtSim;

namespace {

// Characters on the line, CR LF included.
constexpr int kWriteChars = (6 + 6) + 2 * (6 + 38) + 399 * (27 + 27); // 0CM1, 0RD0/0RD4, 0WP
constexpr int kReadChars = 399 * (8 + 27);                              // 0RP

void BM_PositionsPty(benchmark::State& state) {
    const bool write = state.range(0) == 0;
    sim::PtySim pty;
    if (!pty.start()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    pty.setPaced(true);
    pty.withSim([](CtSim& s) {
        for (char b : {'0', '4'}) s.state.paramBlocks[b].replace(14, 6, "0FFFFF");
    });
    qputenv("RER6O250_COM1", pty.devicePath().toLocal8Bit());
    test::PositionLinkWorld w(1, false, std::make_unique<QtSerialPort>());
    Get_ErrorList(w.ctx);
    w.ctx.opt.PortNo = 1;
    w.link->setProgress(nullptr);
    w.fillGrid();
    if (!write && !PosidataLoadtoCtProc(w.ctx, *w.link, w.host, Product::TwoAxis)) {
        state.SkipWithError("write before the read failed");
        return;
    }
    const double lineMs = CtSim::k9600 * (write ? kWriteChars : kReadChars);
    double total = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        w.ctx.pos.two.PosiData = PosiDataTable(kPosiRows); // no save prompt before the read
        w.msg.clear();
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok = write ? PosidataLoadtoCtProc(w.ctx, *w.link, w.host, Product::TwoAxis)
                              : PosidataGetfromCtProc(w.ctx, *w.link, w.host, Product::TwoAxis);
        const auto t1 = std::chrono::steady_clock::now();
        if (!ok) {
            state.SkipWithError("job failed");
            break;
        }
        total += std::chrono::duration<double, std::milli>(t1 - t0).count();
        ++runs;
    }
    if (runs > 0) {
        const double ms = total / double(runs);
        state.counters["job_ms"] = ms;
        state.counters["line_ms"] = lineMs;
        state.counters["over_line_pct"] = (ms - lineMs) / lineMs * 100.0;
    }
    state.SetLabel(write ? "write 399, pty at 9600 baud" : "read 399, pty at 9600 baud");
    qunsetenv("RER6O250_COM1");
}
BENCHMARK(BM_PositionsPty)->Arg(0)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PositionsPty)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same jobs in process, without a line: what the program itself costs.
void BM_PositionsInProcess(benchmark::State& state) {
    const bool write = state.range(0) == 0;
    test::PositionLinkWorld w;
    for (char b : {'0', '4'}) w.sim().state.paramBlocks[b].replace(14, 6, "0FFFFF");
    w.link->setProgress(nullptr);
    w.fillGrid();
    if (!write && !PosidataLoadtoCtProc(w.ctx, *w.link, w.host, Product::TwoAxis)) {
        state.SkipWithError("write before the read failed");
        return;
    }
    for (auto _ : state) {
        w.ctx.pos.two.PosiData = PosiDataTable(kPosiRows);
        w.msg.clear();
        w.sim().received.clear();
        const bool ok = write ? PosidataLoadtoCtProc(w.ctx, *w.link, w.host, Product::TwoAxis)
                              : PosidataGetfromCtProc(w.ctx, *w.link, w.host, Product::TwoAxis);
        if (!ok) {
            state.SkipWithError("job failed");
            break;
        }
    }
    state.SetLabel(write ? "write 399, in process" : "read 399, in process");
}
BENCHMARK(BM_PositionsInProcess)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PositionsInProcess)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
