// The parameter editor's write, read and verification through the real
// serial port against the simulated controller on a pseudo-terminal.
#include "link/CtError.h"
#include "setup/ParamEditor.h"
#include "sim/PtySim.h"
#include "testsupport/LinkFixture.h"
#include "testsupport/ParamFixture.h"
#include "testsupport/TransferFixture.h"

#include <gtest/gtest.h>

using namespace rer;
using namespace rer::test;

TEST(ParamEditorPty, WriteReadBackAndVerify) {
    sim::PtySim pty;
    ASSERT_TRUE(pty.start());
    qputenv("RER6O250_COM1", pty.devicePath().toLocal8Bit());
    {
        LinkWorld w(std::make_unique<QtSerialPort>());
        Get_ErrorList(w.ctx);
        w.ctx.opt.PortNo = 1;
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

            // Read back into empty controls (no save question), then verify.
            window.c = ParaControls();
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
    qunsetenv("RER6O250_COM1");
}
