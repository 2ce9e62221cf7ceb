#pragma once
#include "testsupport/AppFixture.h"

namespace rer::test {

// A fresh application object on test doubles, with an actuator committed on
// every axis: lead 6 mm, 400 pulses per revolution, stroke 100 mm, so the
// largest position is 6667 pulses = 100.005 mm.
struct GridTestContext : TestApp {
    explicit GridTestContext(int ctType = 1, int language = 2, bool mm = false) {
        ctx.opt.CtType = int16_t(ctType);
        ctx.setLanguage(int16_t(language));
        ctx.opt.DispMmUnit = mm;
        for (auto* axes : {&ctx.dev.two, &ctx.dev.one})
            for (auto& a : *axes) setActuator(a, QStringLiteral(" 28"), QStringLiteral("A"));
    }

    static void setActuator(AxisActuator& a, const QString& size, const QString& speed) {
        a.Series = QStringLiteral("KZ");
        a.Size = size;
        a.Speed = speed;
        a.Stroke = 100;
        a.Lead = 6;
        a.PPR = 400;
        a.MmPerPulse = 0.015;
        a.MaxPulse = 6667;
        a.MaxMm = 100.005;
    }
};

} // namespace rer::test
