#include "platform/ui/WindowPlacement.h"

#include <QPoint>
#include <QWidget>

namespace rer {

QWidget* MainWindowOf(QWidget* w) {
    while (w && w->parentWidget()) w = w->parentWidget();
    return w;
}

void PlaceBesideMainWindow(QWidget* window, QWidget* opener) {
    if (QWidget* main = MainWindowOf(opener)) window->move(main->pos() + QPoint(33, 33));
}

} // namespace rer
