#include "app/EditsQuestion.h"

#include "app/AppContext.h"

namespace rer {

namespace {

QString QuestionText(const AppContext& ctx, EditsAt at) {
    switch (at) {
    case EditsAt::Close:
        return ctx.pick(QStringLiteral("データが変更されています。閉じる前にファイルに保存しますか？"),
                        QStringLiteral("Data have been changed. Save the data into the file before closing?"));
    case EditsAt::Replace:
        return ctx.pick(QStringLiteral("データが変更されています。ファイルに保存しますか？"),
                        QStringLiteral("Data have been changed.Save the data into the file?"));
    case EditsAt::Read:
        return ctx.pick(QStringLiteral("データを読み込む前に、現在編集中のデータを保存しますか？"),
                        QStringLiteral("Save the editing data before reading data?"));
    }
    return QString();
}

} // namespace

bool MayGiveUpEdits(AppContext& ctx, EditsAt at, const std::function<bool()>& save) {
    switch (ctx.message(QuestionText(ctx, at), MsgButtons::YesNoCancel, MsgIcon::Question)) {
    case MsgAnswer::No: return true;
    case MsgAnswer::Yes: return save && save();
    default: return false;
    }
}

} // namespace rer
