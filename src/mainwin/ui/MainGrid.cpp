#include "mainwin/ui/MainFeatures.h"

namespace rer {

void InstallGridCommands(frmMain&, AppContext&) {}
void InitPositionGrid(frmMain&, AppContext&, Product) {}

} // namespace rer
