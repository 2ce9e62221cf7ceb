// The position write and read through the real serial port against the
// simulated controller on a pseudo-terminal.
#include "link/CtError.h"
#include "platform/SerialPort.h"
#include "sim/PtySim.h"
#include "testsupport/PositionLinkWorld.h"

#include <gtest/gtest.h>

namespace rer {
namespace {

using sim::CtSim;

TEST(PtyPosition, WriteThenReadBack) {
    sim::PtySim pty;
    ASSERT_TRUE(pty.start());
    qputenv("RER6O250_COM1", pty.devicePath().toLocal8Bit());
    {
        test::PositionLinkWorld w(1, false, std::make_unique<QtSerialPort>());
        Get_ErrorList(w.ctx);
        w.ctx.opt.PortNo = 1;
        pty.withSim([](CtSim& s) {
            for (char b : {'0', '4'}) s.state.paramBlocks[b].replace(14, 6, "0FFFFF");
        });
        w.fillGrid();
        const auto shown = w.grid().snapshot();
        ASSERT_TRUE(PosidataLoadtoCtProc(w.ctx, *w.link, w.host, Product::TwoAxis));
        EXPECT_EQ(w.msg.lastText(), QStringLiteral("Completed data transmit."));
        const QByteArray p200 = pty.withSim([](CtSim& s) { return s.state.positions[200]; });
        EXPECT_EQ(p200, sim::PositionRecord(3, 3, 0, 2600, 6, 1, 2, 1400, 0, 0, 0));

        SetUpPositionGrid(w.ctx, Product::TwoAxis);
        w.ctx.pos.two.PosiData = PosiDataTable(kPosiRows);
        w.msg.clear();
        ASSERT_TRUE(PosidataGetfromCtProc(w.ctx, *w.link, w.host, Product::TwoAxis));
        const auto back = w.grid().snapshot();
        for (size_t i = 13; i < back.size(); ++i)
            if (i % 13 != 12) {
                EXPECT_EQ(back[i], shown[i]) << i;
            }
    }
    qunsetenv("RER6O250_COM1");
}

} // namespace
} // namespace rer
