#include "mainwin/ui/MainFeatures.h"

#include "app/AppContext.h"
#include "dialogs/ui/frmGrp.h"
#include "dialogs/ui/frmSqMcr.h"
#include "mainwin/ui/frmMain.h"

#include <QPointer>
#include <memory>

namespace rer {

namespace {

// Shows the one window of its kind, not modal: the open one comes to the
// front as it is, a closed one opens afresh.
template <class W> void ShowModeless(frmMain& w, AppContext& ctx, QPointer<W>& window) {
    if (!window) window = new W(ctx, &w);
    window->show();
    window->raise();
    window->activateWindow();
}

// The button and the menu item that show the window W; the button first puts
// the focus on txtDummy.
template <class W> void InstallShowCommands(frmMain& w, AppContext& ctx, const QString& button, const QString& menu) {
    auto window = std::make_shared<QPointer<W>>();
    w.registerCommand(button, [&w, &ctx, window] {
        w.LineCmd_Muko();
        w.FocusDummy();
        ShowModeless(w, ctx, *window);
    });
    w.registerCommand(menu, [&w, &ctx, window] {
        w.LineCmd_Muko();
        ShowModeless(w, ctx, *window);
    });
}

} // namespace

void InstallGrpSmCommands(frmMain& w, AppContext& ctx) {
    InstallShowCommands<frmGrp>(w, ctx, QStringLiteral("cmdOpenGrpWindow"), QStringLiteral("mnuShowGroup"));
    InstallShowCommands<frmSqMcr>(w, ctx, QStringLiteral("cmdSqMcrWinOpen"), QStringLiteral("mnuShowSqMcr"));
}

} // namespace rer
