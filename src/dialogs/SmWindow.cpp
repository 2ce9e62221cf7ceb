#include "dialogs/SmWindow.h"

#include "app/AppContext.h"
#include "dialogs/GrpWindow.h"
#include "files/GrpSmFiles.h"
#include "files/Listings.h"
#include "link/ControllerLink.h"
#include "link/Transfers.h"
#include "platform/FileDialogs.h"

#include <QFileInfo>
#include <algorithm>

namespace rer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString SmFilter(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("ＳＭデータ(*.smd)|*.smd|すべてのファイル(*.*)|*.*"),
                    QStringLiteral("SM Data(*.smd)|*.smd|All files(*.*)|*.*"));
}

QString InvalidText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("ｼｰｹﾝｽ・ﾏｸﾛのﾃﾞｰﾀに不正な値が含まれています。") + kCrLf +
                        QStringLiteral("値を確認し、再度実行して下さい。"),
                    QStringLiteral("Invalid data in some of SM Data.") + kCrLf +
                        QStringLiteral("Confirm the value and try it again."));
}

} // namespace

const QStringList& SmCommandTexts() {
    static const QStringList texts{QStringLiteral("0. END"),    QStringLiteral("1. IN-ON"),
                                   QStringLiteral("2. IN-OFF"), QStringLiteral("3. OUT-ON"),
                                   QStringLiteral("4. OUT-OFF"), QStringLiteral("5. TIMER"),
                                   QStringLiteral("6. TIMER10")};
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

class SmEditor::Command {
public:
    // all: the macro selector goes off and on with the buttons.
    Command(SmEditor& e, bool all) : e_(e), all_(all) {
        ++e_.busy_;
        all_ ? e_.view_.SM_AllMuko() : e_.view_.SM_CMDBTN_Muko();
    }
    ~Command() {
        all_ ? e_.view_.SM_AllYuko() : e_.view_.SM_CMDBTN_Yuko();
        --e_.busy_;
    }
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

private:
    SmEditor& e_;
    bool all_;
};

int16_t& SmEditor::cell(int step, int column) {
    return ctx_.sm.SmData[static_cast<size_t>(step)][static_cast<size_t>(2 * (macro_ - 1) + column)];
}

void SmEditor::Form_Load() {
    ClearSmData(ctx_);
    macro_ = 1;
    view_.SmDataHyoji();
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

bool SmEditor::checkedValid() {
    SMDataNasi = false;
    SmData_Check();
    if (SMDataNasi) ctx_.message(InvalidText(ctx_));
    return !SMDataNasi;
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

FileDialogRequest SmEditor::openRequest(const QString& jp, const QString& en) const {
    FileDialogRequest r;
    r.kind = FileKind::Macro;
    r.title = ctx_.pick(jp, en);
    r.filter = SmFilter(ctx_);
    r.defaultExt = QStringLiteral("smd");
    r.mustExist = true;
    return r;
}

// Open dialog and ReadSmFile; false (after the window's message when the
// reader failed) when there is nothing to go on with.
bool SmEditor::readFile(const QString& jpError, const QString& enError, const QString& jpTitle,
                        const QString& enTitle, QString* path) {
    const auto chosen = ctx_.fileDialogs->open(openRequest(jpTitle, enTitle));
    if (!chosen || chosen->isEmpty()) return false;
    ctx_.sm.SmFileError = false;
    if (!ReadSmFile(ctx_, *chosen) || ctx_.sm.SmFileError) {
        ctx_.message(ctx_.pick(jpError, enError));
        return false;
    }
    if (path) *path = *chosen;
    return true;
}

void SmEditor::showVerifyResult() {
    if (!ctx_.sm.SmDiffFlag) {
        ctx_.message(ctx_.pick(QStringLiteral("照合結果－ＯＫ"), QStringLiteral("Result of Verify - OK")));
        return;
    }
    ctx_.message(ctx_.pick(QStringLiteral("照合結果－ＮＧ") + kCrLf + QStringLiteral("<一致しなかった項目>") + kCrLf +
                               QStringLiteral(" SM No.") + ctx_.sm.SmDiffText,
                           QStringLiteral("Result of Verify - NG") + kCrLf + QStringLiteral("<Unmatched items>") +
                               kCrLf + QStringLiteral(" SM No.") + ctx_.sm.SmDiffText));
}

void SmEditor::cmdReadSMfromCt_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return; // another window's job holds the controller
    Command cmd(*this, false);
    if (ctx_.message(ctx_.pick(QStringLiteral("ｺﾝﾄﾛｰﾗからｼｰｹﾝｽﾏｸﾛﾃﾞｰﾀを読み込みます。"),
                               QStringLiteral("Read the SM Data from controller, Ok?")),
                     MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return;
    ControllerLink* link = ctx_.link.ct;
    if (!link) return;
    if (ReadSmDataFromCt(*link) != 0 || ctx_.link.TusinError) return;
    SmFileToEdit(ctx_);
    view_.SmDataHyoji();
}

void SmEditor::cmdWriteSMtoCt_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return;
    Command cmd(*this, true);
    if (!checkedValid()) return;
    if (ctx_.message(ctx_.pick(QStringLiteral("ｼｰｹﾝｽﾏｸﾛﾃﾞｰﾀをコントローラへ書き込みますか？"),
                               QStringLiteral("SM Data is transmitted to controller,Yes?")),
                     MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    ctx_.sm.SmRangeStart = 1;
    ctx_.sm.SmRangeEnd = 9;
    if (ControllerLink* link = ctx_.link.ct) WriteSmDataToCt(*link);
}

void SmEditor::cmdSmCTShogo_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return;
    Command cmd(*this, true);
    if (!checkedValid()) return;
    ControllerLink* link = ctx_.link.ct;
    if (!link) return;
    if (ReadSmDataFromCt(*link) != 0 || ctx_.link.TusinError) return;
    SmDataCompare(ctx_);
    showVerifyResult();
}

void SmEditor::cmdSmFileOpen_Click() {
    Command cmd(*this, true);
    if (!readFile(QStringLiteral("シーケンスマクロデータのファイル読み込みでエラーが発生しました。"),
                  QStringLiteral("An error occured while openig SM Data file."),
                  QStringLiteral("シーケンスマクロデータファイルを開く"), QStringLiteral("Open SM Data file")))
        return;
    SmFileToEdit(ctx_);
    view_.SmDataHyoji();
}

void SmEditor::cmdSmFileSave_Click() {
    Command cmd(*this, true);
    if (!checkedValid()) return;
    FileDialogRequest r;
    r.kind = FileKind::Macro;
    r.title = ctx_.pick(QStringLiteral("名前を付けて保存する"), QStringLiteral("Save SM Data as ..."));
    r.filter = SmFilter(ctx_);
    r.defaultExt = QStringLiteral("smd");
    r.fileName = QStringLiteral("kzw6sm.smd");
    r.confirmOverwrite = true;
    const auto path = ctx_.fileDialogs->save(r);
    if (!path || path->isEmpty()) return;
    if (!WriteSmFile(ctx_, WithDefaultExt(*path, r.defaultExt)))
        ctx_.message(ctx_.pick(QStringLiteral("シーケンスマクロデータの保存でエラーが発生しました。"),
                               QStringLiteral("An error occured while saving SM Data.")));
}

void SmEditor::cmdSmFileShogo_Click() {
    Command cmd(*this, true);
    if (!checkedValid()) return;
    if (!readFile(QStringLiteral("ＳＭデータのファイル読み込みでエラーが発生しました。"),
                  QStringLiteral("An error occured while opening SM Data file."),
                  QStringLiteral("照合するＳＭデータファイルを開く"), QStringLiteral("Open SM Data file to be verified")))
        return;
    SmDataCompare(ctx_);
    showVerifyResult();
}

void SmEditor::cmdSMDispPrint_Click() {
    // The selector stays usable; the buttons and the selector both come back.
    ++busy_;
    view_.SM_CMDBTN_Muko();
    struct End {
        SmEditor& e;
        ~End() {
            e.view_.SM_AllYuko();
            --e.busy_;
        }
    } end{*this};
    if (!checkedValid()) return;
    if (ctx_.message(ctx_.pick(QStringLiteral("画面に表示されているシーケンス・マクロデータの印刷を行います。"),
                               QStringLiteral("Printing SM Data indicated in display.")),
                     MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return;
    ctx_.sm.SmRangeStart = 1;
    ctx_.sm.SmRangeEnd = 9;
    SmEditToFile(ctx_);
    ctx_.print.PrintFileFlag = false;
    ctx_.sm.SmFileName = QStringLiteral("INDICATED DATA");
    PrintSmData(ctx_);
}

void SmEditor::cmdSMFilePrint_Click() {
    Command cmd(*this, true);
    ctx_.sm.SmRangeStart = 1;
    ctx_.sm.SmRangeEnd = 9;
    QString path;
    if (!readFile(QStringLiteral("ＳＭデータのファイル読み込みでエラーが発生しました。"),
                  QStringLiteral("Error occured while opening SM Data file."),
                  QStringLiteral("印刷するＳＭデータファイルを開く"), QStringLiteral("Open SM Data file to be Printed"),
                  &path))
        return;
    ctx_.sm.SmFileName = QFileInfo(path).fileName();
    ctx_.print.PrintFileFlag = true;
    PrintSmData(ctx_);
}

} // namespace rer
