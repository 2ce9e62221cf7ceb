// A full refresh of a shown position grid: 399 rows set up, pasted, moved.
#include "files/DataCodec.h"
#include "files/PosiFile.h"
#include "mainwin/PositionCommands.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/ui/frmMain.h"
#include "testsupport/GridTestContext.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

using rer::Product;

struct Shown {
    rer::test::GridTestContext t{1, 2, false};
    rer::frmMain w{t.ctx};
    Shown() {
        t.ctx.opt.NotJapan = true;
        w.Show();
        QApplication::processEvents();
    }
};

// New table of 399 rows into a shown grid, drawn once.
void BM_GridSetUp(benchmark::State& state) {
    Shown s;
    for (auto _ : state) {
        rer::SetUpPositionGrid(s.t.ctx, Product::TwoAxis);
        s.w.grid(Product::TwoAxis)->viewport()->repaint();
    }
}
BENCHMARK(BM_GridSetUp)->Unit(benchmark::kMillisecond);

// 399 rows of 12 cells pasted at row 1 of a shown grid.
void BM_GridPaste399(benchmark::State& state) {
    Shown s;
    QString text;
    for (int r = 1; r <= 399; ++r)
        text += QStringLiteral("9\t1\t2\t%1\t9\t1\t2\t   1000\t1\t3\t9\tcomment %2\r\n")
                    .arg(QString::number(r).rightJustified(7)).arg(r);
    s.t.clipboard.setText(text);
    for (auto _ : state) {
        s.t.ctx.grid.flgdData.setCurrent(1, 1);
        rer::PasteRowsFromClipboard(s.t.ctx, Product::TwoAxis);
        s.w.grid(Product::TwoAxis)->viewport()->repaint();
    }
}
BENCHMARK(BM_GridPaste399)->Unit(benchmark::kMillisecond);

// All 399 rows deleted (each replaced by a new row) in a shown grid.
void BM_GridDelete399(benchmark::State& state) {
    Shown s;
    for (auto _ : state) {
        rer::PosiGridDeleteRows(s.t.ctx, Product::TwoAxis, 1, 399);
        s.w.grid(Product::TwoAxis)->viewport()->repaint();
    }
}
BENCHMARK(BM_GridDelete399)->Unit(benchmark::kMillisecond);

// The whole-table check of 399 positions.
void BM_PosiDataCheck(benchmark::State& state) {
    Shown s;
    rer::SetUpPositionGrid(s.t.ctx, Product::TwoAxis);
    for (auto _ : state) rer::PosiDataCheck(s.t.ctx, Product::TwoAxis);
}
BENCHMARK(BM_PosiDataCheck)->Unit(benchmark::kMillisecond);

// A 399-position file opened into a shown grid: read, copied into the
// editor table, converted to mm and drawn.
void BM_OpenFileAndRefresh(benchmark::State& state) {
    Shown s;
    s.t.ctx.opt.DispMmUnit = true;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("full.kzd"));
    QString text = QStringLiteral("\"VO-D6\",\"KZ- 28L-100\",\"KZ- 28L-100\",\"NEW\",\"NEW\"\r\n");
    for (int p = 1; p <= 399; ++p)
        text += QStringLiteral("%1,5,3,0,%2,5,3,0,%3,0,0,0,\"位置%1\"\r\n").arg(p).arg(p * 16).arg(p * 3);
    QByteArray bytes;
    rer::EncodeShiftJis(text, bytes);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return;
    f.write(bytes);
    f.close();
    for (auto _ : state) {
        if (!rer::ReadPosiFile(s.t.ctx, path)) state.SkipWithError("read failed");
        rer::PosiFileToEdit(s.t.ctx);
        rer::PosiTblPlsToMm(s.t.ctx);
        rer::KzDataHyoji(s.t.ctx, Product::TwoAxis);
        s.w.grid(Product::TwoAxis)->viewport()->repaint();
    }
}
BENCHMARK(BM_OpenFileAndRefresh)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
