#pragma once
#include "testsupport/AppFixture.h"

namespace rer::test {

// A fresh application object on test doubles, in pulses, with the test
// actuator committed on every axis (the largest position is 6667 pulses =
// 100.005 mm).
struct GridTestContext : TestApp {
    explicit GridTestContext(int ctType = 1, int language = 2, bool mm = false)
        : TestApp({.language = int16_t(language), .ctType = int16_t(ctType), .mm = mm, .actuators = true}) {}
};

} // namespace rer::test
