#include "platform/ui/QtBeeper.h"

#include <QApplication>

namespace rer {

void QtBeeper::beep() { QApplication::beep(); }

} // namespace rer
