#include "app/AppContext.h"
#include "files/FileHeader.h"
#include "files/PosiFile.h"
#include "link/ControllerLink.h"
#include "mainwin/PositionCommands.h"
#include "mainwin/PositionEditor.h"

#include <QFileInfo>
#include <span>

namespace rer {

namespace {

// Editor column and received column of each compared item.
struct ShogoItem {
    int item, editorCol, receivedCol;
};
constexpr ShogoItem kTwoAxisItems[] = {{0, 0, 1}, {1, 1, 2}, {2, 2, 3}, {3, 3, 4},   {4, 4, 5},   {5, 5, 6},
                                       {6, 6, 7}, {7, 7, 8}, {8, 8, 9}, {9, 9, 10}, {10, 10, 11}};
constexpr ShogoItem kOneAxisItems[] = {{0, 0, 1}, {1, 1, 2}, {2, 2, 3}, {3, 3, 4}, {4, 9, 10}, {5, 10, 11}};

// Range dialog and the check of the range; false when the verification stops.
bool RangeAndCheck(AppContext& ctx, PositionHost& host, Product p) {
    host.SelectRange();
    if (ctx.pos.SelectPosiCancel) {
        ctx.pos.SelectPosiCancel = false;
        return false;
    }
    PosiDataCheck(ctx, p);
    return !ctx.main.PosiDataCheckError;
}

void ShowOutcome(AppContext& ctx, PositionHost& host, Product p, bool anyDiff, const QString& okText) {
    if (anyDiff)
        host.ShowShogoResult(p);
    else
        ctx.message(okText);
    ClearPosiShogoKekka(ctx, p);
}

} // namespace

bool ComparePosiTables(AppContext& ctx, Product p) {
    ProductPositions& pos = ctx.pos.of(p);
    ClearPosiShogoKekka(ctx, p);
    ctx.pos.PosiShogoNgCount = 0;
    bool anyDiff = false;
    const int start = std::max<int>(ctx.pos.PosiRangeStart, 1);
    const int end = std::min<int>(ctx.pos.PosiRangeEnd, 399);
    const std::span<const ShogoItem> items = p == Product::TwoAxis ? std::span<const ShogoItem>(kTwoAxisItems)
                                                                   : std::span<const ShogoItem>(kOneAxisItems);
    for (int n = start; n <= end; ++n) {
        auto& marks = pos.PosiShogoKekka[size_t(n)];
        bool rowDiff = false;
        for (const ShogoItem& it : items) {
            const double received = pos.PosiFileData[size_t(n)][size_t(it.receivedCol)].toNumber();
            const double editor = pos.PosiData[size_t(n)][size_t(it.editorCol)].toNumber();
            if (received != editor) {
                marks[size_t(it.item)] = true;
                marks[11] = true;
                rowDiff = true;
            }
        }
        if (rowDiff) {
            anyDiff = true;
            ++ctx.pos.PosiShogoNgCount;
        }
    }
    return anyDiff;
}

void PosiDataFileShogo(AppContext& ctx, PositionHost& host, Product p) {
    if (!RangeAndCheck(ctx, host, p)) return;
    const std::optional<QString> chosen =
        AskPositionFile(ctx, false,
                        ctx.pick(QStringLiteral("照合する位置データファイルを開く"),
                                 QStringLiteral("Open Position Data file to be Verified")),
                        OpenPositionFilter(ctx));
    if (!chosen) return;
    ProductPositions& pos = ctx.pos.of(p);
    pos.PosiFileError = false;
    FileReadFailure why;
    if (!ReadPosiFile(ctx, p, *chosen, &why) || pos.PosiFileError) {
        TellPositionReadFailure(ctx, *chosen, why);
        return;
    }
    const bool anyDiff = ComparePosiTables(ctx, p);
    const QString title = QFileInfo(*chosen).fileName();
    ShowOutcome(ctx, host, p, anyDiff,
                ctx.pick(QStringLiteral("照合データ：画面のデータとファイル(") + title +
                             QStringLiteral(")\r\n\r\n照合結果：ＯＫ"),
                         QStringLiteral("Data : indicated and saved into the file(") + title +
                             QStringLiteral(")\r\n\r\nResult of Verify : OK")));
}

void PosiDataCtShogo(AppContext& ctx, ControllerLink& link, PositionHost& host, Product p) {
    ControllerJob job(&link, nullptr);
    if (!job) return;
    if (!RangeAndCheck(ctx, host, p)) return;
    const int mode = link.PortCheckOpen() != 0 ? 1 : link.CtCommModeOn();
    if (mode == kLinkBusy) return; // the port is the other job's
    if (mode != 0) {
        ctx.link.TusinError = false;
        link.PortCloseIfFree();
        return;
    }
    if (ReadPosidataFromCt(link, p) != 0) return;
    const bool anyDiff = ComparePosiTables(ctx, p);
    ShowOutcome(ctx, host, p, anyDiff,
                ctx.pick(QStringLiteral("照合データ：画面のデータとコントローラ内のデータ\r\n\r\n照合結果：ＯＫ"),
                         QStringLiteral("Data : indicated and inside of controller\r\n\r\nResult of Verify : OK")));
}

void PosiDataShogoProc(AppContext& ctx, ControllerLink& link, PositionHost& host) {
    ControllerJob job(&link, nullptr);
    if (!job) return;
    host.CommandsOff();
    const Product p = ctx.opt.product();
    const int choice = host.SelectShogo();
    if (choice == 1)
        PosiDataFileShogo(ctx, host, p);
    else if (choice == 2)
        PosiDataCtShogo(ctx, link, host, p);
    link.PortCloseIfFree();
    host.CommandsOn();
    host.window().FocusDummy();
}

void PosiVerifyMenu(AppContext& ctx, ControllerLink& link, PositionHost& host, bool againstFile) {
    host.CommandsOff();
    const Product p = ctx.opt.product();
    if (againstFile)
        PosiDataFileShogo(ctx, host, p);
    else
        PosiDataCtShogo(ctx, link, host, p);
    host.CommandsOn();
}

} // namespace rer
