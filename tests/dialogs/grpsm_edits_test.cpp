// What counts as an edit in the group-data and sequence-macro windows, and
// the question before a command or the window's close gives edits up.
#include "dialogs/GrpWindow.h"
#include "dialogs/SmWindow.h"
#include "files/GrpSmFiles.h"
#include "testsupport/EditsQuestions.h"
#include "testsupport/GrpSmFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;
using rer::sim::SimFault;

namespace {

QString S(const char* s) { return QString::fromUtf8(s); }

} // namespace

// Start and end of every group count; the check's error marks do not. Save
// and write clear the mark only when they went through.
TEST(GrpEdits, WhatCountsAsChanged) {
    GrpSmWorld w;
    GrpEditor e(w.ctx, w.view);
    e.Form_Load();
    GrpTable& data = w.ctx.grp.GrpData;
    EXPECT_FALSE(e.modified());
    e.storeStart(4, S("9"));
    EXPECT_TRUE(e.modified());
    e.storeStart(4, S("1"));
    EXPECT_FALSE(e.modified()) << "back as it was";
    data[7][2] = 1;
    EXPECT_FALSE(e.modified()) << "an error mark is no edit";

    e.storeEnd(0, S("")); // group 1 ends at 0: the check refuses the save
    e.cmdGrpFileSave_Click();
    EXPECT_TRUE(w.files.saved.empty());
    EXPECT_TRUE(e.modified());
    data = SampleGroups();
    const QString path = w.tmp(S("g.grp"));
    w.files.answer(path);
    e.cmdGrpFileSave_Click();
    EXPECT_FALSE(e.modified()) << "saved";

    data[3][1] = 390;
    w.sim().faults.push_back(SimFault(SimFault::Error, 0, "00B", "0WG32"));
    w.msg.answer(MsgAnswer::Yes);
    e.cmdWriteGrp_Click();
    EXPECT_TRUE(w.l().TusinError);
    EXPECT_TRUE(e.modified()) << "a failed write";
    w.msg.answer(MsgAnswer::Yes);
    e.cmdWriteGrp_Click();
    EXPECT_EQ(w.sim().state.groups[3], std::make_pair(10, 390));
    EXPECT_FALSE(e.modified()) << "written";

    // Read: its own question first, then the one about the edits.
    data[9][0] = 2;
    w.msg.clear();
    w.msg.answer(MsgAnswer::Ok);
    w.msg.answer(MsgAnswer::No);
    e.cmdReadGrp_Click();
    EXPECT_EQ(MessageTexts(w.msg), (QStringList{S("Read the Group Data from controller, OK?"), kEditsReadQuestion}));
    EXPECT_EQ(data[9][0], 28);
    EXPECT_FALSE(e.modified()) << "read";

    // Open: the question before the dialog.
    data[9][0] = 3;
    w.msg.clear();
    w.msg.answer(MsgAnswer::No);
    w.files.answer(path);
    e.cmdGrpFileOpen_Click();
    EXPECT_EQ(MessageTexts(w.msg), QStringList{kEditsReplaceQuestion});
    EXPECT_EQ(data[9][0], SampleGroups()[9][0]);
    EXPECT_FALSE(e.modified()) << "opened";
}

// Commands and data of every step count; the END that a code 15 stands for
// is no edit when the check writes it as 0. Closing over edits: Cancel, a
// save the check refuses and a cancelled save keep the window; No lets it go.
TEST(SmEdits, WhatCountsAsChangedAndTheCloseQuestion) {
    GrpSmWorld w;
    SmEditor e(w.ctx, w.view);
    e.Form_Load();
    EXPECT_FALSE(e.modified());
    EXPECT_TRUE(e.comboMerei_LostFocus(3, 5));
    EXPECT_TRUE(e.modified());
    e.txtSmData_Change(3, S("4"));
    e.comboMerei_LostFocus(3, 0);
    e.txtSmData_Change(3, S("0"));
    EXPECT_FALSE(e.modified()) << "back as it was";

    // A file whose macro 2 ends in code 15: a verification's check makes it
    // 0, which the window showed as END all along.
    w.ctx.sm.SmData[5][2] = 15;
    const QString path = w.tmp(S("m.smd"));
    ASSERT_TRUE(WriteSmFile(w.ctx, path));
    w.ctx.sm.SmData[5][2] = 0;
    w.files.answer(path);
    e.cmdSmFileOpen_Click();
    EXPECT_EQ(w.ctx.sm.SmData[5][2], 15);
    EXPECT_FALSE(e.modified());
    w.files.answer(path);
    e.cmdSmFileShogo_Click();
    EXPECT_EQ(w.msg.lastText(), S("Result of Verify - NG\r\n<Unmatched items>\r\n SM No. 2,"));
    EXPECT_EQ(w.ctx.sm.SmData[5][2], 0);
    EXPECT_FALSE(e.modified());

    e.lblSqMacroNo_Change(4);
    e.comboMerei_LostFocus(0, 1); // macro 4: IN-ON with data 0, which the check refuses
    EXPECT_TRUE(e.modified());
    w.msg.clear();
    w.msg.answer(MsgAnswer::Cancel);
    EXPECT_FALSE(e.mayClose());
    w.msg.answer(MsgAnswer::Yes);
    EXPECT_FALSE(e.mayClose());
    e.txtSmData_Change(0, S("2"));
    w.msg.answer(MsgAnswer::Yes);
    w.files.answer(std::nullopt);
    EXPECT_FALSE(e.mayClose());
    w.msg.answer(MsgAnswer::No);
    EXPECT_TRUE(e.mayClose());
    EXPECT_EQ(MessageTexts(w.msg), (QStringList{kEditsCloseQuestion, kEditsCloseQuestion, S("Invalid data in some of SM Data.\r\nConfirm the value and try it again."),
                                         kEditsCloseQuestion, kEditsCloseQuestion}));
    EXPECT_TRUE(w.files.saved.size() == 1u && w.view.buttonsOn && w.view.selectorOn);
    EXPECT_FALSE(e.busy());

    // A saved table closes without a question.
    w.msg.clear();
    w.files.answer(w.tmp(S("s.smd")));
    e.cmdSmFileSave_Click();
    EXPECT_FALSE(e.modified());
    EXPECT_TRUE(e.mayClose());
    EXPECT_EQ(w.msg.shown.size(), 0u);
}
