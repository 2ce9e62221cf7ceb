#pragma once
// The simulated controller on a pseudo-terminal behind port 1, and a program
// whose link talks to it through the real serial port.
#include "link/CtError.h"
#include "platform/SerialPort.h"
#include "sim/PtySim.h"
#include "testsupport/LinkFixture.h"

#include <memory>

namespace rer::test {

struct PtyLinkWorld {
    sim::PtySim pty;
    std::unique_ptr<LinkWorld> world;

    // False when no pseudo-terminal could be made.
    bool start() {
        pty.usePrivateLink();
        if (!pty.start()) return false;
        qputenv("RER6O250_COM1", pty.openPath().toLocal8Bit());
        world = std::make_unique<LinkWorld>(std::make_unique<QtSerialPort>());
        Get_ErrorList(world->ctx);
        world->ctx.opt.PortNo = 1;
        return true;
    }
    ~PtyLinkWorld() {
        world.reset();
        qunsetenv("RER6O250_COM1");
    }
};

} // namespace rer::test
