#include "link/CtError.h"

#include "app/AppContext.h"
#include "link/LinkDisplay.h"
#include "link/TextHelpers.h"

#include "files/DataCodec.h"

#include <algorithm>
#include <cmath>

namespace rer {

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
    DataFileReader r;
    if (!r.open(l.ErrListPath)) return fail();
    const auto countItem = r.next();
    if (!countItem || !countItem->isNumber()) return fail();
    l.ErrListCountItem = countItem->toText();
    const double count = countItem->toNumber();
    if (count < 0 || count != std::floor(count)) return fail();
    const int max = static_cast<int>(l.ErrList.size()) - 1;
    l.ErrListCount = static_cast<int16_t>(std::min<double>(count, max));
    for (int i = 1; i <= count; ++i) {
        // The table holds 40 entries; a longer list is refused after them.
        if (i > max) return fail();
        QString number, text;
        if (!r.nextText(number) || !r.nextText(text)) {
            l.ErrListCount = static_cast<int16_t>(i - 1);
            return fail();
        }
        l.ErrList[i] = {number, text};
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
    // The number is the axis and character 6 (character 5 means nothing); a
    // reply too short for it, or whose character 6 is no hexadecimal digit,
    // has none.
    std::optional<int> number;
    if (head.size() == 6 && !digit.isEmpty()) number = HexValue(axis + digit);
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
