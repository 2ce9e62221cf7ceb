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

} // namespace

void InstallGrpSmCommands(frmMain& w, AppContext& ctx) {
    auto grp = std::make_shared<QPointer<frmGrp>>();
    auto sm = std::make_shared<QPointer<frmSqMcr>>();
    w.registerCommand(QStringLiteral("cmdOpenGrpWindow"), [&w, &ctx, grp] {
        w.LineCmd_Muko();
        w.FocusDummy();
        ShowModeless(w, ctx, *grp);
    });
    w.registerCommand(QStringLiteral("mnuShowGroup"), [&w, &ctx, grp] {
        w.LineCmd_Muko();
        ShowModeless(w, ctx, *grp);
    });
    w.registerCommand(QStringLiteral("cmdSqMcrWinOpen"), [&w, &ctx, sm] {
        w.LineCmd_Muko();
        w.FocusDummy();
        ShowModeless(w, ctx, *sm);
    });
    w.registerCommand(QStringLiteral("mnuShowSqMcr"), [&w, &ctx, sm] {
        w.LineCmd_Muko();
        ShowModeless(w, ctx, *sm);
    });
}

} // namespace rer
