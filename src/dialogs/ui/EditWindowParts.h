#pragma once
#include <QString>

class QKeyEvent;
class QPushButton;
class QWidget;

namespace rer {

// The ASCII code a key press stands for in the row and step boxes of the
// group and macro windows (the character, or backspace, tab, Enter), or -1
// for keys that only move within the box (arrows, Home, Delete), which pass
// unfiltered.
int KeyAsciiOf(const QKeyEvent& e);

// A push button carrying its control name.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption);

} // namespace rer
