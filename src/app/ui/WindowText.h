#pragma once
#include <QFont>

class QWidget;

namespace rer {

// The font of the windows in a language: outline fonts without embedded
// bitmaps, whose digits and punctuation stay clear at the windows' sizes
// ("25.500" never reads as "25,500"). Japanese captions are drawn in IPA P
// Gothic; English ones in DejaVu Sans, with IPA P Gothic for any Japanese
// text (a file name) among them.
QFont WindowFont(int languageNo);

// Sets the language of Qt's own texts and the windows' font for the run:
// in Japanese (1) Qt's Japanese translation of its standard buttons and
// dialogs (Yes/No/OK/Cancel, the file and print dialogs) is installed, in
// any other language it is removed. Call it as soon as the language is
// decided, before the first window that shows such texts. False when the
// Japanese translation is not installed on the system.
bool ApplyWindowLanguage(int languageNo);

// The style of the windows for the run: the platform's own, with the focus
// frame drawn on a push button that has the keyboard focus also when it is
// the default button (Fusion draws those two alike). Call it once, after
// the application object is made.
void ApplyWindowStyle();

// Keeps a window at least as wide as the title bar needs to show its title
// whole beside the window manager's icon and buttons.
void KeepTitleWhole(QWidget& window);

} // namespace rer
