#pragma once

class QWidget;

namespace rer {

// The main window as seen from `w`, a window it opened directly or through
// another window (the actuator dialog of a parameter window's factory-value
// command): the outermost window above `w`, or `w` itself.
QWidget* MainWindowOf(QWidget* w);

// Places `window` 500 twips (33 pixels) to the right of and below the top-left
// corner of the main window above `opener`; nothing without an opener.
void PlaceBesideMainWindow(QWidget* window, QWidget* opener);

} // namespace rer
