// The parameter editor's write, read and verification through the real
// serial port against the simulated controller on a pseudo-terminal.
#include "setup/ParamEditor.h"
#include "testsupport/ParamFixture.h"
#include "testsupport/PtyLinkWorld.h"
#include "testsupport/TransferFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;

TEST(ParamEditorPty, WriteReadBackAndVerify) {
    PtyLinkWorld pw;
    ASSERT_TRUE(pw.start());
    sim::PtySim& pty = pw.pty;
    {
        LinkWorld& w = *pw.world;
        ProgressRecorder progress;
        w.link->setProgress(&progress);
        for (Product p : {Product::TwoAxis, Product::OneAxis}) {
            FakeParamWindow window;
            FrameRecorder frame;
            ParamEditor editor(w.ctx, p, window, &frame, nullptr);
            window.c = ControlsShowing(ValidParaRecord(p, 5), p);
            const ParaControls written = window.c;
            w.msg.clear();
            w.msg.answer(MsgAnswer::Yes);
            editor.cmdParaWrite_Click();
            EXPECT_EQ(w.msg.lastText(), QStringLiteral("Completed writing parameters. ")) << int(p);

            // Read back into emptied controls (No to the save question), then verify.
            window.c = ParaControls();
            w.msg.answer(MsgAnswer::No);
            editor.cmdParaRead_Click();
            EXPECT_EQ(window.c.text, written.text) << int(p);
            EXPECT_EQ(window.c.combo, written.combo) << int(p);
            w.msg.clear();
            editor.cmdConpareCT_Click();
            EXPECT_EQ(w.msg.lastText(), QStringLiteral("Result of Verify - OK")) << int(p);
            EXPECT_TRUE(window.buttonsEnabled);
        }
        EXPECT_EQ(pty.withSim([](sim::CtSim& s) { return s.state.commits; }), 2);
    }
}
