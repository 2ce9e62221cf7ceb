#include "catalogue/Conversion.h"
#include "testsupport/NumericLocale.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace rer;

TEST(Conversion, PulsesAndMillimetres) {
    EXPECT_NEAR(PlsToMm(6666, 6, 400), 99.99, 1e-9);
    struct Case { double mm; double pulses; };
    const Case cases[] = {{10, 667}, {0.0225, 2}, {0.0375, 2}, {0.0075, 0}, {-0.0225, -2}};
    for (const auto& c : cases) EXPECT_EQ(MmToPls(c.mm, 6, 400), c.pulses) << c.mm;
    EXPECT_EQ(MmToPls(1.005, 4, 400), 100);   // exactly 100.5 pulses: to even
    EXPECT_EQ(MmToPls(Value::text(QStringLiteral(" 10 ")), 6, 400), 667);
    EXPECT_EQ(MmToPls(Value(), 6, 400), 0);
}

// A position kept as text (the grid's cells, a file's items) converts the
// same under a locale whose decimal mark is a comma.
TEST(Conversion, TextsConvertTheSameUnderACommaLocale) {
    test::ScopedLocale comma(test::kCommaLocale);
    ASSERT_TRUE(comma.ok()) << test::kLocaleMissing;
    struct Case { const char* text; double mm; double pulses; };
    const Case cases[] = {{" 12.495", 12.495, 833}, {"  0.015", 0.015, 1}, {"100.005", 100.005, 6667}, {"12.5", 12.5, 833}};
    for (const auto& c : cases) {
        const Value v = Value::text(QString::fromLatin1(c.text));
        EXPECT_EQ(v.toNumber(), c.mm) << c.text;
        EXPECT_EQ(MmToPls(v, 6, 400), c.pulses) << c.text;
        EXPECT_NEAR(MmRoundToPlsGrid(v, 6, 1, 400), PlsToMm(c.pulses, 6, 400), 1e-9) << c.text;
        EXPECT_NEAR(PlsToMm(Value::text(QString::number(c.pulses)), 6, 400), PlsToMm(c.pulses, 6, 400), 1e-12);
    }
}

TEST(Conversion, OntoThePulseGrid) {
    struct Case { double mm; int mode; double want; };
    const Case cases[] = {
        {10.0125, 1, 10.02}, {10.0125, 0, 10.005},   // exactly half a pulse
        {10.0075, 1, 10.005}, {10.0075, 0, 10.005},
        {10.0126, 1, 10.02}, {10.0126, 0, 10.02},
        {10.02, 0, 10.02},                           // already on the grid
        {-10.0125, 1, -10.005},                      // negative ends at the truncation
    };
    for (const auto& c : cases)
        EXPECT_NEAR(MmRoundToPlsGrid(c.mm, 6, c.mode, 400), c.want, 1e-9) << c.mm << " mode " << c.mode;
}

TEST(Conversion, NeverDividesByZeroOrOverflows) {
    EXPECT_EQ(PlsToMm(100, 0, 400), 0);
    EXPECT_EQ(MmToPls(100, 6, 0), 0);
    EXPECT_EQ(MmToPls(100, -6, 400), 0);
    EXPECT_EQ(MmRoundToPlsGrid(12.3, 0, 1, 400), 12.3);
    EXPECT_EQ(MmRoundToPlsGrid(1e300, 6, 1, 400), 1e300);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(MmRoundToPlsGrid(inf, 6, 1, 400), inf);
    EXPECT_EQ(MmToPls(inf, 6, 400), 0);
}
