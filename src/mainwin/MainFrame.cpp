#include "mainwin/MainFrame.h"

#include "app/AppContext.h"
#include "app/StartUp.h"

#include <QHash>
#include <utility>

namespace rer {

QString MainWindowTitle(int ctType) {
    if (ctType == 1) return QStringLiteral("DI-D6 Ver") + VersionText();
    if (ctType == 2) return QStringLiteral("DE-D3U Ver") + VersionText();
    return QString();
}

bool LoadMainSettings(AppContext& ctx) {
    ctx.opt.PortNo = ctx.settings.ranged(OptionSettings::PortNo);
    if (ctx.opt.NotJapan) {
        ctx.setLanguage(2);
        return true;
    }
    ctx.setLanguage(ctx.settings.ranged(OptionSettings::Language));
    return ctx.opt.LanguageNo != 1;
}

bool QueryUnload(AppContext& ctx, const QString& tag, const std::function<void()>& saveAs) {
    MainState& st = ctx.main;
    st.SyuryoCancel = false;
    st.HozonCancel = false;
    if (tag.isEmpty()) {
        const MsgAnswer a = ctx.message(
            ctx.pick(QStringLiteral("DI-D6 を終了します。"), QStringLiteral("Finish DI-D6.")),
            MsgButtons::OkCancel, MsgIcon::Question);
        if (a != MsgAnswer::Ok) {
            st.SyuryoCancel = true;
            return false;
        }
        return true;
    }
    if (tag == QLatin1String("DataChange")) {
        const MsgAnswer a = ctx.message(
            ctx.pick(QStringLiteral("データが変更されています。終了前にファイルに保存しますか？"),
                     QStringLiteral("Data have been changed. Save the data into the file before finish?")),
            MsgButtons::YesNoCancel, MsgIcon::Question);
        if (a == MsgAnswer::Cancel) {
            st.SyuryoCancel = true;
            return false;
        }
        if (a == MsgAnswer::Yes) {
            if (saveAs)
                saveAs();
            else
                st.HozonCancel = true; // nothing could save it: keep the window open
            if (st.HozonCancel) {
                st.SyuryoCancel = true;
                st.HozonCancel = false;
                return false;
            }
        }
        return true;
    }
    return true;
}

void SaveOnUnload(AppContext& ctx) {
    ctx.settings.saveInt(QStringLiteral("PortNo"), ctx.opt.PortNo);
    if (ctx.opt.LanguageChanged) ctx.setLanguage(ctx.opt.LanguageNo == 1 ? 2 : 1);
    ctx.settings.saveInt(QStringLiteral("Language"), ctx.opt.LanguageNo);
    if (ctx.opt.CtTypeChanged)
        ctx.settings.saveInt(QStringLiteral("Controller"), ctx.opt.CtType == 1 ? 2 : 1);
}

namespace {

using Pair = std::pair<QString, QString>; // English, Japanese

const QHash<QString, Pair>& captions() {
    static const QHash<QString, Pair> t = {
        {QStringLiteral("frmTrancefer"), {QStringLiteral("Status"), QStringLiteral("ステータス")}},
        {QStringLiteral("lblShowDev"), {QStringLiteral("Type of KZ"), QStringLiteral("使用機種")}},
        {QStringLiteral("cmdChangeDev"), {QStringLiteral("Change"), QStringLiteral("機種変更")}},
        {QStringLiteral("cmdChangeDevW3k"), {QStringLiteral("Change"), QStringLiteral("機種変更")}},
        {QStringLiteral("lblFilelabel"), {QStringLiteral("File Name"), QStringLiteral("ﾌｧｲﾙ名")}},
        {QStringLiteral("cmdReset"), {QStringLiteral("Reset"), QStringLiteral("ﾘｾｯﾄ")}},
        {QStringLiteral("lblHome"), {QStringLiteral("Home"), QStringLiteral("原点復帰")}},
        {QStringLiteral("lblJotai.toolTip"),
         {QStringLiteral("Green：COM-PORT OPEN \u3000White：COM-PORT CLOSE"),
          QStringLiteral("緑ランプ：通信ポートOPEN \u3000赤ランプ：通信ポートCLOSE")}},
        {QStringLiteral("frmDataEdit"), {QStringLiteral("Position Data"), QStringLiteral("位置データ")}},
        {QStringLiteral("cmdPosiFileOpen"), {QStringLiteral("File Open"), QStringLiteral("ファイルの読み込み")}},
        {QStringLiteral("cmdPosiSaveFile"), {QStringLiteral("File Save"), QStringLiteral("ファイルへ保存")}},
        {QStringLiteral("cmdPosiVerify"), {QStringLiteral("Verify"), QStringLiteral("照合")}},
        {QStringLiteral("cmdPosiRead"), {QStringLiteral("Read from C/T"), QStringLiteral("ｺﾝﾄﾛｰﾗから読み込み")}},
        {QStringLiteral("cmdPosiLoad"), {QStringLiteral("Write to C/T"), QStringLiteral(" ｺﾝﾄﾛｰﾗへ 書き込み")}},
        {QStringLiteral("cmdInsertLine"), {QStringLiteral("Insert Line"), QStringLiteral("行の挿入")}},
        {QStringLiteral("cmdDeleteLine"), {QStringLiteral("Delete Line"), QStringLiteral("行の削除")}},
        {QStringLiteral("cmdOpenIoWin"), {QStringLiteral("I/O"), QStringLiteral("入出力")}},
        {QStringLiteral("cmdOpenMoveWin"), {QStringLiteral("Move test"), QStringLiteral("移動ﾃｽﾄ")}},
        {QStringLiteral("cmdOpenGrpWindow"), {QStringLiteral("Group"), QStringLiteral("ｸﾞﾙｰﾌﾟ")}},
        {QStringLiteral("cmdSqMcrWinOpen"), {QStringLiteral("SM"), QStringLiteral("ｼｰｹﾝｽ ﾏｸﾛ")}},
        {QStringLiteral("cmdParaHyoji"), {QStringLiteral("Parameter"), QStringLiteral("ﾊﾟﾗﾒｰﾀ")}},
        {QStringLiteral("cmdJogTeach"), {QStringLiteral("Teaching"), QStringLiteral("ﾃｨｰﾁﾝｸﾞ")}},
        // Menus.
        {QStringLiteral("mnuFile"), {QStringLiteral("File(&F)"), QStringLiteral("ファイル(&F)")}},
        {QStringLiteral("mnuFileNew"), {QStringLiteral("New Data(&N)"), QStringLiteral("新規作成(&N)")}},
        {QStringLiteral("mnuFileOpen"), {QStringLiteral("File Open(&O)"), QStringLiteral("開く(&O)")}},
        {QStringLiteral("mnuFileGetfromCt"), {QStringLiteral("Read from C/T(&R)"), QStringLiteral("ｺﾝﾄﾛｰﾗから読込み(&R)")}},
        {QStringLiteral("mnuFileSave"), {QStringLiteral("Save(&S)"), QStringLiteral("上書き保存(&S)")}},
        {QStringLiteral("mnuFileSaveAs"), {QStringLiteral("Save As...(&A)"), QStringLiteral("名前を付けて保存(&A)")}},
        {QStringLiteral("mnuFileLoadtoCt"), {QStringLiteral("Write to C/T(&L)"), QStringLiteral("ｺﾝﾄﾛｰﾗへ書込み(&L)")}},
        {QStringLiteral("mnuFileShogo"), {QStringLiteral("Verfy Position"), QStringLiteral("データ照合")}},
        {QStringLiteral("mnuFileShogoFile"), {QStringLiteral("File"), QStringLiteral("ファイルと照合")}},
        {QStringLiteral("mnuFileShogoCt"), {QStringLiteral("C/T"), QStringLiteral("コントローラと照合")}},
        {QStringLiteral("mnuFilePageSetup"), {QStringLiteral("Printer"), QStringLiteral("プリンター設定(&U)")}},
        {QStringLiteral("mnuFilePrint"), {QStringLiteral("Print(&P)"), QStringLiteral("印刷(&P)")}},
        {QStringLiteral("mnuFileExit"), {QStringLiteral("Exit(&X)"), QStringLiteral("終了(&X)")}},
        {QStringLiteral("mnuEdit"), {QStringLiteral("Edit"), QStringLiteral("編集")}},
        {QStringLiteral("mnuEditGyoInsert"), {QStringLiteral("Insert Line"), QStringLiteral("行の挿入")}},
        {QStringLiteral("mnuEditGyoDelete"), {QStringLiteral("Delete Line"), QStringLiteral("行の削除")}},
        {QStringLiteral("mnuEditCopy"), {QStringLiteral("Copy"), QStringLiteral("コピー")}},
        {QStringLiteral("mnuEditPaste"), {QStringLiteral("Paste"), QStringLiteral("ペースト")}},
        {QStringLiteral("mnuView"), {QStringLiteral("View(&V)"), QStringLiteral("表示(&V)")}},
        {QStringLiteral("mnuViewToolBar"), {QStringLiteral("ToolBar(&T)"), QStringLiteral("ツールバー(&T)")}},
        {QStringLiteral("mnuViewStatusBar"), {QStringLiteral("StatusBar(&B)"), QStringLiteral("ステータスバー(&B)")}},
        {QStringLiteral("mnuShowState"), {QStringLiteral("Input/Output(&I )"), QStringLiteral("入出力( &I )")}},
        {QStringLiteral("mnuShowMove"), {QStringLiteral("Move test(&M)"), QStringLiteral("移動テスト(&M)")}},
        {QStringLiteral("mnuShowGroup"), {QStringLiteral("Group(&G)"), QStringLiteral("グループ(&G)")}},
        {QStringLiteral("mnuShowSqMcr"), {QStringLiteral("SM(&S)"), QStringLiteral("シーケンスマクロ(&S)")}},
        {QStringLiteral("mnuShowParameta"), {QStringLiteral("Parameter(&P)"), QStringLiteral("パラメータ(&P)")}},
        {QStringLiteral("mnuTeaching"), {QStringLiteral("Teaching(&J)"), QStringLiteral("ﾃｨｰﾁﾝｸﾞ(&J)")}},
        {QStringLiteral("mnuViewOption"), {QStringLiteral("Option(&O)"), QStringLiteral("オプション(&O)")}},
        {QStringLiteral("mnuShowCtversion"), {QStringLiteral("Version Of C/T(&V)"), QStringLiteral("ｺﾝﾄﾛｰﾗのﾊﾞｰｼﾞｮﾝ(&V)")}},
        {QStringLiteral("mnuModeChange"), {QStringLiteral("Change C/T Mode(&M)"), QStringLiteral("ｺﾝﾄﾛｰﾗﾓｰﾄﾞ変更(&M)")}},
        {QStringLiteral("mnuModeTrancefer"), {QStringLiteral("Communication Mode(&C)"), QStringLiteral("通信ﾓｰﾄﾞ(&T)")}},
        {QStringLiteral("mnuModeGaibu"), {QStringLiteral("External start mode(&E)"), QStringLiteral("外部起動ﾓｰﾄﾞ(&G)")}},
        {QStringLiteral("mnuHelp"), {QStringLiteral("Help(&H)"), QStringLiteral("ヘルプ(&H)")}},
        {QStringLiteral("mnuHelpContents"), {QStringLiteral("Contents(&C)"), QStringLiteral("目次(&C)")}},
        {QStringLiteral("mnuHelpAbout"), {QStringLiteral("Version(&A)..."), QStringLiteral("バージョン情報(&A)...")}},
    };
    return t;
}

} // namespace

QString MainCaption(int languageNo, const QString& name) {
    const auto it = captions().find(name);
    if (it == captions().end()) return QString();
    return languageNo == 1 ? it->second : it->first;
}

QString MainToolTip(int languageNo, int button) {
    static const Pair tips[13] = {
        {},
        {QStringLiteral("New Data"), QStringLiteral("新規作成")},
        {QStringLiteral("Open Position Data file"), QStringLiteral("開く")},
        {QStringLiteral("Over Write Position Data file"), QStringLiteral("上書き保存")},
        {},
        {QStringLiteral("Print Position Data"), QStringLiteral("印刷")},
        {},
        {QStringLiteral("Read from C/T"), QStringLiteral("ｺﾝﾄﾛｰﾗから読み込み")},
        {QStringLiteral("Write to C/T"), QStringLiteral("ｺﾝﾄﾛｰﾗへ書き込み")},
        {QStringLiteral("Verify Position Data"), QStringLiteral("ﾃﾞｰﾀの照合")},
        {},
        {QStringLiteral("Copy of Position Data"), QStringLiteral("位置データのコピー")},
        {QStringLiteral("Paste of Position Data"), QStringLiteral("位置データのペースト")},
    };
    if (button < 1 || button > 12) return QString();
    return languageNo == 1 ? tips[button].second : tips[button].first;
}

} // namespace rer
