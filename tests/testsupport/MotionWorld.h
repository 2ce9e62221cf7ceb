#pragma once
// A shown main window over test doubles and the simulated controller in
// process, with an actuator committed on every axis.
#include "mainwin/ui/frmMain.h"
#include "sim/SimSerialPort.h"
#include "testsupport/TestApp.h"

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

namespace rer::test {

struct MotionWorld {
    TestApp t;
    sim::SimSerialPort& port = *t.simulator;
    std::unique_ptr<frmMain> w;
    explicit MotionWorld(int ctType = 1, int language = 2, bool mm = false)
        : t({.language = int16_t(language), .ctType = int16_t(ctType), .mm = mm, .actuators = true, .simulator = true}) {
        t.set(QStringLiteral("Language"), QString::number(language));
        w = std::make_unique<frmMain>(t.ctx);
        w->Show();
        // The load empties the committed actuators; the start-up would load them.
        t.commitActuators();
    }
    ~MotionWorld() {
        for (Product p : {Product::TwoAxis, Product::OneAxis}) t.ctx.grid.of(p).Tag.clear();
        t.msg.script.clear();
        w->close();
    }
    AppContext& ctx() { return t.ctx; }
    sim::CtSim& sim() { return port.sim; }
};

// Runs `drive` on the modal window of type D once it is up.
template <class D> void WhenModalOpens(std::function<void(D&)> drive) {
    QTimer::singleShot(0, [drive] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d) {
            qWarning("the expected modal window is not up");
            if (QWidget* m = QApplication::activeModalWidget()) m->close();
            return;
        }
        drive(*d);
    });
}

} // namespace rer::test
