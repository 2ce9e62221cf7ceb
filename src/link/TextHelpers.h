#pragma once
#include <QString>
#include <cstdint>
#include <optional>

namespace rer {

// The text right-aligned in a field of the width: blanks in front of it.
// No value (the caller's -1) when the text is longer than the width.
std::optional<QString> PadRight(const QString& text, int width);

// The value as upper-case hexadecimal digits, zero-filled to the width; "X"
// when it needs more digits than the width or is negative.
QString HexText(int32_t value, int width);

// The value of a hexadecimal text (digits only, no prefix); no value when the
// text is empty or holds anything else.
std::optional<int> HexValue(const QString& text);

} // namespace rer
