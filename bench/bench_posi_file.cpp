// Opening a position file of 399 positions: read and copy into the editor.
#include "app/AppContext.h"
#include "files/DataCodec.h"
#include "files/PosiFile.h"
#include "testsupport/PlatformDoubles.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace rer;

static void BM_OpenPositionFile399(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.kzd"));
    QString text = QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"KZ- 28L-100\",\"NEW\",\"NEW\"\r\n");
    for (int p = 1; p <= 399; ++p)
        text += QStringLiteral("%1,5,3,0,%2,5,3,0,%3,0,0,0,\"位置%1\"\r\n").arg(p).arg(p * 16).arg(-p * 3);
    QByteArray bytes;
    EncodeShiftJis(text, bytes);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    f.write(bytes);
    f.close();

    FakeMessageBoxes msg;
    MemorySettingsStore store;
    FakeSystemInfo sys;
    FakeHelpViewer help;
    MemoryClipboard clipboard;
    CountingBeeper beeper;
    AppContext ctx(Platform{msg, store, sys, help, clipboard, beeper});
    ctx.dev.two[0].Lead = 6;
    ctx.dev.two[0].PPR = 400;
    ctx.dev.two[1].Lead = 6;
    ctx.dev.two[1].PPR = 400;
    for (auto _ : state) {
        if (!ReadPosiFile(ctx, path)) state.SkipWithError("read failed");
        PosiFileToEdit(ctx);
        PosiTblPlsToMm(ctx);
        benchmark::DoNotOptimize(ctx.pos.PosiValue[399][2]);
    }
}
BENCHMARK(BM_OpenPositionFile399)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
