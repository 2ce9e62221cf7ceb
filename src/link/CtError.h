#pragma once
#include <QString>

namespace rer {

class AppContext;
class LinkDisplay;

// Loads the controller error list of the language in force ("errorjpn.lst"
// or "erroreng.lst" beside the program) into ctx.link; on failure tells the
// user once and sets NoErrListFile.
void Get_ErrorList(AppContext& ctx);

// Shows the error reply in ctx.link.CtErrorReply on the main window: axis and
// error number, the alarm lamp and the error text from the list (ErrText).
void ShowCtErrorInfo(AppContext& ctx, LinkDisplay& display);

} // namespace rer
