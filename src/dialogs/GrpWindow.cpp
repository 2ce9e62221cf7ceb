#include "dialogs/GrpWindow.h"

#include "app/AppContext.h"
#include "files/GrpSmFiles.h"
#include "files/Listings.h"
#include "files/Value.h"
#include "link/ControllerLink.h"
#include "link/Transfers.h"
#include "platform/FileDialogs.h"

#include <algorithm>
#include <cmath>

namespace rer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString GrpFilter(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("ＧＲＰデータ(*.grp)|*.grp|すべてのファイル(*.*)|*.*"),
                    QStringLiteral("GRP Data(*.grp)|*.grp|All files(*.*)|*.*"));
}

} // namespace

bool GrpValid(int start, int end) {
    return start >= 1 && start <= 399 && end >= 1 && end <= 399 && start <= end;
}

int16_t BoxNumber(const QString& text) {
    const double v = std::trunc(LeadingNumber(text));
    if (!(v >= -32768)) return v > 0 ? 32767 : -32768; // also NaN
    if (v > 32767) return 32767;
    return static_cast<int16_t>(v);
}

// One command of the window: the buttons are off for its whole run and come
// back on every path.
class GrpEditor::Command {
public:
    explicit Command(GrpEditor& e) : e_(e) {
        ++e_.busy_;
        e_.view_.GrpCMDBTN_Muko();
    }
    ~Command() {
        e_.view_.GrpCMDBTN_Yuko();
        --e_.busy_;
    }
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

private:
    GrpEditor& e_;
};

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

bool GrpEditor::checkAll() {
    ctx_.grp.GrpRangeStart = 1;
    ctx_.grp.GrpRangeEnd = 99;
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

FileDialogRequest GrpEditor::openRequest(const QString& jp, const QString& en) const {
    FileDialogRequest r;
    r.kind = FileKind::Group;
    r.title = ctx_.pick(jp, en);
    r.filter = GrpFilter(ctx_);
    r.defaultExt = QStringLiteral("grp");
    r.mustExist = true;
    return r;
}

void GrpEditor::showVerifyResult(bool withController) {
    if (!ctx_.grp.GrpDiffFlag) {
        ctx_.message(ctx_.pick(QStringLiteral("照合結果－ＯＫ"), QStringLiteral("Result of Verify - OK")));
        return;
    }
    const QString heading = withController ? QStringLiteral("<Unmatched group No.>")
                                           : QStringLiteral("<Unmatched Group No.>");
    ctx_.message(ctx_.pick(QStringLiteral("照合結果－ＮＧ") + kCrLf + QStringLiteral("<一致しなかったグループNo>") +
                               kCrLf + QStringLiteral(" グループNo.") + ctx_.grp.GrpDiffText,
                           QStringLiteral("Result of Verify - NG") + kCrLf + heading + kCrLf +
                               QStringLiteral(" Group No.") + ctx_.grp.GrpDiffText));
}

void GrpEditor::cmdReadGrp_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return; // another window's job holds the controller
    Command cmd(*this);
    if (ctx_.message(ctx_.pick(QStringLiteral("ｺﾝﾄﾛｰﾗからｸﾞﾙｰﾌﾟﾃﾞｰﾀを読み込みます。"),
                               QStringLiteral("Read the Group Data from controller, OK?")),
                     MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return;
    ControllerLink* link = ctx_.link.ct;
    if (!link) return;
    if (ReadGrpDataFromCt(*link) != 0 || ctx_.link.TusinError) return;
    GrpFileToEdit(ctx_);
    view_.GrpDataHyoji();
}

void GrpEditor::GrpDataKakikomi() {
    if (!checkAll()) {
        ctx_.message(ctx_.pick(
            QStringLiteral("ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。") + kCrLf +
                QStringLiteral("以下の項目を確認し、再度行って下さい。") + kCrLf +
                QStringLiteral(" 1.値は1～399の範囲で設定されていますか？") + kCrLf +
                QStringLiteral(" 2.開始位置の値が終了位置の値よりも大きくなっていませんか？"),
            QStringLiteral("Invalid value in some of Group Data.") + kCrLf +
                QStringLiteral("Confirm the following item ant try it again.") + kCrLf +
                QStringLiteral(" 1.Is the value setting the range of 1 to 399?") + kCrLf +
                QStringLiteral(" 2.Isn't value of start position bigger than one of end position.")));
        return;
    }
    if (ctx_.message(ctx_.pick(QStringLiteral("グループデータをコントローラへ書き込みますか？"),
                               QStringLiteral("Group Data is transmitted to controller,Yes?")),
                     MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    if (ControllerLink* link = ctx_.link.ct) WriteGrpDataToCt(*link);
}

void GrpEditor::cmdWriteGrp_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return;
    Command cmd(*this);
    GrpDataKakikomi();
}

void GrpEditor::cmdGrpCtVerify_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return;
    Command cmd(*this);
    if (!checkAll()) {
        ctx_.message(ctx_.pick(QStringLiteral("ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。") + kCrLf +
                                   QStringLiteral("値を確認後、再度行って下さい。"),
                               QStringLiteral("Invalid value in some of group data.") + kCrLf +
                                   QStringLiteral(" Please confirm the value and try it again.")));
        return;
    }
    ControllerLink* link = ctx_.link.ct;
    if (!link) return;
    if (ReadGrpDataFromCt(*link) != 0 || ctx_.link.TusinError) return;
    GrpDataCompare(ctx_);
    showVerifyResult(true);
}

void GrpEditor::cmdGrpFileVerify_Click() {
    Command cmd(*this);
    if (!checkAll()) {
        ctx_.message(ctx_.pick(QStringLiteral("ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。") + kCrLf +
                                   QStringLiteral("値を確認後、再度行って下さい。"),
                               QStringLiteral("Invalid value in some of Group Data.") + kCrLf +
                                   QStringLiteral("Confirm the value and try it again.")));
        return;
    }
    const auto path = ctx_.fileDialogs->open(openRequest(QStringLiteral("照合するＧＲＰデータファイルを開く"),
                                                         QStringLiteral("Open GRP Data file to be Verified")));
    if (!path || path->isEmpty()) return;
    ctx_.grp.GrpFileError = false;
    if (!ReadGrpFile(ctx_, *path) || ctx_.grp.GrpFileError) return;
    GrpDataCompare(ctx_);
    showVerifyResult(false);
}

void GrpEditor::cmdGrpFileOpen_Click() {
    Command cmd(*this);
    const auto path = ctx_.fileDialogs->open(
        openRequest(QStringLiteral("ＧＲＰデータファイルを開く"), QStringLiteral("Open GRP Data file")));
    if (!path || path->isEmpty()) return;
    ctx_.grp.GrpFileError = false;
    if (!ReadGrpFile(ctx_, *path) || ctx_.grp.GrpFileError) return;
    GrpFileToEdit(ctx_);
    view_.GrpDataHyoji();
}

namespace {

QString WordingC(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。") + kCrLf +
                        QStringLiteral("値を確認し、再度実行して下さい。"),
                    QStringLiteral("Invalid value in some of Group Data.") + kCrLf +
                        QStringLiteral("Confirm the value and try it again."));
}

} // namespace

void GrpEditor::cmdGrpFileSave_Click() {
    Command cmd(*this);
    if (!checkAll()) {
        ctx_.message(WordingC(ctx_));
        return;
    }
    FileDialogRequest r;
    r.kind = FileKind::Group;
    r.title = ctx_.pick(QStringLiteral("名前を付けて保存する"), QStringLiteral("Save GRP Data as ..."));
    r.filter = GrpFilter(ctx_);
    r.defaultExt = QStringLiteral("grp");
    r.fileName = QStringLiteral("kzw6grp1.grp");
    r.confirmOverwrite = true;
    const auto path = ctx_.fileDialogs->save(r);
    if (!path || path->isEmpty()) return;
    // The name stays with this save: the main window's position file name is
    // not touched.
    WriteGrpFile(ctx_, WithDefaultExt(*path, r.defaultExt)); // reports its own failure
}

void GrpEditor::cmdGrpDataPrint_Click() {
    Command cmd(*this);
    if (!checkAll()) {
        ctx_.message(WordingC(ctx_));
        return;
    }
    GrpEditToFile(ctx_);
    ctx_.print.PrintFileFlag = false;
    ctx_.grp.GrpFileName = QStringLiteral("INDICATED DATA");
    PrintGrpData(ctx_);
}

void GrpEditor::cmdGrpFilePrint_Click() {
    Command cmd(*this);
    checkAll(); // keeps GrpMukoDataAri up to date; a file prints whatever the editor holds
    if (ctx_.message(ctx_.pick(QStringLiteral("ﾌｧｲﾙに保存されたｸﾞﾙｰﾌﾟﾃﾞｰﾀの印刷を行います。"),
                               QStringLiteral("Printing Group Data saved into the file.")),
                     MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return;
    const auto path = ctx_.fileDialogs->open(openRequest(QStringLiteral("印刷するＧＲＰデータファイルを開く"),
                                                         QStringLiteral("Open GRP Data file to be printed")));
    if (!path || path->isEmpty()) return;
    ctx_.grp.GrpFileError = false;
    if (!ReadGrpFile(ctx_, *path) || ctx_.grp.GrpFileError) return;
    ctx_.print.PrintFileFlag = true;
    PrintGrpData(ctx_);
}

} // namespace rer
