#pragma once

class QLineEdit;
class QWidget;

namespace rer {

// The hidden box "txtDummy" of a window: where the window puts the focus so
// that no command keeps it (after a job, a jog press, Enter in a box). It
// shows nothing, so it is no stop of the Tab chain: a Tab from it goes on
// to the next control.
QLineEdit* NewFocusTarget(QWidget* parent);

} // namespace rer
