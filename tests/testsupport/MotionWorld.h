#pragma once
// A shown main window over test doubles and the simulated controller in
// process, with an actuator committed on every axis.
#include "app/AppContext.h"
#include "mainwin/ui/frmMain.h"
#include "sim/SimSerialPort.h"
#include "testsupport/GridTestContext.h"

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

namespace rer::test {

struct MotionWorld {
    GridTestContext t;
    sim::SimSerialPort port;
    std::unique_ptr<frmMain> w;
    explicit MotionWorld(int ctType = 1, int language = 2, bool mm = false) : t(ctType, language, mm) {
        t.set(QStringLiteral("Language"), QString::number(language));
        t.ctx.platform.serial = &port;
        w = std::make_unique<frmMain>(t.ctx);
        w->Show();
        for (auto* axes : {&t.ctx.dev.two, &t.ctx.dev.one})
            for (auto& a : *axes) GridTestContext::setActuator(a, QStringLiteral(" 28"), QStringLiteral("A"));
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
