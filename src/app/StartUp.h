#pragma once
#include "app/ProgramState.h"

#include <QString>

namespace rer {

class AppContext;
class MainWindowPort;

// The English name of the system country ("Japan", ...).
QString GetSystemCountry(AppContext& ctx);

// The language rule of the start: English unless the system is Japanese;
// then the "Language" setting decides.
void DecideLanguage(AppContext& ctx);

// The start-up window's load after it is shown: help path, "PortOccupy",
// "Controller", move time-out.
void SelectWindowLoaded(AppContext& ctx);

// "Version 2.50" style text: major, ".", minor and revision run together.
QString VersionText();

// The help path: program folder + help-file name, without a doubled "/".
void SetHelpFilePath(AppContext& ctx);
// Opens the help file, or shows the message when there is none.
void ShowHelpFile(AppContext& ctx, const QString& message);

// OK of the start-up window: records the product, runs its start-up and
// stores "Controller".
void ConfirmProduct(AppContext& ctx, int ctType, MainWindowPort& win);

// InitMain / W3kInitMain.
void InitMain(AppContext& ctx, MainWindowPort& win);
void W3kInitMain(AppContext& ctx, MainWindowPort& win);

} // namespace rer
