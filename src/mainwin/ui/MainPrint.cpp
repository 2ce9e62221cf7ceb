#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "dialogs/ui/frmPrintSelect.h"
#include "mainwin/PosiPrint.h"
#include "mainwin/PositionEditor.h"
#include "mainwin/ui/frmMain.h"

#include <QLabel>
#include <QTableView>

namespace rer {

namespace {

// The model labels of the main window, printed with the grid.
std::array<QString, 2> modelLabels(frmMain& w, Product p) {
    const QString name = p == Product::TwoAxis ? QStringLiteral("lblDeviceType%1") : QStringLiteral("lblDeviceTypeW3k%1");
    std::array<QString, 2> out;
    for (int a = 0; a < 2; ++a)
        if (QLabel* l = w.label(name.arg(a))) out[size_t(a)] = l->text();
    return out;
}

// PrintPosiData / W3kPrintPosiData up to the printer dialog: the grid is
// checked, the print-selection dialog asks what to print.
void printPosiData(frmMain& w, AppContext& ctx, Product p) {
    ctx.pos.PosiRangeStart = 1;
    ctx.pos.PosiRangeEnd = 399;
    PosiDataCheck(ctx, p);
    if (ctx.main.PosiDataCheckError) return;
    frmPrintSelect dlg(ctx, &w);
    dlg.exec();
    if (dlg.PrintCancel) return;
    ctx.print.GridPosiPrint = dlg.GridPosiPrint;
    ctx.print.FilePosiPrint = dlg.FilePosiPrint;
    ctx.print.PrintPosiFileName = dlg.PrintPosiFileName;
    PrintPosiData(ctx, p, modelLabels(w, p));
}

// PosiPrintProc: the print between the command families.
void PosiPrintProc(frmMain& w, AppContext& ctx) {
    // Text pending in the in-cell editor belongs to the table printed.
    if (ctx.grid.commitPendingEdit) ctx.grid.commitPendingEdit();
    w.FocusDummy();
    w.CMDBTN_Muko();
    w.ToolBar_Muko();
    w.LineCmd_Muko();
    const Product p = ctx.opt.product();
    printPosiData(w, ctx, p);
    if (QTableView* v = w.grid(p)) v->viewport()->update();
    w.CMDBTN_Yuko();
    w.ToolBar_Yuko();
}

} // namespace

void InstallPrintCommands(frmMain& w, AppContext& ctx) {
    w.registerCommand(QStringLiteral("Print"), [&w, &ctx] { PosiPrintProc(w, ctx); });
    w.registerCommand(QStringLiteral("PageSetup"), [&w, &ctx] {
        w.LineCmd_Muko();
        // A page set-up: what it chooses, later prints start from.
        if (ctx.platform.fileDialogs) ctx.platform.fileDialogs->pageSetup(ctx.opt.LanguageNo);
    });
}

} // namespace rer
