#pragma once
#include <QString>
#include <functional>

namespace rer {

class AppContext;

// "DI-D6 Ver1.20" / "DE-D3U Ver1.20"; empty for an unknown product.
QString MainWindowTitle(int ctType);

// The settings part of the main window's load: "PortNo" and the language.
// Returns true when Help > Contents is to be hidden (English run).
bool LoadMainSettings(AppContext& ctx);

// The close prompt. tag is the change mark of the grid in use; saveAs runs
// the Save As command of the product and leaves MainState::HozonCancel set
// when it did not save. Returns true when the window may close.
bool QueryUnload(AppContext& ctx, const QString& tag, const std::function<void()>& saveAs);

// What the main window stores when it closes.
void SaveOnUnload(AppContext& ctx);

// The main window's captions: the text of a control or menu item by its name
// in the language of the run; empty when the name has no caption of its own.
QString MainCaption(int languageNo, const QString& name);
// Tool-tip of toolbar button 1..12; empty for separators.
QString MainToolTip(int languageNo, int button);

} // namespace rer
