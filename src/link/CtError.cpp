#include "link/CtError.h"

#include "app/AppContext.h"
#include "link/LinkDisplay.h"
#include "link/TextHelpers.h"

#include <QFile>
#include <QStringDecoder>

namespace rer {

QStringList SequentialItems(const QString& text) {
    QStringList items;
    QString cur;
    bool quoted = false;     // inside quotes
    bool wasQuoted = false;  // the current item was a quoted text
    bool any = false;        // the current item has begun
    auto finish = [&] {
        items.push_back(wasQuoted ? cur : cur.trimmed());
        cur.clear();
        wasQuoted = false;
        any = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) quoted = false;
            else cur += c;
        } else if (c == QLatin1Char('"') && cur.trimmed().isEmpty() && !wasQuoted) {
            quoted = true;
            wasQuoted = true;
            any = true;
            cur.clear();
        } else if (c == QLatin1Char(',')) {
            finish();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (any || !cur.trimmed().isEmpty()) finish();
        } else if (!wasQuoted) {
            cur += c;
            any = true;
        }
    }
    if (any || !cur.trimmed().isEmpty()) finish();
    return items;
}

void Get_ErrorList(AppContext& ctx) {
    LinkState& l = ctx.link;
    l.ErrListPath = ctx.programFile(ctx.opt.LanguageNo == 1 ? QStringLiteral("errorjpn.lst")
                                                            : QStringLiteral("erroreng.lst"));
    auto fail = [&] {
        ctx.message(ctx.pick(QStringLiteral("エラーリストのファイルがありません。\r\n"
                                            "エラーを正しく表示させるためには、プログラムと同じフォルダにエラーリストファイルをおいてください。"),
                             QStringLiteral("No error list file.\r\n"
                                            "Put error list in the folder in which the program saved in order to indicate error information correctly.")));
        l.NoErrListFile = true;
    };
    QFile f(l.ErrListPath);
    if (!f.open(QIODevice::ReadOnly)) return fail();
    QStringDecoder dec("Shift_JIS");
    const QString text = dec.decode(f.readAll());
    if (dec.hasError()) return fail();
    const QStringList items = SequentialItems(text);
    if (items.isEmpty()) return fail();
    l.ErrListCountItem = items[0];
    bool ok = false;
    const int count = items[0].toInt(&ok);
    if (!ok || count < 0) return fail();
    l.ErrListCount = static_cast<int16_t>(std::min(count, 40));
    const int max = static_cast<int>(l.ErrList.size()) - 1;
    for (int i = 1; i <= count; ++i) {
        // The table holds 40 entries; a longer list is refused after them.
        if (i > max) return fail();
        const qsizetype at = 1 + 2 * (i - 1);
        if (at + 1 >= items.size()) {
            l.ErrListCount = static_cast<int16_t>(i - 1);
            return fail();
        }
        l.ErrList[i] = {items[at], items[at + 1]};
    }
}

void ShowCtErrorInfo(AppContext& ctx, LinkDisplay& display) {
    LinkState& l = ctx.link;
    if (l.NoErrListFile) {
        ctx.message(ctx.pick(QStringLiteral("エラーリストのファイルがありません。\r\n"
                                            "エラーを正しく表示させるためには、プログラムと同じフォルダにエラーリストファイルをおいてください。"),
                             QStringLiteral("No error list file.\r\n"
                                            "Put error list in the folder in which the program saved in  order to indicate error information correctly.")));
        return;
    }
    const QString head = l.CtErrorReply.left(6);
    const QString axis = head.mid(3, 1) == QLatin1String("0") ? QStringLiteral("1") : QStringLiteral("2");
    QString digit = head.mid(5, 1);
    if (!digit.isEmpty() && digit[0].unicode() < 0x20) digit.clear(); // a cut-short reply's line end
    display.setAlarmNo(axis + digit);
    display.setAlarmLamp(true);
    // A reply too short or not hexadecimal in its code has no number.
    std::optional<int> number;
    if (head.size() == 6 && HexValue(head.mid(3, 3))) number = HexValue(axis + digit);
    if (number) {
        for (int i = 1; i <= l.ErrListCount; ++i) {
            if (HexValue(l.ErrList[i].number) == number) {
                display.setErrorComment(l.ErrList[i].text);
                l.ErrText = l.ErrList[i].text;
                return;
            }
        }
    }
    // The transactions quote ErrText: it must not name an earlier error.
    l.ErrText = ctx.pick(QStringLiteral("該当するエラーNoがリストにありません"),
                         QStringLiteral("No error information in the error List"));
    display.setErrorComment(l.ErrText);
}

} // namespace rer
