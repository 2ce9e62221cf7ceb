#pragma once
#include <initializer_list>

class QLineEdit;
class QWidget;

namespace rer {

// The hidden box "txtDummy" of a window: where the window puts the focus so
// that no command keeps it (after a job, a jog press, Enter in a box). It
// shows nothing, so it is no stop of the Tab chain: a Tab from it goes on
// to the next control.
QLineEdit* NewFocusTarget(QWidget* parent);

// Puts the widgets of one window one after the other into its Tab chain, in
// the order given (the order they are laid out in).
void SetTabChain(std::initializer_list<QWidget*> widgets);

} // namespace rer
