#include "dialogs/GrpWindow.h"

#include "app/AppContext.h"
#include "files/GrpSmFiles.h"
#include "files/Listings.h"
#include "link/Transfers.h"

#include <algorithm>

namespace rer {

namespace {

// The invalid-data messages: with the controller (A), with a file (B), save
// and print (C).
constexpr Words kInvalidA{"ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。\r\n値を確認後、再度行って下さい。",
                          "Invalid value in some of group data.\r\n Please confirm the value and try it again."};
constexpr Words kInvalidB{"ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。\r\n値を確認後、再度行って下さい。",
                          "Invalid value in some of Group Data.\r\nConfirm the value and try it again."};
constexpr Words kInvalidC{"ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。\r\n値を確認し、再度実行して下さい。",
                          "Invalid value in some of Group Data.\r\nConfirm the value and try it again."};

const TableKind kGrpKind{
    .fileKind = FileKind::Group,
    .filter = {"ＧＲＰデータ(*.grp)|*.grp|すべてのファイル(*.*)|*.*", "GRP Data(*.grp)|*.grp|All files(*.*)|*.*"},
    .defaultExt = "grp",
    .saveTitle = {"名前を付けて保存する", "Save GRP Data as ..."},
    .saveName = "kzw6grp1.grp",
    .saveInvalid = kInvalidC,
    .saveError = std::nullopt, // WriteGrpFile tells
    .ReadFromCt = ReadGrpDataFromCt,
    .WriteToCt = WriteGrpDataToCt,
    .ReadFile = ReadGrpFile,
    .WriteFile = [](AppContext& c, const QString& path, QString*) { return WriteGrpFile(c, path); },
    .FileToEdit = GrpFileToEdit,
    .EditToFile = GrpEditToFile,
    .Compare = GrpDataCompare,
    .Print = PrintGrpData,
    .flags = [](AppContext& c) -> TableKind::Flags {
        return {c.grp.GrpFileError, c.grp.GrpFileName, c.grp.GrpDiffFlag, c.grp.GrpDiffText};
    },
};

// A file chosen to be opened, verified or printed that the reader refused:
// a file of another kind the reader has told; any other the window tells,
// over the file and why.
constexpr Words kReadFailed{"ＧＲＰデータファイルの読み込みに失敗しました。", "Fail to open GRP Data file."};

// Every command switches the buttons and the page frame.
constexpr GrpSmEditor::Frame kButtons{GrpSmEditor::Scope::Commands, GrpSmEditor::Scope::Commands};

// The differing groups after a verification with the controller and with a
// file.
constexpr VerifyWords kUnmatchedCt{{"<一致しなかったグループNo>", "<Unmatched group No.>"},
                                   {" グループNo.", " Group No."}};
constexpr VerifyWords kUnmatchedFile{{"<一致しなかったグループNo>", "<Unmatched Group No.>"},
                                     {" グループNo.", " Group No."}};

} // namespace

bool GrpValid(int start, int end) {
    return start >= 1 && start <= 399 && end >= 1 && end <= 399 && start <= end;
}

GrpEditor::GrpEditor(AppContext& ctx, GrpWindowView& view) : GrpSmEditor(ctx, kGrpKind), view_(view) {}

QString GrpEditor::initialRowLabel(int row) {
    return QStringLiteral("%1.").arg(row + 1, 2, 10, QLatin1Char(' '));
}

void GrpEditor::Form_Load() {
    for (auto& g : ctx_.grp.GrpData) {
        g[0] = 1;
        g[1] = 1;
    }
    offset_ = 0;
    view_.GrpDataHyoji();
    markClean();
}

std::vector<int16_t> GrpEditor::tableImage() const {
    // Start and end of groups 1 to 99; the error marks are no edit.
    std::vector<int16_t> image;
    image.reserve(2 * 99);
    for (size_t g = 1; g <= 99; ++g) {
        image.push_back(ctx_.grp.GrpData[g][0]);
        image.push_back(ctx_.grp.GrpData[g][1]);
    }
    return image;
}

bool GrpEditor::GrpData_Check() {
    GrpMukoDataAri = false;
    const int first = std::max<int>(ctx_.grp.GrpRangeStart, 0);
    const int last = std::min<int>(ctx_.grp.GrpRangeEnd, 99);
    for (int g = first; g <= last; ++g) {
        const auto& row = ctx_.grp.GrpData[static_cast<size_t>(g)];
        if (!GrpValid(row[0], row[1])) GrpMukoDataAri = true;
    }
    return !GrpMukoDataAri;
}

void GrpEditor::wholeTable() {
    ctx_.grp.GrpRangeStart = 1;
    ctx_.grp.GrpRangeEnd = 99;
}

bool GrpEditor::checkTable() {
    wholeTable();
    return GrpData_Check();
}

void GrpEditor::setPage(int index) {
    offset_ = index == 1 ? 33 : index == 2 ? 66 : 0;
    view_.GrpDataHyoji();
}

QString GrpEditor::startText(int row) const {
    return QString::number(ctx_.grp.GrpData[static_cast<size_t>(groupOfRow(row))][0]);
}

QString GrpEditor::endText(int row) const {
    return QString::number(ctx_.grp.GrpData[static_cast<size_t>(groupOfRow(row))][1]);
}

void GrpEditor::store(int row, int column, const QString& text) {
    if (row < 0 || row >= kGrpPageRows) return;
    ctx_.grp.GrpData[static_cast<size_t>(groupOfRow(row))][static_cast<size_t>(column)] = BoxNumber(text);
}

void GrpEditor::storeStart(int row, const QString& text) { store(row, 0, text); }
void GrpEditor::storeEnd(int row, const QString& text) { store(row, 1, text); }

void GrpEditor::cmdReadGrp_Click() {
    readFromController(kButtons, {"ｺﾝﾄﾛｰﾗからｸﾞﾙｰﾌﾟﾃﾞｰﾀを読み込みます。", "Read the Group Data from controller, OK?"});
}

void GrpEditor::GrpDataKakikomi() {
    writeToController(kButtons,
                      {"ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。\r\n"
                       "以下の項目を確認し、再度行って下さい。\r\n"
                       " 1.値は1～399の範囲で設定されていますか？\r\n"
                       " 2.開始位置の値が終了位置の値よりも大きくなっていませんか？",
                       "Invalid value in some of Group Data.\r\n"
                       "Confirm the following item ant try it again.\r\n"
                       " 1.Is the value setting the range of 1 to 399?\r\n"
                       " 2.Isn't value of start position bigger than one of end position."},
                      {"グループデータをコントローラへ書き込みますか？", "Group Data is transmitted to controller,Yes?"});
}

void GrpEditor::cmdWriteGrp_Click() { GrpDataKakikomi(); }

void GrpEditor::cmdGrpCtVerify_Click() {
    verifyWithController(kButtons, kInvalidA, kUnmatchedCt);
}

void GrpEditor::cmdGrpFileVerify_Click() {
    verifyWithFile(kButtons, kInvalidB, {"照合するＧＲＰデータファイルを開く", "Open GRP Data file to be Verified"},
                   kReadFailed, kUnmatchedFile);
}

void GrpEditor::cmdGrpFileOpen_Click() {
    openFile(kButtons, {"ＧＲＰデータファイルを開く", "Open GRP Data file"}, kReadFailed);
}

void GrpEditor::cmdGrpFileSave_Click() { saveFile(kButtons); }

void GrpEditor::cmdGrpDataPrint_Click() { printIndicated(kButtons, kInvalidC, std::nullopt); }

void GrpEditor::cmdGrpFilePrint_Click() {
    Command cmd(*this, kButtons);
    checkTable(); // keeps GrpMukoDataAri up to date; a file prints whatever the editor holds
    if (!ask({"ﾌｧｲﾙに保存されたｸﾞﾙｰﾌﾟﾃﾞｰﾀの印刷を行います。", "Printing Group Data saved into the file."},
             MsgButtons::OkCancel))
        return;
    printChosenFile({"印刷するＧＲＰデータファイルを開く", "Open GRP Data file to be printed"}, kReadFailed);
}

} // namespace rer
