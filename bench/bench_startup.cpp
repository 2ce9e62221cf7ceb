// Start-up to the main window shown: the two-axis start with the shipped
// catalogues (saved actuator, catalogue load and lookup, limits, labels).
// Run with QT_QPA_PLATFORM=offscreen.

#include "app/StartUp.h"
#include "catalogue/Catalogue.h"
#include "mainwin/ui/frmMain.h"
#include "testsupport/ActuatorTestSupport.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace rer;
using namespace rer::test;

static void BM_StartUpToMainWindow(benchmark::State& state) {
    TestPlatform pf;
    pf.sys.country = QStringLiteral("United Kingdom");
    for (auto _ : state) {
        CatalogueApp app(pf);
        DecideLanguage(app.ctx);
        frmMain w(app.ctx);
        InitMain(app.ctx, w);
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.isVisible());
        w.hide();
    }
}
BENCHMARK(BM_StartUpToMainWindow)->Unit(benchmark::kMillisecond);

// The catalogue part alone: load both slots and look the models up.
static void BM_CatalogueLoadAndLookup(benchmark::State& state) {
    TestPlatform pf;
    CatalogueApp app(pf);
    for (int a = 0; a < 2; ++a) {
        app.ctx.dev.DevIsKZ[a] = true;
        app.ctx.dev.DevNewType[a] = true;
        app.ctx.dev.two[a].Series = QStringLiteral("KZ");
        app.ctx.dev.two[a].Size = QStringLiteral(" 28");
        app.ctx.dev.two[a].Speed = QStringLiteral("L");
        app.ctx.dev.two[a].Stroke = 100;
    }
    for (auto _ : state) {
        LoadDeviceList(app.ctx, Product::TwoAxis, 0);
        ApplyDeviceList(app.ctx, Product::TwoAxis);
        benchmark::DoNotOptimize(app.ctx.dev.two[1].Lead);
    }
}
BENCHMARK(BM_CatalogueLoadAndLookup)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
