#include "platform/BoxEntry.h"

#include <algorithm>

namespace rer {

QString PlainDigits(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c.unicode() >= u'0' && c.unicode() <= u'9') continue;
        if (c.category() == QChar::Number_DecimalDigit) c = QChar(u'0' + c.digitValue());
    }
    return out;
}

std::optional<QString> BoxEdit(const BoxRule& rule, const QString& before, const QString& after, int& cursor,
                               bool* dropped) {
    if (dropped) *dropped = false;
    // The edit replaced the middle of `before` by the middle of `after`.
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head]) ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
    QString added = after.mid(head, after.size() - head - tail);
    const qsizetype addedBefore = added.size();

    if (rule.plainDigits) added = PlainDigits(added);
    if (rule.digitsOnly)
        for (QChar c : added)
            if (c.unicode() < rule.lowest || c.unicode() > rule.highest) {
                if (dropped) *dropped = true;
                return std::nullopt;
            }

    if (rule.maxChars > 0) {
        const qsizetype room = std::max<qsizetype>(rule.maxChars, before.size());
        const qsizetype kept = after.size() - addedBefore;
        if (kept + added.size() > room) added.truncate(std::max<qsizetype>(0, room - kept));
    }

    const qsizetype cut = addedBefore - added.size();
    if (dropped) *dropped = cut > 0;
    if (cursor >= head + addedBefore) cursor -= int(cut);
    else if (cursor > head + added.size()) cursor = int(head + added.size());
    return after.left(head) + added + after.right(tail);
}

QString BoxKeyText(const BoxRule& rule, int key, bool keypad, const QString& text) {
    if (!rule.number || !keypad) return text;
    // The keypad's decimal key is Qt::Key_Period or Qt::Key_Comma by the
    // layout; its text may be the layout's own decimal sign (Arabic "٫").
    const bool decimalKey = key == Qt::Key_Period || key == Qt::Key_Comma || text == QStringLiteral(".") ||
                            text == QStringLiteral(",") || text == QString(QChar(0x066B));
    return decimalKey ? QStringLiteral(".") : text;
}

} // namespace rer
