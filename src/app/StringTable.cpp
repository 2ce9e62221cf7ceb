#include "app/Language.h"

#include <QHash>

namespace rer {

namespace {

const QHash<int, QString>& table() {
    static const QHash<int, QString> t = {
        {575, QStringLiteral("選択した機種のﾃﾞﾊﾞｲｽ情報が見つかりませんでした。")},
        {10575, QStringLiteral("Fail to find device information...")},
        {618, QStringLiteral("ヘルプファイルを表示できません。このプロジェクトに関連付けられたヘルプファイルがありません。")},
        {10618, QStringLiteral("Can not indicate Help file.No Help files related to this project.")},
    };
    return t;
}

} // namespace

QString LoadResString(int id) {
    return table().value(id);
}

} // namespace rer
