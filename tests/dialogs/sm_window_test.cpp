// The sequence-macro window's logic: the check, the step boxes, the macro on
// show and every command against real files, the recording printer and the
// simulated controller.
#include "dialogs/GrpWindow.h"
#include "dialogs/SmWindow.h"
#include "files/GrpSmFiles.h"
#include "testsupport/FullDiskSave.h"
#include "testsupport/GrpSmFixture.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

const QString kInvalid = S("Invalid data in some of SM Data.\r\nConfirm the value and try it again.");

// Macros that pass the check: IN-ON 1..4, TIMER 1..9, END with any data.
SmTable ValidMacros() {
    SmTable sm{};
    for (size_t s = 0; s < 16; ++s) {
        for (size_t m = 0; m < 9; ++m) {
            const int kind = static_cast<int>((s + m) % 4);
            int16_t command = 0, data = 0;
            if (kind == 1) command = 1 + int16_t(m % 4), data = 1 + int16_t(s % 4);
            if (kind == 2) command = 5 + int16_t(m % 2), data = 1 + int16_t(s % 9);
            if (kind == 3) command = 0, data = int16_t(s);
            sm[s][2 * m] = command;
            sm[s][2 * m + 1] = data;
        }
    }
    return sm;
}

struct SmTest : ::testing::Test {
    GrpSmWorld w;
    SmEditor e{w.ctx, w.view};
    SmTable& data() { return w.ctx.sm.SmData; }
    void SetUp() override { e.Form_Load(); }
    void ctMacros(const SmTable& sm) {
        for (int m = 1; m <= 9; ++m) {
            QByteArray text;
            for (size_t s = 0; s < 16; ++s)
                for (size_t c = 0; c < 2; ++c)
                    text += QByteArray::number(sm[s][2 * size_t(m - 1) + c], 16).toUpper();
            w.sim().state.macros[static_cast<size_t>(m)] = text;
        }
    }
    void expectCommandEnded() {
        EXPECT_TRUE(w.view.buttonsOn);
        EXPECT_TRUE(w.view.selectorOn);
        EXPECT_FALSE(e.busy());
        EXPECT_FALSE(w.link->busy());
    }
};

} // namespace

TEST(SmRules, StepValidity) {
    struct { int command, data; bool valid; } cases[] = {
        {1, 0, false}, {1, 1, true}, {2, 4, true}, {4, 5, false}, {3, 3, true},
        {5, 0, false}, {5, 9, true}, {6, 9, true}, {6, 0, false}, {6, 10, false},
        {0, 0, true},  {0, 15, true}, {0, 16, false}, {15, 15, true}, {15, -1, false},
        {7, 1, false}, {14, 1, false}, {-1, 0, false},
    };
    for (const auto& c : cases) EXPECT_EQ(SmStepValid(c.command, c.data), c.valid) << c.command << "/" << c.data;
}

TEST(SmRules, DataBoxDigitsFollowTheCommand) {
    struct { int command; const char* before; const char* after; const char* kept; } cases[] = {
        {1, "", "1", "1"},  {4, "", "4", "4"},  {3, "", "5", ""},   {2, "", "0", ""},
        {5, "", "9", "9"},  {6, "", "0", ""},   {0, "", "0", "0"},  {-1, "", "9", "9"},
        {0, "", "a", ""},   {1, "", "２", "2"}, {1, "", "５", ""},
        {0, "1", "12", "1"},                    // one character at most
        {0, "1", "2", "2"},                     // over a selection it replaces
        {1, "1", "", ""},                       // Backspace
        {0, "15", "1", "1"},                    // a shown 15 (END) may shrink
    };
    for (const auto& c : cases) {
        int cursor = 0;
        const auto kept = BoxEdit(SmDataRule(c.command), QString::fromUtf8(c.before), QString::fromUtf8(c.after), cursor);
        EXPECT_EQ(kept.value_or(QString::fromUtf8(c.before)), QString::fromUtf8(c.kept))
            << c.before << " -> " << c.after << " with command " << c.command;
    }
}

TEST_F(SmTest, FreshWindowShowsEmptyMacroOne) {
    EXPECT_EQ(e.macro(), 1);
    EXPECT_EQ(w.view.shows, 1);
    for (int s = 0; s < 16; ++s) {
        EXPECT_EQ(e.commandIndex(s), 0);
        EXPECT_EQ(e.dataText(s), S("0"));
    }
    EXPECT_EQ(data(), SmTable{});
    e.SmData_Check();
    EXPECT_FALSE(e.SMDataNasi);
    EXPECT_EQ(SmCommandTexts().size(), 7);
    EXPECT_EQ(SmCommandTexts()[6], S("6. TIMER10"));
}

TEST_F(SmTest, EditsGoToTheMacroOnShow) {
    e.lblSqMacroNo_Change(4);
    EXPECT_EQ(e.macro(), 4);
    EXPECT_TRUE(e.comboMerei_LostFocus(2, 3));
    e.txtSmData_Change(2, S("2"));
    EXPECT_EQ(data()[2][6], 3);
    EXPECT_EQ(data()[2][7], 2);
    EXPECT_FALSE(e.comboMerei_LostFocus(3, -1)); // nothing chosen: beep, nothing stored
    EXPECT_EQ(data()[3][6], 0);
    e.txtSmData_Change(5, S(""));
    EXPECT_EQ(data()[5][7], 0);
    // A command chosen leaves the data; a data value that no longer fits
    // fails the next check.
    e.txtSmData_Change(0, S("7"));
    EXPECT_TRUE(e.comboMerei_LostFocus(0, 1));
    EXPECT_EQ(data()[0][7], 7);
    e.SmData_Check();
    EXPECT_TRUE(e.SMDataNasi);
}

TEST_F(SmTest, DisplayAndCheckOfEndCodeFifteen) {
    data()[0][0] = 15;
    data()[0][1] = 15;
    data()[1][0] = 9;
    EXPECT_EQ(e.commandIndex(0), 0);   // shown as "0. END"
    EXPECT_EQ(e.commandIndex(1), -1);  // left as the list was
    e.SMDataNasi = false;
    e.SmData_Check();
    EXPECT_EQ(data()[0][0], 0);
    EXPECT_EQ(data()[0][1], 15);
    EXPECT_TRUE(e.SMDataNasi); // the code 9
    data()[1][0] = 0;
    e.SMDataNasi = false;
    e.SmData_Check();
    EXPECT_FALSE(e.SMDataNasi);
}

TEST_F(SmTest, InvalidDataInAnyMacroStopEveryCheckingCommand) {
    data() = ValidMacros();
    data()[4][12] = 1; // macro 7, IN-ON
    data()[4][13] = 5;
    w.files.answer(w.tmp(S("never.smd")));
    using Cmd = void (SmEditor::*)();
    for (Cmd c : {&SmEditor::cmdWriteSMtoCt_Click, &SmEditor::cmdSmCTShogo_Click, &SmEditor::cmdSmFileSave_Click,
                  &SmEditor::cmdSmFileShogo_Click, &SmEditor::cmdSMDispPrint_Click}) {
        w.msg.clear();
        (e.*c)();
        ASSERT_EQ(w.msg.shown.size(), 1u);
        EXPECT_EQ(w.msg.lastText(), kInvalid);
        EXPECT_TRUE(e.SMDataNasi);
        expectCommandEnded();
    }
    EXPECT_EQ(e.macro(), 1);
    EXPECT_TRUE(w.sim().received.empty());
    EXPECT_TRUE(w.files.saved.empty());
    EXPECT_TRUE(w.files.opened.empty());
    EXPECT_FALSE(w.printed());
    EXPECT_FALSE(QFile::exists(w.tmp(S("never.smd"))));
}

// The disk refuses the write: the former group or macro file stays byte for
// byte and the save is reported as failed.
TEST(GrpSmFullDisk, ASaveKeepsTheFormerFile) {
    for (bool grp : {true, false}) {
        for (int16_t language : {1, 2}) {
            GrpSmWorld w(language);
            GrpEditor g{w.ctx, w.view};
            SmEditor m{w.ctx, w.view};
            g.Form_Load();
            m.Form_Load();
            auto save = [&] { grp ? g.cmdGrpFileSave_Click() : m.cmdSmFileSave_Click(); };
            const QString path = w.tmp(grp ? S("kept.grp") : S("kept.smd"));
            w.files.answer(path);
            save();
            w.ctx.grp.GrpData = SampleGroups();
            w.ctx.sm.SmData = ValidMacros();
            w.files.answer(path);
            const QString told = grp ? w.ctx.pick(S("グループデータの保存でエラーが発生しました。"),
                                                  S("An error occured while saving Group Data."))
                                     : w.ctx.pick(S("シーケンスマクロデータの保存でエラーが発生しました。"),
                                                  S("An error occured while saving SM Data."));
            const QString failed = WriteFailureText(told, path, ReasonWords(EFBIG, language));
            EXPECT_EQ(SaveOnFullDisk(path, [&] { return save(), ShownTexts(w.msg); }), QStringList{failed}) << grp;

            // The user's own file in a folder that takes no new file, on a
            // disk that takes the copy of the former file only: the file is
            // left incomplete, and the user is told so and where its former
            // content is.
            {
                QFile former(path);
                ASSERT_TRUE(former.open(QIODevice::WriteOnly));
                former.write("\"former\"\r\n");
            }
            w.files.answer(path);
            const InPlaceSave inPlace = SaveInPlacePartWay(path, [&] { return save(), ShownTexts(w.msg); });
            const QString incomplete = WriteFailureText(told, path, InPlaceFailureWords(EFBIG, inPlace.copy, language));
            EXPECT_EQ(inPlace.report, QStringList{incomplete}) << grp;
            if (language == 1) {
                for (const QString& text : {failed, incomplete})
                    EXPECT_EQ(LatinWords(text, {path, inPlace.copy}), QStringList()) << text.toStdString();
            }
        }
    }
}

TEST_F(SmTest, SaveOpenAndTheirFailures) {
    data() = ValidMacros();
    const QString path = w.tmp(S("m.smd"));
    w.files.answer(path);
    e.cmdSmFileSave_Click();
    ASSERT_EQ(w.files.saved.size(), 1u);
    EXPECT_EQ(w.files.saved[0].fileName, S("kzw6sm.smd"));
    EXPECT_EQ(w.files.saved[0].title, S("Save SM Data as ..."));
    EXPECT_EQ(w.files.saved[0].kind, FileKind::Macro);
    EXPECT_EQ(w.files.saved[0].filter, S("SM Data(*.smd)|*.smd|All files(*.*)|*.*"));
    EXPECT_TRUE(w.files.saved[0].confirmOverwrite);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(w.msg.shown.empty());

    // A save that cannot write is told, with the file and the reason.
    w.files.answer(w.tmp(S("no/such/dir/m.smd")));
    e.cmdSmFileSave_Click();
    EXPECT_EQ(w.msg.lastText(), WriteFailureText(S("An error occured while saving SM Data."), w.tmp(S("no/such/dir/m.smd")),
                                                 ReasonWords(ENOENT, 2)));

    e.Form_Load();
    w.files.answer(path);
    e.cmdSmFileOpen_Click();
    EXPECT_EQ(w.files.opened.back().title, S("Open SM Data file"));
    EXPECT_EQ(data(), ValidMacros());

    // A refused file: the reader's message, then the window's; editor kept.
    const QString bad = w.tmp(S("bad.smd"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"VO-D6\",\"GRP\"\r\n99,3\r\n");
    }
    w.msg.clear();
    w.files.answer(bad);
    e.cmdSmFileOpen_Click();
    // Told once: the reader's refusal, over the file's name.
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.shown[0].text, S("Not SM Data file for DI-D6. Opening file is canceled.\r\n") + QFileInfo(bad).absoluteFilePath());
    EXPECT_EQ(data(), ValidMacros());
    w.files.answer(std::nullopt);
    e.cmdSmFileOpen_Click();
    EXPECT_EQ(w.msg.shown.size(), 1u); // a cancelled dialog tells nothing
    expectCommandEnded();
}

TEST_F(SmTest, VerifyWithAFile) {
    data() = ValidMacros();
    const QString path = w.tmp(S("v.smd"));
    ASSERT_TRUE(WriteSmFile(w.ctx, path));
    ASSERT_EQ(data()[0][0], 0);
    data()[0][0] = 15; // END either way: the check turns it into 0
    w.files.answer(path);
    e.cmdSmFileShogo_Click();
    EXPECT_EQ(w.files.opened.back().title, S("Open SM Data file to be verified"));
    EXPECT_EQ(w.msg.lastText(), S("Result of Verify - OK"));
    EXPECT_EQ(data()[0][0], 0);

    data()[3][3] = data()[3][3] == 0 ? 1 : 0;        // macro 2
    data()[9][9] = data()[9][8] == 0 ? 3 : data()[9][9] == 1 ? 2 : 1; // macro 5
    e.SMDataNasi = false;
    e.SmData_Check();
    ASSERT_FALSE(e.SMDataNasi);
    w.files.answer(path);
    e.cmdSmFileShogo_Click();
    EXPECT_EQ(w.msg.lastText(), S("Result of Verify - NG\r\n<Unmatched items>\r\n SM No. 2, 5,"));

    // A file that cannot be read: the window's words over the file and the
    // system's reason.
    w.files.answer(w.tmp(S("missing.smd")));
    e.cmdSmFileShogo_Click();
    EXPECT_EQ(w.msg.lastText(), WriteFailureText(S("An error occured while opening SM Data file."),
                                                 w.tmp(S("missing.smd")), SystemWords(ENOENT)));
    expectCommandEnded();
}

TEST_F(SmTest, PrintTheDisplayOrAFile) {
    data() = ValidMacros();
    w.msg.answer(MsgAnswer::Cancel);
    e.cmdSMDispPrint_Click();
    EXPECT_EQ(w.msg.lastText(), S("Printing SM Data indicated in display."));
    EXPECT_EQ(w.msg.shown.back().buttons, MsgButtons::OkCancel);
    EXPECT_FALSE(w.printed());
    EXPECT_EQ(w.view.calls, (QStringList{S("Muko"), S("AllYuko")}));

    e.cmdSMDispPrint_Click();
    EXPECT_TRUE(w.printed());
    EXPECT_EQ(w.ctx.sm.SmFileName, S("INDICATED DATA"));
    EXPECT_FALSE(w.ctx.print.PrintFileFlag);
    EXPECT_EQ(w.ctx.sm.SmFileData, ValidMacros());

    // A file prints whatever the editor holds; the editor stays.
    const QString path = w.tmp(S("print.smd"));
    ASSERT_TRUE(WriteSmFile(w.ctx, path));
    data()[0][0] = 9;
    const SmTable editor = data();
    w.printer.ops.clear();
    w.msg.clear();
    w.files.answer(path);
    e.cmdSMFilePrint_Click();
    EXPECT_TRUE(w.msg.shown.empty());
    EXPECT_EQ(w.files.opened.back().title, S("Open SM Data file to be Printed"));
    EXPECT_TRUE(w.printed());
    EXPECT_TRUE(w.ctx.print.PrintFileFlag);
    EXPECT_EQ(w.ctx.sm.SmFileName, S("print.smd"));
    EXPECT_EQ(data(), editor);

    w.printer.ops.clear();
    w.files.answer(w.tmp(S("missing.smd")));
    e.cmdSMFilePrint_Click();
    EXPECT_EQ(w.msg.lastText(), WriteFailureText(S("Error occured while opening SM Data file."),
                                                 w.tmp(S("missing.smd")), SystemWords(ENOENT)));
    EXPECT_FALSE(w.printed());
    expectCommandEnded();
}

TEST_F(SmTest, ReadFromTheControllerKeepsTheSelectorUsable) {
    ctMacros(ValidMacros());
    w.msg.answer(MsgAnswer::Cancel);
    e.cmdReadSMfromCt_Click();
    EXPECT_TRUE(w.sim().received.empty());
    EXPECT_EQ(w.msg.lastText(), S("Read the SM Data from controller, Ok?"));
    EXPECT_EQ(data(), SmTable{});

    e.cmdReadSMfromCt_Click();
    EXPECT_EQ(data(), ValidMacros());
    EXPECT_EQ(w.view.calls, (QStringList{S("Muko"), S("Yuko"), S("Muko"), S("Yuko")}));
    expectCommandEnded();
}

TEST_F(SmTest, AFailedReadLeavesTheEditor) {
    ctMacros(ValidMacros());
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0RM4"));
    e.cmdReadSMfromCt_Click();
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_EQ(data(), SmTable{});
    expectCommandEnded();
}

TEST_F(SmTest, VerifyWithTheController) {
    SmTable ct = ValidMacros();
    data() = ct;
    ct[0][2] = ct[0][2] == 0 ? 1 : 0;
    ct[0][3] = 1;
    ct[15][9] = ct[15][9] == 1 ? 2 : 1;
    ct[15][8] = 1;
    ctMacros(ct);
    e.cmdSmCTShogo_Click();
    EXPECT_EQ(w.msg.lastText(), S("Result of Verify - NG\r\n<Unmatched items>\r\n SM No. 2, 5,"));
    EXPECT_EQ(data(), ValidMacros());
    EXPECT_EQ(w.view.calls, (QStringList{S("AllMuko"), S("AllYuko")}));
    ctMacros(ValidMacros());
    e.cmdSmCTShogo_Click();
    EXPECT_EQ(w.msg.lastText(), S("Result of Verify - OK"));
    expectCommandEnded();
}

TEST_F(SmTest, WriteOnYesAndAFailedWriteIsNeverCommitted) {
    data() = ValidMacros();
    w.msg.answer(MsgAnswer::No);
    e.cmdWriteSMtoCt_Click();
    EXPECT_EQ(w.msg.lastText(), S("SM Data is transmitted to controller,Yes?"));
    EXPECT_EQ(w.msg.shown.back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(w.sim().received.empty());

    const auto before = w.sim().state.macros;
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0WM5"));
    e.cmdWriteSMtoCt_Click();
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_EQ(w.sim().state.commits, 0);
    EXPECT_EQ(w.sim().state.macros, before);
    EXPECT_EQ(w.sim().received.size(), 5u);
    expectCommandEnded();

    w.sim().received.clear();
    e.cmdWriteSMtoCt_Click();
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_EQ(w.sim().state.commits, 1);
    EXPECT_EQ(w.sim().received.back(), QByteArray("0WE1"));
    EXPECT_EQ(w.ctx.sm.SmRangeStart, 1);
    EXPECT_EQ(w.ctx.sm.SmRangeEnd, 9);
    // Read back over emptied macros (No: they go), the controller holds the
    // editor's macros.
    w.ctx.sm.SmData = SmTable{};
    w.msg.answer(MsgAnswer::Ok);
    w.msg.answer(MsgAnswer::No);
    e.cmdReadSMfromCt_Click();
    EXPECT_EQ(data(), ValidMacros());
    expectCommandEnded();
}

TEST(SmJapanese, MessagesFollowTheLanguage) {
    GrpSmWorld w(1);
    SmEditor e(w.ctx, w.view);
    e.Form_Load();
    w.ctx.sm.SmData[0][0] = 8;
    e.cmdWriteSMtoCt_Click();
    EXPECT_EQ(w.msg.lastText(),
              S("ｼｰｹﾝｽ・ﾏｸﾛのﾃﾞｰﾀに不正な値が含まれています。\r\n値を確認し、再度実行して下さい。"));
    w.files.answer(std::nullopt);
    e.cmdSMFilePrint_Click();
    EXPECT_EQ(w.files.opened.back().title, S("印刷するＳＭデータファイルを開く"));
    EXPECT_EQ(w.files.opened.back().filter, S("ＳＭデータ(*.smd)|*.smd|すべてのファイル(*.*)|*.*"));
}
