// Start-up to the main window shown, offscreen: the product choice, the
// start-up routine of the product and the main window's load.
#include "app/StartUp.h"
#include "app/ui/formSelect.h"
#include "mainwin/ui/frmMain.h"
#include "testsupport/AppFixture.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

using namespace rer;

static void BM_StartToMainWindow(benchmark::State& state) {
    const int ctType = int(state.range(0));
    for (auto _ : state) {
        test::TestApp t;
        t.set(QStringLiteral("Controller"), QString::number(ctType));
        frmMain main(t.ctx);
        auto* sel = new formSelect(t.ctx, main);
        sel->Form_Load();
        sel->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(main.isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_StartToMainWindow)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
