#include "dialogs/GrpSmEditor.h"

#include "app/AppContext.h"
#include "files/FileHeader.h"
#include "files/Value.h"
#include "link/ControllerLink.h"
#include "platform/FileDialogs.h"
#include "platform/FileWriter.h"

#include <QFileInfo>
#include <cmath>

namespace rer {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

int16_t BoxNumber(const QString& text) {
    const double v = std::trunc(LeadingNumber(text));
    if (!(v >= -32768)) return v > 0 ? 32767 : -32768; // also NaN
    if (v > 32767) return 32767;
    return static_cast<int16_t>(v);
}

QString GrpSmEditor::say(Words w) const {
    return ctx_.pick(QString::fromUtf8(w.jp), QString::fromUtf8(w.en));
}

bool GrpSmEditor::ask(Words question, MsgButtons buttons) {
    const MsgAnswer go = buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::Ok;
    return ctx_.message(say(question), buttons, MsgIcon::Question) == go;
}

bool GrpSmEditor::checked(Words invalid) {
    if (checkTable()) return true;
    ctx_.message(say(invalid));
    return false;
}

// The file table from the controller; false when there is none or the link
// has reported a failure.
bool GrpSmEditor::readController() {
    ControllerLink* link = ctx_.link.ct;
    if (!link) return false;
    return kind_.ReadFromCt(*link) == 0 && !ctx_.link.TusinError;
}

FileDialogRequest GrpSmEditor::fileRequest(Words title) const {
    FileDialogRequest r;
    r.kind = kind_.fileKind;
    r.title = say(title);
    r.filter = say(kind_.filter);
    r.defaultExt = QString::fromLatin1(kind_.defaultExt);
    return r;
}

// Open dialog and the reader; nothing (after the refusal, told once) when
// there is nothing to go on with.
std::optional<QString> GrpSmEditor::chooseAndRead(Words title, Words refusal) {
    FileDialogRequest r = fileRequest(title);
    r.mustExist = true;
    const auto path = ctx_.platform.fileDialogs->open(r);
    if (!path || path->isEmpty()) return std::nullopt;
    bool& failed = kind_.flags(ctx_).FileError;
    failed = false;
    FileReadFailure why;
    if (!kind_.ReadFile(ctx_, *path, &why) || failed) {
        // A file of another kind: the reader has told, with the file's name.
        if (!why.told) ctx_.message(FileFailureMessage(say(refusal), *path, why.reason));
        return std::nullopt;
    }
    return path;
}

void GrpSmEditor::showVerifyResult(const VerifyWords& result) {
    const TableKind::Flags f = kind_.flags(ctx_);
    if (!f.DiffFlag) {
        ctx_.message(say({"照合結果－ＯＫ", "Result of Verify - OK"}));
        return;
    }
    ctx_.message(say({"照合結果－ＮＧ", "Result of Verify - NG"}) + kCrLf + say(result.heading) + kCrLf +
                 say(result.numbers) + f.DiffText);
}

bool GrpSmEditor::mayGiveUpEdits(EditsAt at) {
    return !modified() || MayGiveUpEdits(ctx_, at, [this] { return saveTable(); });
}

bool GrpSmEditor::mayClose() {
    if (busy()) return false;
    if (!modified()) return true;
    Command cmd(*this, {Scope::All, Scope::All});
    return mayGiveUpEdits(EditsAt::Close);
}

void GrpSmEditor::readFromController(Frame f, Words question) {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return; // another window's job holds the controller
    Command cmd(*this, f);
    if (!ask(question, MsgButtons::OkCancel)) return;
    if (!mayGiveUpEdits(EditsAt::Read)) return;
    if (!readController()) return;
    kind_.FileToEdit(ctx_);
    showTable();
    markClean();
}

void GrpSmEditor::writeToController(Frame f, Words invalid, Words question) {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return;
    Command cmd(*this, f);
    if (!checked(invalid)) return;
    if (!ask(question, MsgButtons::YesNo)) return;
    wholeTable();
    // What goes to the controller: the boxes stay open to edits while the
    // write waits, and an edit typed meanwhile is still an edit after it.
    const std::vector<int16_t> sent = tableImage();
    ControllerLink* link = ctx_.link.ct;
    if (link && kind_.WriteToCt(*link) == 0 && !ctx_.link.TusinError) clean_ = sent;
}

void GrpSmEditor::verifyWithController(Frame f, Words invalid, const VerifyWords& result) {
    ControllerJob job(ctx_.link.ct, this);
    if (!job) return;
    Command cmd(*this, f);
    if (!checked(invalid)) return;
    if (!readController()) return; // the link has told
    kind_.Compare(ctx_);
    showVerifyResult(result);
}

void GrpSmEditor::openFile(Frame f, Words title, Words refusal) {
    Command cmd(*this, f);
    if (!mayGiveUpEdits(EditsAt::Replace)) return;
    if (!chooseAndRead(title, refusal)) return; // the editor stays as it was
    kind_.FileToEdit(ctx_);
    showTable();
    markClean();
}

void GrpSmEditor::verifyWithFile(Frame f, Words invalid, Words title, Words refusal,
                                 const VerifyWords& result) {
    Command cmd(*this, f);
    if (!checked(invalid)) return;
    if (!chooseAndRead(title, refusal)) return;
    kind_.Compare(ctx_);
    showVerifyResult(result);
}

bool GrpSmEditor::saveTable() {
    if (!checked(kind_.saveInvalid)) return false;
    FileDialogRequest r = fileRequest(kind_.saveTitle);
    r.fileName = QString::fromLatin1(kind_.saveName);
    r.confirmOverwrite = true;
    const auto path = ctx_.platform.fileDialogs->save(r);
    if (!path || path->isEmpty()) return false;
    // The name stays with this save: the main window's position file name is
    // not touched.
    const QString file = WithDefaultExt(*path, r.defaultExt);
    QString why;
    if (!kind_.WriteFile(ctx_, file, &why)) {
        if (kind_.saveError) ctx_.message(FileFailureMessage(say(*kind_.saveError), file, why));
        return false;
    }
    markClean();
    return true;
}

void GrpSmEditor::saveFile(Frame f) {
    Command cmd(*this, f);
    saveTable();
}

void GrpSmEditor::printIndicated(Frame f, Words invalid, std::optional<Words> question) {
    Command cmd(*this, f);
    if (!checked(invalid)) return;
    if (question && !ask(*question, MsgButtons::OkCancel)) return;
    wholeTable();
    kind_.EditToFile(ctx_);
    ctx_.print.PrintFileFlag = false;
    kind_.flags(ctx_).FileName = QStringLiteral("INDICATED DATA");
    kind_.Print(ctx_);
}

void GrpSmEditor::printChosenFile(Words title, Words refusal) {
    const auto path = chooseAndRead(title, refusal);
    if (!path) return;
    kind_.flags(ctx_).FileName = QFileInfo(*path).fileName();
    ctx_.print.PrintFileFlag = true;
    kind_.Print(ctx_);
}

} // namespace rer
