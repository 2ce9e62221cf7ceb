#include "mainwin/ui/MainFeatures.h"

namespace rer {

void InstallLinkCommands(frmMain&, AppContext&) {}
void MainLinkLoad(frmMain&, AppContext&) {}
void MainLinkUnload(frmMain&, AppContext&) {}

} // namespace rer
