#pragma once
#include <QString>

namespace rer {

// Picks the Japanese text when the language is 1, the English one otherwise.
inline QString PickText(int languageNo, const QString& jp, const QString& en) {
    return languageNo == 1 ? jp : en;
}

// The program's string table: Japanese texts have ids 1 and up, the English
// twin of id n is id n + 10000. An unknown id gives an empty text.
QString LoadResString(int id);

} // namespace rer
