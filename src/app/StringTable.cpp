#include "app/Language.h"

#include <QHash>

namespace rer {

namespace {

const QHash<int, QString>& table() {
    static const QHash<int, QString> t = {
        {498, QStringLiteral("ｺﾝﾄﾛｰﾗのﾊﾞｰｼﾞｮﾝ情報 なし")},
        {10498, QStringLiteral("No version information")},
        {499, QStringLiteral("ｺﾝﾄﾛｰﾗのﾊﾞｰｼﾞｮﾝ ")},
        {10499, QStringLiteral("The version of this C/T is ")},
        {500, QStringLiteral("通信タイムアウトエラー！")},
        {10500, QStringLiteral("Communication timeout error!")},
        {501, QStringLiteral("以下の項目を確認してください。")},
        {10501, QStringLiteral("Check the followings;")},
        {502, QStringLiteral("１．コントローラーの電源が入っていますか？")},
        {10502, QStringLiteral(" 1.Power ON for controller?")},
        {503, QStringLiteral("２．通信ケーブルが接続されていますか？")},
        {10503, QStringLiteral(" 2.Communication cables are connected?")},
        {504, QStringLiteral("通信エラーが発生しました！")},
        {10504, QStringLiteral("Communication error occurs!")},
        {505, QStringLiteral("通信データ長エラーが発生しました！")},
        {10505, QStringLiteral("Communication data length error occurs!")},
        {506, QStringLiteral("データの長さが違います。")},
        {10506, QStringLiteral("Length of data is wrong.")},
        {509, QStringLiteral("ポートのオープンに失敗しました。")},
        {10509, QStringLiteral("Failed port open.")},
        {575, QStringLiteral("選択した機種のﾃﾞﾊﾞｲｽ情報が見つかりませんでした。")},
        {10575, QStringLiteral("Fail to find device information...")},
        {600, QStringLiteral("コントローラのバージョン情報の収得に失敗しました。")},
        {10600, QStringLiteral("Failed to get version information of controller.")},
        {601, QStringLiteral("コントローラのバージョンは、 ")},
        {10601, QStringLiteral("Version of the controller is ")},
        {602, QStringLiteral(" です。")},
        {10602, QStringLiteral(".")},
        {618, QStringLiteral("ヘルプファイルを表示できません。このプロジェクトに関連付けられたヘルプファイルがありません。")},
        {10618, QStringLiteral("Can not indicate Help file.No Help files related to this project.")},
        {620, QStringLiteral("ﾃｨｰﾁﾝｸﾞ速度設定の読み込みでエラーが発生しました。")},
        {10620, QStringLiteral("An error occurred in reading the teaching speed settings.")},
    };
    return t;
}

} // namespace

QString LoadResString(int id) {
    return table().value(id);
}

} // namespace rer
