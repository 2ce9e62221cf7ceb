#include "link/TextHelpers.h"

namespace rer {

std::optional<QString> PadRight(const QString& text, int width) {
    if (text.size() > width) return std::nullopt;
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}

QString HexText(int32_t value, int width) {
    if (value < 0) return QStringLiteral("X");
    const QString h = QString::number(value, 16).toUpper();
    if (h.size() > width) return QStringLiteral("X");
    return h.rightJustified(width, QLatin1Char('0'));
}

std::optional<int> HexValue(const QString& text) {
    if (text.isEmpty() || text.size() > 7) return std::nullopt;
    int v = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        int d;
        if (u >= u'0' && u <= u'9') d = u - u'0';
        else if (u >= u'A' && u <= u'F') d = u - u'A' + 10;
        else if (u >= u'a' && u <= u'f') d = u - u'a' + 10;
        else return std::nullopt;
        v = v * 16 + d;
    }
    return v;
}

} // namespace rer
