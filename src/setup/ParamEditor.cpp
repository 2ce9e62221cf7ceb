#include "setup/ParamEditor.h"

#include "app/AppContext.h"
#include "files/FileHeader.h"
#include "files/Listings.h"
#include "files/ParaFile.h"
#include "files/ParaRows.h"
#include "files/StdPrm.h"
#include "link/ControllerLink.h"
#include "link/LinkDisplay.h"
#include "link/Transfers.h"
#include "platform/FileWriter.h"
#include "setup/ActuatorDialogs.h"

namespace rer {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

ParamEditor::ParamEditor(AppContext& ctx, Product p, ParamWindowPort& window, MainCommandFrame* main,
                         ActuatorDialogs* dialogs)
    : ctx_(ctx), p_(p), window_(window), main_(main), dialogs_(dialogs) {}

QString ParamEditor::t(const char* jp, const char* en) const {
    return ctx_.pick(QString::fromUtf8(jp), QString::fromUtf8(en));
}

bool ParamEditor::blank() const { return ctx_.paraEdit.ParaBlank[ProductSlot(p_)]; }
bool ParamEditor::invalid() const { return ctx_.paraEdit.ParaInvalid[ProductSlot(p_)]; }

// ---- Window operations

void ParamEditor::ParametaHyoji() {
    ParaControls c = window_.Controls();
    ParaDisplay(ctx_.para.of(p_).rec, p_, c);
    window_.SetControls(c);
}

void ParamEditor::TorikomiParametaValue() { ParaTakeIn(window_.Controls(), p_, ctx_.para.of(p_).rec); }

void ParamEditor::ParametaValueCheck() {
    ctx_.paraEdit.ParaInvalid[ProductSlot(p_)] = ParaOutOfRange(ctx_.para.of(p_).rec, p_);
}

void ParamEditor::PrmBlankCheck() {
    ctx_.paraEdit.ParaBlank[ProductSlot(p_)] = ParaBlankControls(window_.Controls(), p_);
}

void ParamEditor::ParaCMDBTN_Muko() { window_.SetCommandButtonsEnabled(false); }
void ParamEditor::ParaCMDBTN_Yuko() { window_.SetCommandButtonsEnabled(true); }

void ParamEditor::PutParaDa2Hensu() { ParaTableToRecord(ctx_.para.of(p_).ParaFileData, p_, ctx_.para.of(p_).rec); }

void ParamEditor::PutHensu2ParaDa() {
    ProductParameters& pp = ctx_.para.of(p_);
    ParaRecordToTable(pp.rec, p_, pp.ParaFileData);
    pp.ParaFileData[0][0] = Value::text(QStringLiteral("INDICATED DATA"));
}

// ---- Frames and checks

template <class F> void ParamEditor::inFrame(Frame f, F&& work) {
    struct Restore {
        ParamEditor& e;
        Frame f;
        ~Restore() {
            if (f == Frame::Full && e.main_) {
                e.main_->CMDBTN_Yuko();
                e.main_->ToolBar_Yuko();
                e.main_->Menyu_Yuko();
            }
            e.ParaCMDBTN_Yuko();
            --e.running_;
        }
    };
    ++running_;
    ParaCMDBTN_Muko();
    if (f == Frame::Full && main_) {
        main_->CMDBTN_Muko();
        main_->ToolBar_Muko();
        main_->Menyu_Muko();
    }
    Restore restore{*this, f};
    work();
}

bool ParamEditor::checkShown(const QString& blankText, const QString& invalidText) {
    PrmBlankCheck();
    if (blank()) {
        ctx_.message(blankText);
        return false;
    }
    TorikomiParametaValue();
    ParametaValueCheck();
    if (invalid()) {
        ctx_.message(invalidText);
        return false;
    }
    return true;
}

bool ParamEditor::inputCheck(bool forPrint) {
    return checkShown(forPrint ? t("値が入力されていないﾊﾟﾗﾒｰﾀがあります。\r\n値をすべて入力してから、再度実行して下さい。",
                                  "No data in some parameters,fill the data in and try it again.")
                               : t("値が入力されていないﾊﾟﾗﾒｰﾀがあります。\r\n値をすべて入力してから、再度行って下さい。",
                                  "No data in some parameters, fill the data in and try it again."),
                      t("ﾊﾟﾗﾒｰﾀの値が設定範囲を超えている箇所があります。\r\n値を確認してから、再度行って下さい。",
                        "Invalid value in some parameters.\r\nConfirm the value, and try it again."));
}

// ---- Save

bool ParamEditor::SaveParaFile() {
    if (!checkShown(t("値が入力されていないﾊﾟﾗﾒｰﾀがあります。\r\n値をすべて入力してから、再度実行して下さい。",
                      "No data in some of parameters, fill the data in and try it again."),
                    t("ﾊﾟﾗﾒｰﾀの値が設定範囲を超えている箇所があります。\r\n値を確認してから、再度行って下さい。",
                      "Invalid value in some parameters.\r\nConfirm the value and try it again.")))
        return false;
    if (!ctx_.platform.fileDialogs) return false;
    FileDialogRequest r;
    r.kind = FileKind::Parameter;
    r.title = t("パラメータを名前を付けて保存する", "Save Parameters as ...");
    r.filter = t("パラメータ(*.pmd)|*.pmd|すべてのファイル(*.*)|*.*", "Parameter(*.pmd)|*.pmd|All files(*.*)|*.*");
    r.fileName = p_ == Product::TwoAxis ? t("kzw6prm.pmd", "kzw6prm1.pmd") : t("kzw3kprm.pmd", "kzw3kprm1.pmd");
    r.defaultExt = QStringLiteral("pmd");
    r.confirmOverwrite = true;
    const std::optional<QString> path = ctx_.platform.fileDialogs->save(r);
    if (!path || path->isEmpty()) return false;
    ctx_.paraEdit.SaveFileName[ProductSlot(p_)] = *path;
    ProductParameters& pp = ctx_.para.of(p_);
    pp.ParaFileWriteError = false;
    const bool ok = WriteParaFile(ctx_, p_, *path) && !pp.ParaFileWriteError;
    if (!ok) {
        ctx_.message(FileFailureMessage(t("パラメータのファイル保存に失敗しました。", "Fail to  Save parameters into the file."),
                                        *path, pp.ParaFileWriteErrorText));
    } else {
        markClean();
        ctx_.message(t("パラメータのファイル保存が終了しました。", "Completed save parameters into the file."));
    }
    return ok;
}

// ---- Controller

int ParamEditor::readFromCt() {
    ControllerLink* link = ctx_.link.ct;
    if (!link) {
        ctx_.link.TusinError = true;
        return 1;
    }
    const int r = ReadParaFromCt(*link, p_);
    return r == 0 && !ctx_.link.TusinError ? 0 : 1;
}

void ParamEditor::GetParametaValue() {
    // The edits are not given up unless the user says so or they were saved.
    if (!mayGiveUpEdits(EditsAt::Read)) return;
    if (readFromCt() != 0) return;
    PutParaDa2Hensu();
    ParametaHyoji();
    markClean();
    if (ctx_.link.ct) ctx_.link.ct->PortCloseIfFree();
}

void ParamEditor::ParaLoadtoCtConfirm() {
    if (ctx_.message(t("パラメーターをコントローラーに転送しますか？", "Send parameters to controller?"),
                     MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    if (!inputCheck(false)) return;
    // What goes to the controller: the boxes stay open to edits while the
    // write waits, and an edit typed meanwhile is still an edit after it.
    const ParaControls sent = window_.Controls();
    ControllerLink* link = ctx_.link.ct;
    int r = 1;
    if (link) {
        if (p_ == Product::TwoAxis)
            r = MakeParaWriteLines(ctx_, p_) == 0 ? WriteParaToCt(*link, p_) : 1;
        else
            r = W3kWriteParaToCt(*link);
        if (ProgressView* v = link->progress()) v->Unload();
    }
    if (r == 0 && !ctx_.link.TusinError) {
        clean_ = sent;
        ctx_.message(t("パラメータの書き込みが終了しました。", "Completed writing parameters. "));
    } else
        ctx_.message(t("パラメータの書き込みに失敗しました。", "Fail to Write parameters."));
    if (link) link->PortCloseIfFree();
}

QString ParamEditor::VerifyResultText() const {
    const ProductParameters& pp = ctx_.para.of(p_);
    if (!pp.ParaDiffFlag) return t("照合結果－ＯＫ", "Result of Verify - OK");
    QString text = t("照合結果－ＮＧ", "Result of Verify - NG") + kCrLf;
    for (const ParaGroupDef& s : kParaGroups) {
        const QString& diff = pp.ParaDiffText[static_cast<size_t>(s.id)];
        if (!diff.isEmpty()) text += t(s.verifyJp, s.verifyEn) + diff + kCrLf;
    }
    return text;
}

void ParamEditor::ParaDataCtShogo() {
    if (!inputCheck(false)) return;
    if (readFromCt() != 0) return;
    PrmDataCompare(ctx_, p_);
    ctx_.message(VerifyResultText());
}

// ---- Files

std::optional<QString> ParamEditor::openDialog(const QString& title) {
    if (!ctx_.platform.fileDialogs) return std::nullopt;
    FileDialogRequest r;
    r.kind = FileKind::Parameter;
    r.title = title;
    r.filter = t("パラメータ(*.pmd)|*.pmd|すべてのファイル(*.*)|*.*", "Parameter(*.pmd)|*.pmd|All files(*.*)|*.*");
    r.defaultExt = QStringLiteral("pmd");
    r.mustExist = true;
    std::optional<QString> path = ctx_.platform.fileDialogs->open(r);
    if (path && path->isEmpty()) return std::nullopt;
    return path;
}

static QString FileFailureText(const AppContext& ctx) {
    return ctx.pick(QStringLiteral("パラメータファイルの読み込みに失敗しました｡"),
                    QStringLiteral("Fail to open parameter file."));
}

// The Open dialog, then the chosen file read into the file table; false
// (after the message when the file was refused) when nothing was read. For
// the window to take (`open`), the file must also fit it as it stands. The
// message names the file and what was wrong with it.
bool ParamEditor::readChosenFile(const QString& title, bool open) {
    const auto path = openDialog(title);
    if (!path) return false;
    ProductParameters& pp = ctx_.para.of(p_);
    pp.ParaFileError = false;
    FileReadFailure why;
    bool ok = ReadParaFile(ctx_, p_, *path, &why) && !pp.ParaFileError;
    if (ok && open) {
        if (const std::optional<ParaCell> misfit = ParaTableMisfit(pp.ParaFileData, p_)) {
            ok = false;
            why.reason = ParaCellText(pp.ParaFileData, *misfit);
        }
    }
    // A file of another kind: the reader has told, with the file's name.
    if (!ok && !why.told) ctx_.message(FileFailureMessage(FileFailureText(ctx_), *path, why.reason));
    return ok;
}

void ParamEditor::ParaDataFileShogo() {
    if (!inputCheck(false)) return;
    if (ctx_.message(t("画面のﾊﾟﾗﾒｰﾀと、ﾌｧｲﾙに保存されたﾊﾟﾗﾒｰﾀの照合を行います。",
                       "Verify parameters against indicated and saved into the file."),
                     MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return;
    if (!readChosenFile(t("照合するパラメータファイルを開く", "Open Parameter file to be Verified"), false)) return;
    PrmDataCompare(ctx_, p_);
    ctx_.message(VerifyResultText());
}

void ParamEditor::ParaFileOpenProc() {
    if (!mayGiveUpEdits(EditsAt::Replace)) return;
    // A file the window cannot take as it stands (a list value without its
    // item, a row the product needs and the file lacks, a cell that is no
    // number or does not fit its field) is not taken: the record and the
    // window keep their values.
    if (!readChosenFile(t("パラメータファイルを開く", "Open Parameter file"), true)) return;
    PutParaDa2Hensu();
    ParametaHyoji();
    markClean();
}

// ---- Commands

// The commands that talk to the controller hold it for their whole frame;
// while another window's job holds it they do nothing.
void ParamEditor::cmdParaRead_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (job) inFrame(Frame::Full, [this] { GetParametaValue(); });
}
void ParamEditor::cmdParaWrite_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (job) inFrame(Frame::Full, [this] { ParaLoadtoCtConfirm(); });
}
void ParamEditor::cmdConpareCT_Click() {
    ControllerJob job(ctx_.link.ct, this);
    if (job) inFrame(Frame::Full, [this] { ParaDataCtShogo(); });
}
void ParamEditor::cmdConpareFile_Click() { inFrame(Frame::Full, [this] { ParaDataFileShogo(); }); }
void ParamEditor::cmdReadParaFile_Click() { inFrame(Frame::Full, [this] { ParaFileOpenProc(); }); }
void ParamEditor::cmdSaveParaFile_Click() { inFrame(Frame::Full, [this] { SaveParaFile(); }); }

void ParamEditor::cmdParaFilePrint_Click() {
    inFrame(Frame::WindowOnly, [this] {
        if (ctx_.message(t("ﾌｧｲﾙに保存されたﾊﾟﾗﾒｰﾀの印刷を行います。", "Printing parameters saved into the file."),
                         MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
            return;
        if (!readChosenFile(t("印刷するパラメータファイルを開く", "Open Parameter file to be printed"), false)) return;
        ctx_.print.PrintFileFlag = true;
        PrintParaData(ctx_, p_);
    });
}

void ParamEditor::cmdParaPrint_Click() {
    inFrame(Frame::WindowOnly, [this] {
        if (!inputCheck(true)) return;
        if (ctx_.message(t("画面に表示されているﾊﾟﾗﾒｰﾀの印刷を行います。", "Printing parameters indicated in display."),
                         MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
            return;
        PutHensu2ParaDa();
        ctx_.print.PrintFileFlag = false;
        PrintParaData(ctx_, p_);
    });
}

void ParamEditor::cmdIniPrm_Click() {
    inFrame(Frame::WindowOnly, [this] {
        if (!dialogs_) return;
        if (!mayGiveUpEdits(EditsAt::Replace)) return;
        // The pick serves the lookup only: the main window's actuator stays
        // as it was, whatever the dialog did to it while open.
        const ActuatorChoice before = ctx_.dev;
        const bool cancelled = dialogs_->Run(p_, p_ == Product::OneAxis);
        const ActuatorChoice picked = ctx_.dev;
        ctx_.dev = before;
        ctx_.opt.DevNotFound = false;
        if (cancelled) return;
        ctx_.dev.SelNewType = picked.SelNewType;
        for (size_t a = 0; a < 2; ++a) {
            AxisActuator& x = ctx_.dev.axes(p_)[a];
            const AxisActuator& y = picked.axes(p_)[a];
            x.SelSeries = y.SelSeries;
            x.SelSize = y.SelSize;
            x.SelSpeed = y.SelSpeed;
            x.SelStroke = y.SelStroke;
            x.SelVertical = y.SelVertical;
            x.SelWithPG = y.SelWithPG;
        }
        const QString failed = t("出荷時ﾊﾟﾗﾒｰﾀﾌｧｲﾙの読み込みに失敗しました。", "Fail to open standard parameter file.");
        ProductParameters& pp = ctx_.para.of(p_);
        if (!ReadStdPrm(ctx_, p_) || pp.StdPrmError) {
            ctx_.message(failed);
            return;
        }
        const auto& axes = ctx_.dev.axes(p_);
        std::array<StdPrmPick, 2> picks;
        for (size_t a = 0; a < 2; ++a)
            picks[a] = {axes[a].SelSize, axes[a].SelSpeed, double(axes[a].SelStroke),
                        p_ == Product::TwoAxis ? picked.DevWithPG[a] : axes[a].SelWithPG};
        const bool allFound = StdPrmToRecord(pp, p_, picks, pp.rec);
        if (allFound)
            ParametaHyoji();
        else
            ctx_.message(failed);
    });
}

bool ParamEditor::mayGiveUpEdits(EditsAt at) {
    return !modified() || MayGiveUpEdits(ctx_, at, [this] { return SaveParaFile(); });
}

bool ParamEditor::mayClose() {
    if (running()) return false;
    if (!modified()) return true;
    bool go = false;
    inFrame(Frame::Full, [this, &go] { go = mayGiveUpEdits(EditsAt::Close); });
    return go;
}

bool ParamEditor::ConfirmSpUnlock() {
    return ctx_.message(t("特殊パラメータは通常使用では変更しないで下さい。\r\n特殊パラメータの値を変更しますか？",
                          "Don't change SP PARAMETER on ordinary use.\r\nDo you change value of SP PARAMETER."),
                        MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes;
}

} // namespace rer
