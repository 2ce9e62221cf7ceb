// The parameter editor's commands of both products: files, printing,
// factory values and the controller exchanges against the simulator.
#include "files/ParaFile.h"
#include "link/CtError.h"
#include "link/Transfers.h"
#include "platform/FileDialogs.h"
#include "platform/PrintSurface.h"
#include "setup/ParamEditor.h"
#include "testsupport/EditsQuestions.h"
#include "testsupport/FullDiskSave.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/ParamFixture.h"
#include "testsupport/PrintOps.h"
#include "testsupport/TransferFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::GarbleFault;

namespace {

constexpr Product kTwo = Product::TwoAxis;
constexpr Product kOne = Product::OneAxis;
const char* Name(Product p) { return p == kTwo ? "two-axis" : "one-axis"; }


struct Editor {
    explicit Editor(Product p, int16_t language = 2)
        : world({.language = language, .doubles = Doubles::FileDialogs | Doubles::Printer}), p(p) {
        Get_ErrorList(world.ctx);
        world.ctx.link.ct = world.link.get();
        world.link->setProgress(&progress);
        editor = std::make_unique<ParamEditor>(world.ctx, p, window, &frame, &dialogs);
    }
    AppContext& ctx() { return world.ctx; }
    FakeMessageBoxes& msg() { return world.msg; }
    ParaRecord& rec() { return world.ctx.para.of(p).rec; }
    sim::CtSimState& ct() { return world.sim().state; }
    void show(const ParaRecord& r) { window.c = ControlsShowing(r, p); }
    QStringList texts() const {
        QStringList t;
        for (const auto& s : world.msg.shown) t << s.text;
        return t;
    }
    // The frame came back: the window's buttons and the main window's commands.
    void expectFrameClosed(bool full) const {
        EXPECT_TRUE(window.buttonsEnabled);
        if (full) {
            ASSERT_GE(frame.calls.size(), 6);
            EXPECT_EQ(frame.calls.mid(frame.calls.size() - 3),
                      (QStringList{QStringLiteral("CMDBTN_Yuko"), QStringLiteral("ToolBar_Yuko"),
                                   QStringLiteral("Menyu_Yuko")}));
        } else {
            EXPECT_TRUE(frame.calls.isEmpty());
        }
    }

    LinkWorld world;
    Product p;
    FakeParamWindow window;
    FrameRecorder frame;
    ScriptedActuatorDialogs dialogs;
    FakeFileDialogs& files = world.files;
    RecordingPrintSurface& printer = world.printer;
    ProgressRecorder progress;
    std::unique_ptr<ParamEditor> editor;
};

} // namespace

// ------------------------------------------------------------------ files

TEST(ParamEditorFiles, SaveOpenAndVerifyAgainstTheFile) {
    for (Product p : {kTwo, kOne}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("saved.pmd"));
        Editor e(p);
        const ParaRecord shown = ValidParaRecord(p, 1);
        e.show(shown);

        e.files.answer(path);
        e.editor->cmdSaveParaFile_Click();
        ASSERT_EQ(e.files.saved.size(), 1u);
        EXPECT_EQ(e.files.saved[0].fileName, p == kTwo ? QStringLiteral("kzw6prm1.pmd") : QStringLiteral("kzw3kprm1.pmd"));
        EXPECT_EQ(e.files.saved[0].defaultExt, QStringLiteral("pmd"));
        EXPECT_TRUE(e.files.saved[0].confirmOverwrite);
        EXPECT_EQ(e.files.saved[0].kind, FileKind::Parameter);
        EXPECT_EQ(e.msg().lastText(), QStringLiteral("Completed save parameters into the file.")) << Name(p);
        EXPECT_TRUE(QFile::exists(path));
        e.expectFrameClosed(true);

        // A fresh editor opens the file and shows the same values.
        Editor f(p);
        f.files.answer(path);
        f.editor->cmdReadParaFile_Click();
        ASSERT_EQ(f.files.opened.size(), 1u);
        EXPECT_EQ(f.files.opened[0].kind, FileKind::Parameter);
        EXPECT_TRUE(f.msg().shown.empty()) << f.msg().lastText().toStdString();
        EXPECT_EQ(f.window.c.text, e.window.c.text) << Name(p);
        EXPECT_EQ(f.window.c.combo, e.window.c.combo) << Name(p);

        // Verification against the same file: OK. Then two values edited.
        f.msg().clear();
        f.files.answer(path);
        f.editor->cmdConpareFile_Click();
        EXPECT_EQ(f.texts(), (QStringList{QStringLiteral("Verify parameters against indicated and saved into the file."),
                                          QStringLiteral("Result of Verify - OK")}));
        f.window.c.text[3][0] = QStringLiteral("59");   // HOME VEL
        f.window.c.text[33][0] = QStringLiteral("100"); // OVERRIDE
        f.msg().clear();
        f.files.answer(path);
        f.editor->cmdConpareFile_Click();
        EXPECT_EQ(f.msg().lastText().toStdString(), p == kTwo ? std::string("Result of Verify - NG\r\n<HOME PARAMETER> :VEL(1),\r\n<SP PARAMETER> :OVERIDE,\r\n")
                             : std::string("Result of Verify - NG\r\n<HOME PARAMETER> :VEL,\r\n<SP PARAMETER> :OVERRIDE,\r\n")) << Name(p);
        f.expectFrameClosed(true);
    }
}

// The disk refuses the write (a file may not grow past 16 bytes): the
// former file stays byte for byte and the window says the save failed.
TEST(ParamEditorFiles, ASaveOnAFullDiskKeepsTheFormerFile) {
    for (Product p : {kTwo, kOne}) {
        for (int16_t language : {1, 2}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("kept.pmd"));
            Editor e(p, language);
            e.show(ValidParaRecord(p, 1));
            e.files.answer(path);
            e.editor->cmdSaveParaFile_Click();
            e.msg().clear();
            e.show(ValidParaRecord(p, 2));
            e.files.answer(path);
            // The message names the file and the system's reason.
            const QString headline = language == 1 ? QStringLiteral("パラメータのファイル保存に失敗しました。")
                                                    : QStringLiteral("Fail to  Save parameters into the file.");
            const QString failed = WriteFailureText(headline, path, ReasonWords(EFBIG, language));
            EXPECT_EQ(SaveOnFullDisk(path, [&e] { return e.editor->cmdSaveParaFile_Click(), e.texts(); }),
                      QStringList{failed})
                << Name(p);

            // The user's own file in a folder that takes no new file, on a
            // disk that takes the copy of the former file only: the file is
            // left incomplete, and the user is told so and where its former
            // content is.
            {
                QFile former(path);
                ASSERT_TRUE(former.open(QIODevice::WriteOnly));
                former.write("\"former\"\r\n");
            }
            e.msg().clear();
            e.files.answer(path);
            const InPlaceSave inPlace =
                SaveInPlacePartWay(path, [&e] { return e.editor->cmdSaveParaFile_Click(), e.texts(); });
            const QString incomplete = WriteFailureText(headline, path, InPlaceFailureWords(EFBIG, inPlace.copy, language));
            EXPECT_EQ(inPlace.report, QStringList{incomplete}) << Name(p);
            if (language == 1) {
                for (const QString& told : {failed, incomplete})
                    EXPECT_EQ(LatinWords(told, {path, inPlace.copy}), QStringList()) << told.toStdString();
            }
        }
    }
}

TEST(ParamEditorFiles, RefusalsLeaveEverythingAsItWas) {
    QTemporaryDir dir;
    const QString wrong = dir.filePath(QStringLiteral("wrong.pmd"));
    {
        QFile fw(wrong);
        ASSERT_TRUE(fw.open(QIODevice::WriteOnly));
        fw.write("\"VO-D6\",\"GRP\"\r\n1\r\n");
    }
    Editor e(kTwo);
    e.show(ValidParaRecord(kTwo));
    e.editor->markClean(); // as a file shows them: no question before the opens
    const ParaControls before = e.window.c;

    // Open a file that is not a parameter file: the reader's message, over
    // the file's name, and no more.
    e.files.answer(wrong);
    e.msg().clear();
    e.editor->cmdReadParaFile_Click();
    ASSERT_EQ(e.msg().shown.size(), 1u);
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("Not parameter file for DI-D6. Opening file is canceled.\r\n") +
                                      QFileInfo(wrong).absoluteFilePath());
    EXPECT_EQ(e.window.c.text, before.text);

    // Cancelled dialogs and questions: nothing shown, nothing written.
    e.msg().clear();
    e.files.answer(std::nullopt);
    e.editor->cmdReadParaFile_Click();
    e.files.answer(std::nullopt);
    e.editor->cmdSaveParaFile_Click();
    EXPECT_TRUE(e.msg().shown.empty());
    e.msg().answer(MsgAnswer::Cancel);
    e.editor->cmdConpareFile_Click();
    EXPECT_EQ(e.files.opened.size(), 2u); // the two opens above; the verify stopped at its question
    e.expectFrameClosed(true);

    // Save with an empty box or a bad value: the message and no dialog.
    e.msg().clear();
    e.window.c.text[9][1].clear();
    e.editor->cmdSaveParaFile_Click();
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("No data in some of parameters, fill the data in and try it again."));
    e.window.c.text[9][1] = QStringLiteral("61");
    e.editor->cmdSaveParaFile_Click();
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("Invalid value in some parameters.\r\nConfirm the value and try it again."));
    EXPECT_EQ(e.files.saved.size(), 1u);
    EXPECT_EQ(e.rec().ParaVel3[1], 61); // the take-in had run

    // A write that fails: its message, the former file untouched.
    const QString locked = dir.filePath(QStringLiteral("no/such/folder/x.pmd"));
    e.window.c.text[9][1] = QStringLiteral("60");
    e.msg().clear();
    e.files.answer(locked);
    e.editor->cmdSaveParaFile_Click();
    EXPECT_EQ(e.msg().lastText(),
              WriteFailureText(QStringLiteral("Fail to  Save parameters into the file."), locked, ReasonWords(ENOENT, 2)));
}

TEST(ParamEditorPrint, ShownValuesAndFile) {
    QTemporaryDir dir;
    Editor e(kTwo);
    e.show(ValidParaRecord(kTwo));
    e.window.c.text[2][1].clear();
    e.editor->cmdParaPrint_Click();
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("No data in some parameters,fill the data in and try it again."));
    EXPECT_EQ(e.files.printerShown, 0);

    e.window.c.text[2][1] = QStringLiteral("7");
    e.files.answerPrinter(true);
    e.editor->cmdParaPrint_Click();
    EXPECT_EQ(e.ctx().para.two.ParaFileData[0][0].toText(), QStringLiteral("INDICATED DATA"));
    EXPECT_FALSE(e.ctx().print.PrintFileFlag);
    EXPECT_EQ(e.files.printerShown, 1);
    EXPECT_FALSE(e.printer.texts().empty());
    e.expectFrameClosed(false);

    // Printing a file leaves the record and the window as they were.
    const QString path = dir.filePath(QStringLiteral("p.pmd"));
    ParaRecord other = ValidParaRecord(kTwo, 2);
    std::swap(e.rec(), other);
    ASSERT_TRUE(WriteParaFile(e.ctx(), kTwo, path));
    std::swap(e.rec(), other);
    const ParaRecord before = e.rec();
    const ParaControls shown = e.window.c;
    e.files.answer(path);
    e.files.answerPrinter(true);
    e.editor->cmdParaFilePrint_Click();
    EXPECT_TRUE(e.ctx().print.PrintFileFlag);
    EXPECT_EQ(e.window.c.text, shown.text);
    EXPECT_EQ(ParaRecordValue(e.rec(), 3, 0), ParaRecordValue(before, 3, 0));
    EXPECT_EQ(e.ctx().para.two.ParaFileData[0][0].toText(), QStringLiteral("p.pmd"));
}

// A file of the other product lacks rows (a two-axis file has no BCD ENABLE):
// the listing prints what the file holds and leaves the rest blank.
TEST(ParamEditorPrint, AFileOfTheOtherProductPrintsWhatItHolds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("two.pmd"));
    {
        Editor two(kTwo);
        two.rec() = ValidParaRecord(kTwo);
        ASSERT_TRUE(WriteParaFile(two.ctx(), kTwo, path));
    }
    Editor e(kOne);
    e.files.answer(path);
    e.files.answerPrinter(true);
    e.editor->cmdParaFilePrint_Click();
    EXPECT_EQ(e.texts(), QStringList{QStringLiteral("Printing parameters saved into the file.")});
    EXPECT_EQ(countOps(e.printer, RecordingPrintSurface::Op::EndDoc), 1);
    const auto* bcd = findText(e.printer, QStringLiteral(" 6.BCD ENABLE:"));
    const auto* ls = findText(e.printer, QStringLiteral(" 5.LS TIMER:"));
    ASSERT_TRUE(bcd && ls);
    int onBcdRow = 0, onLsRow = 0;
    for (const auto& op : textOps(e.printer)) {
        onBcdRow += op.y == bcd->y ? 1 : 0;
        onLsRow += op.y == ls->y ? 1 : 0;
    }
    EXPECT_EQ(onBcdRow, 1); // the label, no value
    EXPECT_EQ(onLsRow, 2);
    e.expectFrameClosed(false);
}

// -------------------------------------------------------- factory values

TEST(ParamEditorFactory, ValuesOfThePickedActuators) {
    for (Product p : {kTwo, kOne}) {
        Editor e(p);
        e.ctx().dev.axes(p)[0].Lead = 77;
        e.ctx().dev.DevWithPG = {false, true};
        // The pick: the first record of each axis's list, axis 1 with PG.
        e.dialogs.pick = [&e, p](Product) {
            auto& axes = e.ctx().dev.axes(p);
            axes[0].Lead = 12; // the dialog's lookup touches the committed model
            for (int a = 0; a < 2; ++a) {
                axes[a].SelSeries = QStringLiteral("KZ");
                e.ctx().dev.SelNewType[a] = true;
            }
            axes[0].SelSize = QStringLiteral(" 28");
            axes[0].SelSpeed = QStringLiteral("L");
            axes[0].SelStroke = 50;
            axes[1] = axes[0];
            if (p == kTwo) e.ctx().dev.DevWithPG = {true, false};
            else axes[0].SelWithPG = true, axes[1].SelWithPG = false;
            return false;
        };
        e.editor->cmdIniPrm_Click();
        ASSERT_TRUE(e.msg().shown.empty()) << Name(p) << e.msg().lastText().toStdString();
        const ProductParameters& pp = e.ctx().para.of(p);
        const StdPrmRecord& first = pp.StdPrm1[1];
        EXPECT_EQ(e.window.c.text[1][0], first[4].toText()) << Name(p);  // OFFSET
        EXPECT_EQ(e.window.c.text[17][0], first[20].toText()) << Name(p); // STROKE
        EXPECT_EQ(e.rec().ParaPgFunction[0], pp.StdPrmCmn[0][2].toNumber()) << Name(p);
        EXPECT_EQ(e.rec().ParaPgFunction[1], pp.StdPrmCmn[0][1].toNumber()) << Name(p);
        EXPECT_EQ(e.rec().ParaLsTimer, pp.StdPrmCmn[12][1].toNumber());
        EXPECT_FALSE(ParaOutOfRange(e.rec(), p)) << Name(p);
        // The main window's actuator is not changed by the pick.
        EXPECT_EQ(e.ctx().dev.axes(p)[0].Lead, 77) << Name(p);
        EXPECT_EQ(e.ctx().dev.DevWithPG, (std::array<bool, 2>{false, true})) << Name(p);
        EXPECT_EQ(e.ctx().dev.axes(p)[0].SelSize, QStringLiteral(" 28"));
        e.expectFrameClosed(false);

        // A pick the list does not hold: the message, the window unchanged.
        // The factory values shown are no file's: each command asks first
        // (No: they may go).
        const ParaControls shown = e.window.c;
        e.dialogs.pick = [&e, p](Product) {
            e.ctx().dev.axes(p)[0].SelStroke = 9999;
            return false;
        };
        e.msg().answer(MsgAnswer::No);
        e.editor->cmdIniPrm_Click();
        EXPECT_EQ(e.msg().lastText(), QStringLiteral("Fail to open standard parameter file."));
        EXPECT_EQ(e.window.c.text, shown.text);

        // Cancelled twice: nothing but the questions.
        e.msg().clear();
        e.dialogs.pick = nullptr;
        e.msg().answer(MsgAnswer::No);
        e.msg().answer(MsgAnswer::No);
        e.editor->cmdIniPrm_Click();
        e.editor->cmdIniPrm_Click();
        EXPECT_EQ(e.texts(), QStringList(2, kEditsReplaceQuestion));
        EXPECT_EQ(e.dialogs.runs, 4);
    }
}

// ------------------------------------------------------------ controller

TEST(ParamEditorController, WriteReadBackAndVerify) {
    for (Product p : {kTwo, kOne}) {
        Editor e(p);
        const ParaRecord sent = ValidParaRecord(p, 3);
        e.show(sent);
        e.msg().answer(MsgAnswer::Yes);
        e.editor->cmdParaWrite_Click();
        EXPECT_EQ(e.msg().lastText(), QStringLiteral("Completed writing parameters. ")) << Name(p);
        EXPECT_FALSE(e.ct().paramBlocks.empty());
        EXPECT_EQ(e.ct().commits, 1);
        e.expectFrameClosed(true);

        // Verify against the controller: no question, OK.
        e.msg().clear();
        e.editor->cmdConpareCT_Click();
        EXPECT_EQ(e.texts(), QStringList{QStringLiteral("Result of Verify - OK")}) << Name(p);

        // A fresh window reads at once and shows the controller's values.
        Editor f(p);
        f.world.sim().state = e.ct();
        f.editor->cmdParaRead_Click();
        EXPECT_TRUE(f.msg().shown.empty()) << f.msg().lastText().toStdString();
        EXPECT_EQ(f.window.c.text, e.window.c.text) << Name(p);
        EXPECT_EQ(f.window.c.combo[21][0], e.window.c.combo[21][0]);
        EXPECT_EQ(f.window.c.opt, e.window.c.opt);
        f.expectFrameClosed(true);

        // Controller differs in VEL5 and OVERRIDE: the NG text names them.
        f.window.c.text[11][0] = f.window.c.text[11][0] == QStringLiteral("1") ? QStringLiteral("2") : QStringLiteral("1");
        f.window.c.text[33][0] = QStringLiteral("0") == f.window.c.text[33][0] ? QStringLiteral("1") : QStringLiteral("0");
        f.editor->cmdConpareCT_Click();
        EXPECT_EQ(f.msg().lastText().toStdString(), p == kTwo ? std::string("Result of Verify - NG\r\n<VEL PARAMETER> :VEL5(1),\r\n<SP PARAMETER> :OVERIDE,\r\n")
                             : std::string("Result of Verify - NG\r\n<VEL PARAMETER> :VEL5,\r\n<SP PARAMETER> :OVERRIDE,\r\n")) << Name(p);
    }
}

TEST(ParamEditorController, QuestionsAndChecksComeBeforeThePort) {
    Editor e(kTwo);
    e.show(ValidParaRecord(kTwo));
    // No to the write question: nothing sent.
    e.msg().answer(MsgAnswer::No);
    e.editor->cmdParaWrite_Click();
    EXPECT_EQ(e.msg().shown.size(), 1u);
    // An empty box: the blank message, nothing sent.
    e.window.c.text[4][1].clear();
    e.msg().answer(MsgAnswer::Yes);
    e.editor->cmdParaWrite_Click();
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("No data in some parameters, fill the data in and try it again."));
    e.editor->cmdConpareCT_Click();
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("No data in some parameters, fill the data in and try it again."));
    // Only JOG VEL empty: not blank, but invalid.
    e.window.c.text[4][1] = QStringLiteral("10");
    e.window.c.text[kJogVelRow][0].clear();
    e.msg().answer(MsgAnswer::Yes);
    e.editor->cmdParaWrite_Click();
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("Invalid value in some parameters.\r\nConfirm the value, and try it again."));
    // Read over the edits: the save question; Cancel reads nothing.
    e.window.c.text[kJogVelRow][0] = QStringLiteral("10");
    e.msg().answer(MsgAnswer::Cancel);
    e.editor->cmdParaRead_Click();
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("Save the editing data before reading data?"));
    EXPECT_EQ(e.msg().shown.back().buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(e.world.sim().received.empty());
    // Yes with a cancelled Save As: the edits are kept, nothing is read.
    e.msg().answer(MsgAnswer::Yes);
    e.files.answer(std::nullopt);
    e.editor->cmdParaRead_Click();
    EXPECT_TRUE(e.world.sim().received.empty());
    e.expectFrameClosed(true);
}

TEST(ParamEditorController, AFailedWriteIsNeverCommitted) {
    for (Product p : {kTwo, kOne}) {
        for (const char* line : {"0WD0", "0WD5", "0WD8"}) {
            Editor e(p);
            e.show(ValidParaRecord(p));
            e.world.sim().faults.push_back(GarbleFault(line));
            e.msg().answer(MsgAnswer::Yes);
            e.editor->cmdParaWrite_Click();
            EXPECT_EQ(e.msg().lastText(), QStringLiteral("Fail to Write parameters.")) << Name(p) << line;
            EXPECT_EQ(e.ct().commits, 0) << Name(p) << line;
            EXPECT_TRUE(e.ct().paramBlocks.empty() || e.ct().commitLog.empty());
            EXPECT_FALSE(e.progress.visible);
            e.expectFrameClosed(true);
        }
    }
}

TEST(ParamEditorController, AFailedReadChangesNothing) {
    Editor e(kOne);
    e.show(ValidParaRecord(kOne));
    e.msg().answer(MsgAnswer::No); // the edits may go
    const ParaControls before = e.window.c;
    const ParaRecord rec = e.rec();
    e.world.sim().faults.push_back(GarbleFault("0RD4", 4, 'G'));
    e.editor->cmdParaRead_Click();
    EXPECT_TRUE(e.ctx().link.TusinError);
    EXPECT_EQ(e.window.c.text, before.text);
    EXPECT_EQ(ParaRecordValue(e.rec(), 2, 0), ParaRecordValue(rec, 2, 0));
    e.expectFrameClosed(true);
}

TEST(ParamEditorMisc, SpUnlockQuestionAndJapaneseTexts) {
    Editor e(kTwo, 1);
    e.msg().answer(MsgAnswer::No);
    EXPECT_FALSE(e.editor->ConfirmSpUnlock());
    EXPECT_EQ(e.msg().shown.back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(e.msg().lastText(), QStringLiteral("特殊パラメータは通常使用では変更しないで下さい。\r\n特殊パラメータの値を変更しますか？"));
    e.ctx().para.two.ParaDiffFlag = true;
    e.ctx().para.two.ParaDiffText[1] = QStringLiteral("VEL5,");
    EXPECT_EQ(e.editor->VerifyResultText(), QStringLiteral("照合結果－ＮＧ\r\n<速度ﾊﾟﾗﾒｰﾀ> :VEL5,\r\n"));
}

// ----------------------------------------------------------------- edits

// An edit is any control that differs from what the window's opening or the
// last open, save, read or write left in it; factory values are nobody's
// file, and a verification or a failed write saves nothing.
TEST(ParamEditorEdits, WhatCountsAsChanged) {
    for (Product p : {kTwo, kOne}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("e.pmd"));
        Editor e(p);
        ParamEditor& ed = *e.editor;
        EXPECT_FALSE(ed.modified()) << Name(p);
        e.window.c.text[3][0] = QStringLiteral("12");
        EXPECT_TRUE(ed.modified());
        e.window.c.text[3][0].clear();
        EXPECT_FALSE(ed.modified()) << "back as it was";

        e.show(ValidParaRecord(p, 1));
        EXPECT_TRUE(ed.modified());
        e.files.answer(path);
        ed.cmdSaveParaFile_Click();
        EXPECT_FALSE(ed.modified()) << Name(p) << " saved";

        e.window.c.combo[21][0] = (e.window.c.combo[21][0] + 1) % 5;
        e.files.answer(path);
        ed.cmdConpareFile_Click();
        EXPECT_EQ(e.msg().lastText().left(21), QStringLiteral("Result of Verify - NG"));
        EXPECT_TRUE(ed.modified()) << "a verification saves nothing";
        e.world.sim().faults.push_back(GarbleFault("0WD8"));
        e.msg().answer(MsgAnswer::Yes);
        ed.cmdParaWrite_Click();
        EXPECT_EQ(e.msg().lastText(), QStringLiteral("Fail to Write parameters."));
        EXPECT_TRUE(ed.modified()) << "a failed write";
        e.msg().answer(MsgAnswer::Yes);
        ed.cmdParaWrite_Click();
        EXPECT_EQ(e.msg().lastText(), QStringLiteral("Completed writing parameters. "));
        EXPECT_FALSE(ed.modified()) << Name(p) << " written";

        e.window.c.opt = {false, true};
        EXPECT_TRUE(ed.modified());
        e.msg().answer(MsgAnswer::No);
        ed.cmdParaRead_Click();
        EXPECT_FALSE(ed.modified()) << Name(p) << " read";

        e.window.c.text[33][0] = QStringLiteral("99");
        e.msg().answer(MsgAnswer::No);
        e.files.answer(path);
        ed.cmdReadParaFile_Click();
        EXPECT_EQ(e.window.c.text[3][0], ControlsShowing(ValidParaRecord(p, 1), p).text[3][0]);
        EXPECT_FALSE(ed.modified()) << Name(p) << " opened";

        // The factory values of the first record of each list.
        e.dialogs.pick = [&e, p](Product) {
            auto& axes = e.ctx().dev.axes(p);
            for (size_t a = 0; a < 2; ++a) {
                axes[a].SelSeries = QStringLiteral("KZ");
                e.ctx().dev.SelNewType[a] = true;
                axes[a].SelSize = QStringLiteral(" 28");
                axes[a].SelSpeed = QStringLiteral("L");
                axes[a].SelStroke = 50;
            }
            return false;
        };
        ed.cmdIniPrm_Click();
        EXPECT_EQ(e.window.c.text[1][0], e.ctx().para.of(p).StdPrm1[1][4].toText()) << Name(p);
        EXPECT_TRUE(ed.modified()) << Name(p) << " factory values";

        // Closing over them: Cancel and a cancelled save keep the window; No lets it go.
        e.msg().clear();
        e.msg().answer(MsgAnswer::Cancel);
        EXPECT_FALSE(ed.mayClose());
        e.msg().answer(MsgAnswer::Yes);
        e.files.answer(std::nullopt);
        EXPECT_FALSE(ed.mayClose());
        e.msg().answer(MsgAnswer::No);
        EXPECT_TRUE(ed.mayClose());
        EXPECT_EQ(e.texts(), QStringList(3, kEditsCloseQuestion));
        EXPECT_TRUE(ed.modified());
        e.expectFrameClosed(true);
    }
}

// A table the window cannot take as it stands: a row the product needs
// that the file lacks, a list or option value without its item, a cell that
// is no number as a whole or does not fit its field (in the record, and on
// the line to the controller). What the window does not show (the one-axis
// axis 2, its homing order and 1 AXIS) may hold any number that fits, and
// the one-axis axis 2 may be empty.
TEST(ParamFileFit, TablesTheWindowCannotShow) {
    const int type = ParaRowNamed("TYPE"), orEnable = ParaRowNamed("O-R ENABLE"), bcd = ParaRowNamed("BCD ENABLE");
    struct Case {
        const char* what;
        int row, axis;
        Value v;
        bool twoFits, oneFits;
    };
    const Case cases[] = {
        {"as written", 1, 0, Value::number(100), true, true},
        {"TYPE 7", type, 0, Value::number(7), false, false},
        {"TYPE -1", type, 0, Value::number(-1), false, false},
        {"TYPE 1.5", type, 0, Value::number(1.5), false, false},
        {"TYPE as a text", type, 0, Value::text(QStringLiteral("1")), false, false},
        {"TYPE 4, the last item", type, 0, Value::number(4), true, true},
        {"axis 2 TYPE 7", type, 1, Value::number(7), false, true},
        {"O-R ENABLE 2", orEnable, 0, Value::number(2), false, false},
        {"1 AXIS 5", kOneAxisRow, 0, Value::number(5), false, true},
        {"SEQ 200", kSeqRow, 0, Value::number(200), true, true},
        {"no axis-2 OFFSET", 1, 1, Value(), false, true},
        {"no LS TIMER", ParaRowNamed("LS TIMER"), 0, Value(), false, false},
        {"no BCD ENABLE (a two-axis file)", bcd, 0, Value(), true, false},
        {"BCD ENABLE 2", bcd, 0, Value::number(2), true, false},
        {"OFFSET as a text", 1, 0, Value::text(QStringLiteral("abc")), false, false},
        {"OFFSET as a quoted number", 1, 0, Value::text(QStringLiteral("100")), true, true},
        {"OFFSET -1", 1, 0, Value::number(-1), false, false},
        {"OFFSET 65536", 1, 0, Value::number(65536), false, false},
        {"STROKE abc", kStrokeRow, 0, Value::text(QStringLiteral("abc")), false, false},
        {"STROKE 12abc", kStrokeRow, 0, Value::text(QStringLiteral("12abc")), false, false},
        {"PUSH 70000", kPushRow, 0, Value::number(70000), false, false},
        {"PUSH 256", kPushRow, 0, Value::number(256), false, false},
        {"PUSH 0, out of range but shown", kPushRow, 0, Value::number(0), true, true},
        {"PULSE 65536", ParaRowNamed("PULSE"), 0, Value::number(65536), false, false},
        {"SEQ 300", kSeqRow, 0, Value::number(300), false, false},
        {"SEQ x", kSeqRow, 0, Value::text(QStringLiteral("x")), false, false},
        {"axis 2 PUSH abc", kPushRow, 1, Value::text(QStringLiteral("abc")), false, false},
        {"axis 2 PUSH 70000", kPushRow, 1, Value::number(70000), false, false},
        {"LS TIMER 12abc", ParaRowNamed("LS TIMER"), 0, Value::text(QStringLiteral("12abc")), false, false},
    };
    for (const Case& c : cases)
        for (Product p : {kTwo, kOne}) {
            ParaFileTable t(kParaFileRows);
            ParaRecordToTable(ValidParaRecord(p), p, t);
            t[size_t(c.row)][size_t(c.axis)] = c.v;
            EXPECT_EQ(!ParaTableMisfit(t, p).has_value(), p == kTwo ? c.twoFits : c.oneFits) << c.what << ", " << Name(p);
        }
}
