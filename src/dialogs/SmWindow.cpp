#include "dialogs/SmWindow.h"

#include "app/AppContext.h"
#include "files/GrpSmFiles.h"
#include "files/Listings.h"
#include "link/Transfers.h"

#include <algorithm>

namespace rer {

namespace {

constexpr Words kInvalid{"ｼｰｹﾝｽ・ﾏｸﾛのﾃﾞｰﾀに不正な値が含まれています。\r\n値を確認し、再度実行して下さい。",
                         "Invalid data in some of SM Data.\r\nConfirm the value and try it again."};

const TableKind kSmKind{
    .fileKind = FileKind::Macro,
    .filter = {"ＳＭデータ(*.smd)|*.smd|すべてのファイル(*.*)|*.*", "SM Data(*.smd)|*.smd|All files(*.*)|*.*"},
    .defaultExt = "smd",
    .saveTitle = {"名前を付けて保存する", "Save SM Data as ..."},
    .saveName = "kzw6sm.smd",
    .saveInvalid = kInvalid,
    .saveError = Words{"シーケンスマクロデータの保存でエラーが発生しました。", "An error occured while saving SM Data."},
    .ReadFromCt = ReadSmDataFromCt,
    .WriteToCt = WriteSmDataToCt,
    .ReadFile = ReadSmFile,
    .WriteFile = WriteSmFile,
    .FileToEdit = SmFileToEdit,
    .EditToFile = SmEditToFile,
    .Compare = SmDataCompare,
    .Print = PrintSmData,
    .flags = [](AppContext& c) -> TableKind::Flags {
        return {c.sm.SmFileError, c.sm.SmFileName, c.sm.SmDiffFlag, c.sm.SmDiffText};
    },
};

using Scope = GrpSmEditor::Scope;
// The buttons alone; the buttons and the macro selector.
constexpr GrpSmEditor::Frame kButtons{Scope::Commands, Scope::Commands};
constexpr GrpSmEditor::Frame kAll{Scope::All, Scope::All};

constexpr VerifyWords kUnmatched{{"<一致しなかった項目>", "<Unmatched items>"}, {" SM No.", " SM No."}};

} // namespace

const QStringList& SmCommandTexts() {
    // The names the listing prints, codes 0 to 6.
    static const QStringList texts = [] {
        QStringList t;
        for (int code = 0; code <= 6; ++code) t << SmCommandName(code);
        return t;
    }();
    return texts;
}

bool SmStepValid(int command, int data) {
    switch (command) {
    case 1: case 2: case 3: case 4: return data >= 1 && data <= 4;
    case 5: case 6: return data >= 1 && data <= 9;
    case 0: case 15: return data >= 0 && data <= 15;
    default: return false;
    }
}

BoxRule SmDataRule(int commandIndex) {
    BoxRule rule = DigitBox(1);
    if (commandIndex >= 1 && commandIndex <= 4) rule.lowest = u'1', rule.highest = u'4';
    else if (commandIndex == 5 || commandIndex == 6) rule.lowest = u'1';
    return rule;
}

SmEditor::SmEditor(AppContext& ctx, SmWindowView& view) : GrpSmEditor(ctx, kSmKind), view_(view) {}

void SmEditor::commandsOff(Scope scope) {
    scope == Scope::All ? view_.SM_AllMuko() : view_.SM_CMDBTN_Muko();
}

void SmEditor::commandsOn(Scope scope) {
    scope == Scope::All ? view_.SM_AllYuko() : view_.SM_CMDBTN_Yuko();
}

int16_t& SmEditor::cell(int step, int column) {
    return ctx_.sm.SmData[static_cast<size_t>(step)][static_cast<size_t>(2 * (macro_ - 1) + column)];
}

void SmEditor::Form_Load() {
    ClearSmData(ctx_);
    macro_ = 1;
    view_.SmDataHyoji();
    markClean();
}

std::vector<int16_t> SmEditor::tableImage() const {
    // Command and data of the 16 steps of the nine macros; a command 15 is
    // the END that the check writes as 0.
    std::vector<int16_t> image;
    image.reserve(kSmSteps * 18);
    for (size_t s = 0; s < kSmSteps; ++s)
        for (size_t c = 0; c < 18; ++c) {
            const int16_t v = ctx_.sm.SmData[s][c];
            image.push_back(c % 2 == 0 && v == 15 ? 0 : v);
        }
    return image;
}

void SmEditor::SmData_Check() {
    for (int s = 0; s < kSmSteps; ++s) {
        auto& row = ctx_.sm.SmData[static_cast<size_t>(s)];
        for (size_t m = 0; m < 9; ++m) {
            int16_t& command = row[2 * m];
            const int16_t data = row[2 * m + 1];
            if (command == 15) command = 0;
            if (!SmStepValid(command, data)) SMDataNasi = true;
        }
    }
}

bool SmEditor::checkTable() {
    SMDataNasi = false;
    SmData_Check();
    return !SMDataNasi;
}

void SmEditor::wholeTable() {
    ctx_.sm.SmRangeStart = 1;
    ctx_.sm.SmRangeEnd = 9;
}

void SmEditor::lblSqMacroNo_Change(int m) {
    macro_ = std::clamp(m, 1, 9);
    view_.SmDataHyoji();
}

int SmEditor::commandIndex(int step) const {
    const int code = ctx_.sm.SmData[static_cast<size_t>(step)][static_cast<size_t>(2 * (macro_ - 1))];
    if (code >= 0 && code <= 6) return code;
    if (code == 15) return 0;
    return -1;
}

QString SmEditor::dataText(int step) const {
    return QString::number(ctx_.sm.SmData[static_cast<size_t>(step)][static_cast<size_t>(2 * (macro_ - 1) + 1)]);
}

bool SmEditor::comboMerei_LostFocus(int step, int selectedIndex) {
    if (step < 0 || step >= kSmSteps || selectedIndex < 0 || selectedIndex > 6) return false;
    cell(step, 0) = static_cast<int16_t>(selectedIndex);
    return true;
}

void SmEditor::txtSmData_Change(int step, const QString& text) {
    if (step < 0 || step >= kSmSteps) return;
    cell(step, 1) = BoxNumber(text);
}

void SmEditor::cmdReadSMfromCt_Click() {
    // The selector stays usable.
    readFromController(kButtons, {"ｺﾝﾄﾛｰﾗからｼｰｹﾝｽﾏｸﾛﾃﾞｰﾀを読み込みます。", "Read the SM Data from controller, Ok?"});
}

void SmEditor::cmdWriteSMtoCt_Click() {
    writeToController(kAll, kInvalid,
                      {"ｼｰｹﾝｽﾏｸﾛﾃﾞｰﾀをコントローラへ書き込みますか？", "SM Data is transmitted to controller,Yes?"});
}

void SmEditor::cmdSmCTShogo_Click() { verifyWithController(kAll, kInvalid, kUnmatched); }

void SmEditor::cmdSmFileOpen_Click() {
    openFile(kAll, {"シーケンスマクロデータファイルを開く", "Open SM Data file"},
             Words{"シーケンスマクロデータのファイル読み込みでエラーが発生しました。",
                   "An error occured while openig SM Data file."});
}

void SmEditor::cmdSmFileSave_Click() { saveFile(kAll); }

void SmEditor::cmdSmFileShogo_Click() {
    verifyWithFile(kAll, kInvalid, {"照合するＳＭデータファイルを開く", "Open SM Data file to be verified"},
                   Words{"ＳＭデータのファイル読み込みでエラーが発生しました。",
                         "An error occured while opening SM Data file."},
                   kUnmatched);
}

void SmEditor::cmdSMDispPrint_Click() {
    // The selector stays usable; the buttons and the selector both come back.
    printIndicated({Scope::Commands, Scope::All}, kInvalid,
                   Words{"画面に表示されているシーケンス・マクロデータの印刷を行います。",
                         "Printing SM Data indicated in display."});
}

void SmEditor::cmdSMFilePrint_Click() {
    Command cmd(*this, kAll);
    wholeTable();
    printChosenFile({"印刷するＳＭデータファイルを開く", "Open SM Data file to be Printed"},
                    Words{"ＳＭデータのファイル読み込みでエラーが発生しました。",
                          "Error occured while opening SM Data file."});
}

} // namespace rer
