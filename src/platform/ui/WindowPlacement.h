#pragma once
#include <QSize>

class QWidget;

namespace rer {

// The main window as seen from `w`, a window it opened directly or through
// another window (the actuator dialog of a parameter window's factory-value
// command): the outermost window above `w`, or `w` itself.
QWidget* MainWindowOf(QWidget* w);

// Places `window` 500 twips (33 pixels) to the right of and below the top-left
// corner of the main window above `opener`; nothing without an opener.
void PlaceBesideMainWindow(QWidget* window, QWidget* opener);

// Keeps `window` inside the available area of its screen (the screen less
// the desktop's panels), its frame included, each time it is shown: a window
// larger than that area opens at the area's size, and when its content
// cannot shrink so far, the content scrolls. A window that fits opens as it
// would without this, where it would. Call it once, when the window is made.
void FitToScreen(QWidget& window);

// The largest inside size a window may have on the screen it stands on, so
// that its frame stays within the screen's available area.
QSize RoomOnScreen(const QWidget& window);

} // namespace rer
