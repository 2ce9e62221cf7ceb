// The group-data window's logic: the check, the row boxes, paging and every
// command against real files, the recording printer and the simulated
// controller.
#include "dialogs/GrpWindow.h"
#include "files/GrpSmFiles.h"
#include "testsupport/GrpSmFixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

struct GrpTest : ::testing::Test {
    GrpSmWorld w;
    GrpEditor e{w.ctx, w.view};
    GrpTable& data() { return w.ctx.grp.GrpData; }
    void SetUp() override { e.Form_Load(); }
    // The controller holds these groups.
    void ctGroups(const GrpTable& g) {
        for (size_t n = 1; n <= 99; ++n) w.sim().state.groups[n] = {g[n][0], g[n][1]};
    }
    void expectCommandEnded() {
        EXPECT_TRUE(w.view.buttonsOn);
        EXPECT_FALSE(e.busy());
        EXPECT_FALSE(w.link->busy());
    }
};

const QString kInvalidC = S("Invalid value in some of Group Data.\r\nConfirm the value and try it again.");

} // namespace

TEST(GrpRules, ValidGroups) {
    struct { int start, end; bool valid; } cases[] = {
        {1, 1, true},   {5, 5, true},    {1, 399, true}, {398, 399, true}, {6, 5, false},
        {0, 5, false},  {400, 400, false}, {5, 0, false}, {5, 400, false}, {-1, 3, false},
    };
    for (const auto& c : cases) EXPECT_EQ(GrpValid(c.start, c.end), c.valid) << c.start << "-" << c.end;
}

TEST(GrpRules, RowBoxTakesThreeDigits) {
    struct { const char* before; const char* after; const char* kept; } cases[] = {
        {"", "7", "7"},      {"12", "120", "120"}, {"", "a", ""},       {"", "-", ""},
        {"1", "1.", "1"},    {"12", "1", "1"},     {"123", "12", "12"},  // Backspace, also in a full box
        {"123", "1234", "123"},                     // a fourth digit is ignored
        {"123", "143", "143"},                      // over a selection it replaces
        {"", "３９９", "399"},                      // full-width digits taken as plain ones
        {"", "12345", "123"},                       // a paste is cut to 3 digits
    };
    for (const auto& c : cases) {
        int cursor = 0;
        const auto kept = BoxEdit(kGrpBoxRule, QString::fromUtf8(c.before), QString::fromUtf8(c.after), cursor);
        EXPECT_EQ(kept.value_or(QString::fromUtf8(c.before)), QString::fromUtf8(c.kept)) << c.before << " -> " << c.after;
    }
}

TEST(GrpRules, BoxNumbers) {
    struct { const char* text; int value; } cases[] = {
        {"", 0}, {"12", 12}, {"399", 399}, {"12x", 12}, {"x12", 0}, {"99999999", 32767}, {"1e9", 32767},
    };
    for (const auto& c : cases) EXPECT_EQ(BoxNumber(S(c.text)), c.value) << c.text;
}

TEST_F(GrpTest, FreshWindowHoldsOneToOneAndPassesTheCheck) {
    for (size_t g = 0; g <= 99; ++g) {
        EXPECT_EQ(data()[g][0], 1);
        EXPECT_EQ(data()[g][1], 1);
    }
    EXPECT_EQ(w.view.shows, 1);
    EXPECT_EQ(e.pageOffset(), 0);
    EXPECT_EQ(GrpEditor::initialRowLabel(0), S(" 1."));
    EXPECT_EQ(GrpEditor::initialRowLabel(32), S("33."));
    w.ctx.grp.GrpRangeStart = 1;
    w.ctx.grp.GrpRangeEnd = 99;
    EXPECT_TRUE(e.GrpData_Check());
    EXPECT_FALSE(e.GrpMukoDataAri);
}

TEST_F(GrpTest, PagesAndRowBoxesAddressTheirGroups) {
    e.setPage(2);
    EXPECT_EQ(e.pageOffset(), 66);
    EXPECT_EQ(e.rowLabel(0), S("67."));
    EXPECT_EQ(e.rowLabel(32), S("99."));
    e.storeStart(0, S(""));     // a cleared box stores 0
    e.storeEnd(32, S("12"));
    EXPECT_EQ(data()[67][0], 0);
    EXPECT_EQ(data()[99][1], 12);
    EXPECT_EQ(e.endText(32), S("12"));
    e.setPage(1);
    e.storeStart(3, S("250"));
    EXPECT_EQ(data()[37][0], 250);
    e.setPage(7); // no page chosen: the first
    EXPECT_EQ(e.pageOffset(), 0);
    EXPECT_EQ(e.startText(0), S("1"));
}

TEST_F(GrpTest, CheckCoversEveryGroupOfTheRangeAndChangesNothing) {
    w.ctx.grp.GrpRangeStart = 1;
    w.ctx.grp.GrpRangeEnd = 99;
    struct { int g, start, end; } cases[] = {{99, 400, 400}, {70, 6, 5}, {2, 0, 1}};
    for (const auto& [g, start, end] : cases) {
        e.Form_Load();
        data()[static_cast<size_t>(g)] = {static_cast<int16_t>(start), static_cast<int16_t>(end), 0};
        const GrpTable before = data();
        EXPECT_FALSE(e.GrpData_Check()) << g;
        EXPECT_TRUE(e.GrpMukoDataAri) << g;
        EXPECT_EQ(data(), before);
        // A check of a range without the group passes and clears the flag.
        w.ctx.grp.GrpRangeStart = static_cast<int16_t>(g == 2 ? 3 : 1);
        w.ctx.grp.GrpRangeEnd = static_cast<int16_t>(g == 2 ? 99 : g - 1);
        EXPECT_TRUE(e.GrpData_Check()) << g;
        EXPECT_FALSE(e.GrpMukoDataAri) << g;
        w.ctx.grp.GrpRangeStart = 1;
        w.ctx.grp.GrpRangeEnd = 99;
    }
}

TEST_F(GrpTest, SaveWritesTheEditorTableOpenBringsItBack) {
    data() = SampleGroups();
    const QString path = w.tmp(S("groups"));
    w.files.answer(path);
    e.cmdGrpFileSave_Click();
    expectCommandEnded();
    ASSERT_EQ(w.files.saved.size(), 1u);
    const FileDialogRequest& r = w.files.saved[0];
    EXPECT_EQ(r.title, S("Save GRP Data as ..."));
    EXPECT_EQ(r.fileName, S("kzw6grp1.grp"));
    EXPECT_EQ(r.filter, S("GRP Data(*.grp)|*.grp|All files(*.*)|*.*"));
    EXPECT_EQ(r.defaultExt, S("grp"));
    EXPECT_TRUE(r.confirmOverwrite);
    ASSERT_TRUE(QFile::exists(path + S(".grp"))); // the default extension
    EXPECT_TRUE(w.ctx.pos.two.SaveFileName.isEmpty()); // the position file name is not touched

    e.Form_Load();
    const int shows = w.view.shows;
    w.files.answer(path + S(".grp"));
    e.cmdGrpFileOpen_Click();
    expectCommandEnded();
    ASSERT_EQ(w.files.opened.size(), 1u);
    EXPECT_EQ(w.files.opened[0].title, S("Open GRP Data file"));
    EXPECT_EQ(w.files.opened[0].kind, FileKind::Group);
    EXPECT_TRUE(w.files.opened[0].mustExist);
    for (size_t g = 1; g <= 99; ++g) {
        EXPECT_EQ(data()[g][0], SampleGroups()[g][0]);
        EXPECT_EQ(data()[g][1], SampleGroups()[g][1]);
    }
    EXPECT_EQ(w.view.shows, shows + 1);
    EXPECT_TRUE(w.msg.shown.empty());
}

TEST_F(GrpTest, InvalidDataStopSaveAndPrintOfTheDisplayBeforeAnyDialog) {
    data()[50][0] = 400;
    e.cmdGrpFileSave_Click();
    EXPECT_EQ(w.msg.lastText(), kInvalidC);
    e.cmdGrpDataPrint_Click();
    EXPECT_EQ(w.msg.lastText(), kInvalidC);
    EXPECT_EQ(w.msg.shown.size(), 2u);
    EXPECT_EQ(w.msg.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(w.msg.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(w.files.saved.empty());
    EXPECT_EQ(w.files.printerShown, 0);
    EXPECT_FALSE(w.printed());
    EXPECT_TRUE(e.GrpMukoDataAri);
    expectCommandEnded();
    EXPECT_EQ(w.view.calls, (QStringList{S("Muko"), S("Yuko"), S("Muko"), S("Yuko")}));
}

TEST_F(GrpTest, OpenOfARefusedOrCancelledFileLeavesTheEditor) {
    data() = SampleGroups();
    const GrpTable before = data();
    const QString bad = w.tmp(S("bad.grp"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"VO-D6\",\"SM\"\r\n16,2,9\r\n");
    }
    // The edits are given up (No) only once a file takes their place.
    for (int i = 0; i < 3; ++i) w.msg.answer(MsgAnswer::No);
    w.files.answer(bad);
    e.cmdGrpFileOpen_Click();
    EXPECT_EQ(w.msg.lastText(), S("Not GRP Data file for DI-D6. Opening file is canceled.\r\n") + QFileInfo(bad).absoluteFilePath());
    w.files.answer(std::nullopt);
    e.cmdGrpFileOpen_Click();
    w.files.answer(S(""));
    e.cmdGrpFileOpen_Click();
    EXPECT_EQ(data(), before);
    EXPECT_EQ(w.msg.shown.size(), 4u); // three questions and the reader's message
    EXPECT_TRUE(e.modified());
    expectCommandEnded();
}

TEST_F(GrpTest, VerifyWithAFileListsTheDifferingGroups) {
    data() = SampleGroups();
    const QString path = w.tmp(S("v.grp"));
    ASSERT_TRUE(WriteGrpFile(w.ctx, path));
    w.files.answer(path);
    e.cmdGrpFileVerify_Click();
    EXPECT_EQ(w.msg.lastText(), S("Result of Verify - OK"));
    EXPECT_EQ(w.files.opened.back().title, S("Open GRP Data file to be Verified"));

    data()[3][0] = 5;
    data()[17][1] = 390;
    const GrpTable edited = data();
    w.files.answer(path);
    e.cmdGrpFileVerify_Click();
    EXPECT_EQ(w.msg.lastText(),
              S("Result of Verify - NG\r\n<Unmatched Group No.>\r\n Group No. 3, 17,"));
    EXPECT_EQ(data(), edited);
    EXPECT_EQ(w.ctx.grp.GrpRangeStart, 1);
    EXPECT_EQ(w.ctx.grp.GrpRangeEnd, 99);

    data()[60][1] = 0;
    const size_t dialogs = w.files.opened.size();
    e.cmdGrpFileVerify_Click();
    EXPECT_EQ(w.msg.lastText(), kInvalidC);
    EXPECT_EQ(w.files.opened.size(), dialogs);
    expectCommandEnded();
}

TEST_F(GrpTest, PrintTheDisplayOrAFile) {
    data() = SampleGroups();
    e.cmdGrpDataPrint_Click();
    EXPECT_TRUE(w.printed());
    EXPECT_EQ(w.ctx.grp.GrpFileName, S("INDICATED DATA"));
    EXPECT_FALSE(w.ctx.print.PrintFileFlag);
    EXPECT_EQ(w.ctx.grp.GrpFileData[5][0], SampleGroups()[5][0]);
    EXPECT_TRUE(w.msg.shown.empty()); // no confirmation

    // A file prints even while the editor holds invalid data.
    const QString path = w.tmp(S("print.grp"));
    ASSERT_TRUE(WriteGrpFile(w.ctx, path));
    data()[1][0] = 0;
    const GrpTable editor = data();
    w.printer.ops.clear();
    w.files.answer(path);
    e.cmdGrpFilePrint_Click();
    EXPECT_TRUE(e.GrpMukoDataAri);
    ASSERT_EQ(w.msg.shown.size(), 1u);
    EXPECT_EQ(w.msg.shown[0].text, S("Printing Group Data saved into the file."));
    EXPECT_EQ(w.msg.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(w.msg.shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(w.files.opened.back().title, S("Open GRP Data file to be printed"));
    EXPECT_TRUE(w.printed());
    EXPECT_TRUE(w.ctx.print.PrintFileFlag);
    EXPECT_EQ(w.ctx.grp.GrpFileName, S("print.grp"));
    EXPECT_EQ(data(), editor);

    // Cancel at the question: no dialog, nothing printed.
    w.printer.ops.clear();
    const size_t dialogs = w.files.opened.size();
    w.msg.answer(MsgAnswer::Cancel);
    e.cmdGrpFilePrint_Click();
    EXPECT_EQ(w.files.opened.size(), dialogs);
    EXPECT_FALSE(w.printed());
    expectCommandEnded();
}

TEST_F(GrpTest, ReadFromTheControllerFillsTheEditor) {
    ctGroups(SampleGroups());
    w.msg.answer(MsgAnswer::Cancel);
    e.cmdReadGrp_Click();
    EXPECT_TRUE(w.sim().received.empty());
    EXPECT_EQ(data()[7][0], 1);
    EXPECT_EQ(w.msg.shown[0].text, S("Read the Group Data from controller, OK?"));
    EXPECT_EQ(w.msg.shown[0].buttons, MsgButtons::OkCancel);

    const int shows = w.view.shows;
    e.cmdReadGrp_Click();
    EXPECT_EQ(w.sim().received.size(), 99u);
    for (size_t g = 1; g <= 99; ++g) {
        EXPECT_EQ(data()[g][0], SampleGroups()[g][0]);
        EXPECT_EQ(data()[g][1], SampleGroups()[g][1]);
    }
    EXPECT_EQ(w.view.shows, shows + 1);
    expectCommandEnded();
}

TEST_F(GrpTest, AFailedReadLeavesTheEditor) {
    ctGroups(SampleGroups());
    const GrpTable before = data();
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0RG32"));
    e.cmdReadGrp_Click();
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_EQ(data(), before);
    expectCommandEnded();
}

TEST_F(GrpTest, VerifyWithTheControllerKeepsTheEditor) {
    GrpTable ct = SampleGroups();
    data() = ct;
    ct[3][0] = 2;
    ct[17][1] = 398;
    ctGroups(ct);
    const GrpTable before = data();
    e.cmdGrpCtVerify_Click();
    EXPECT_EQ(w.msg.lastText(), S("Result of Verify - NG\r\n<Unmatched group No.>\r\n Group No. 3, 17,"));
    EXPECT_EQ(data(), before);

    ctGroups(before);
    e.cmdGrpCtVerify_Click();
    EXPECT_EQ(w.msg.lastText(), S("Result of Verify - OK"));

    // A failed read ends without a message of the window.
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0RG05"));
    const size_t messages = w.msg.shown.size();
    e.cmdGrpCtVerify_Click();
    ASSERT_EQ(w.msg.shown.size(), messages + 1); // the link's own message
    EXPECT_NE(w.msg.lastText(), S("Result of Verify - OK"));
    expectCommandEnded();
}

TEST_F(GrpTest, WriteSendsCheckedDataOnYesOnly) {
    data() = SampleGroups();
    w.msg.answer(MsgAnswer::No);
    e.cmdWriteGrp_Click();
    EXPECT_EQ(w.msg.lastText(), S("Group Data is transmitted to controller,Yes?"));
    EXPECT_EQ(w.msg.shown.back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(w.msg.shown.back().icon, MsgIcon::Question);
    EXPECT_TRUE(w.sim().received.empty());

    e.cmdWriteGrp_Click();
    EXPECT_FALSE(w.l().TusinError);
    EXPECT_EQ(w.sim().state.commits, 1);
    for (size_t g = 1; g <= 99; ++g)
        EXPECT_EQ(w.sim().state.groups[g], std::make_pair(int(data()[g][0]), int(data()[g][1])));
    expectCommandEnded();
}

TEST_F(GrpTest, InvalidDataAreNeverWritten) {
    data() = SampleGroups();
    data()[80] = {10, 9, 0};
    e.cmdWriteGrp_Click();
    EXPECT_EQ(w.msg.lastText(),
              S("Invalid value in some of Group Data.\r\nConfirm the following item ant try it again.\r\n"
                " 1.Is the value setting the range of 1 to 399?\r\n"
                " 2.Isn't value of start position bigger than one of end position."));
    EXPECT_EQ(w.msg.shown.size(), 1u);
    EXPECT_TRUE(w.sim().received.empty());
    expectCommandEnded();
}

TEST_F(GrpTest, AWriteFailingMidwayIsNeverCommitted) {
    data() = SampleGroups();
    const auto before = w.sim().state.groups;
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0WG32"));
    e.cmdWriteGrp_Click();
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_EQ(w.sim().state.commits, 0);
    EXPECT_EQ(w.sim().state.groups, before);
    EXPECT_EQ(w.sim().received.size(), 50u);
    expectCommandEnded();
}

TEST(GrpJapanese, MessagesFollowTheLanguage) {
    GrpSmWorld w(1);
    GrpEditor e(w.ctx, w.view);
    e.Form_Load();
    w.ctx.grp.GrpData[4][1] = 0;
    e.cmdGrpCtVerify_Click();
    EXPECT_EQ(w.msg.lastText(), S("ｸﾞﾙｰﾌﾟﾃﾞｰﾀに不正な値が含まれています。\r\n値を確認後、再度行って下さい。"));
    w.ctx.grp.GrpData[4][1] = 1;
    GrpTable ct = w.ctx.grp.GrpData;
    ct[9][0] = 3;
    for (size_t n = 1; n <= 99; ++n) w.sim().state.groups[n] = {ct[n][0], ct[n][1]};
    e.cmdGrpCtVerify_Click();
    EXPECT_EQ(w.msg.lastText(), S("照合結果－ＮＧ\r\n<一致しなかったグループNo>\r\n グループNo. 9,"));
    w.files.answer(std::nullopt);
    e.cmdGrpFileSave_Click();
    EXPECT_EQ(w.files.saved.back().title, S("名前を付けて保存する"));
    EXPECT_EQ(w.files.saved.back().filter, S("ＧＲＰデータ(*.grp)|*.grp|すべてのファイル(*.*)|*.*"));
}
