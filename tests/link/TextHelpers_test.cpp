#include "link/LinkState.h"
#include "link/MoveClock.h"
#include "link/TextHelpers.h"

#include <gtest/gtest.h>

using namespace rer;

TEST(PadRight, RightAlignsOrRefuses) {
    struct Case {
        const char* text;
        int width;
        const char* want; // nullptr = refused (-1)
    } cases[] = {
        {"ABC", 5, "  ABC"}, {"ABC", 3, "ABC"}, {"ABC", 2, nullptr}, {"", 3, "   "},
        {"0", 7, "      0"}, {"0.000", 7, "  0.000"}, {"", 0, ""},
    };
    for (const Case& c : cases) {
        const auto got = PadRight(QString::fromLatin1(c.text), c.width);
        if (!c.want) {
            EXPECT_FALSE(got.has_value()) << c.text << " / " << c.width;
        } else {
            ASSERT_TRUE(got.has_value()) << c.text << " / " << c.width;
            EXPECT_EQ(*got, QString::fromLatin1(c.want)) << c.text << " / " << c.width;
        }
    }
}

TEST(HexText, FixedWidthUpperCaseOrX) {
    struct Case {
        int32_t value;
        int width;
        const char* want;
    } cases[] = {
        {26, 3, "01A"}, {4096, 3, "X"}, {0, 3, "000"}, {399, 3, "18F"}, {255, 2, "FF"},
        {256, 2, "X"},  {15, 1, "F"},   {16, 1, "X"},  {-1, 3, "X"},   {0xFFFFF, 5, "FFFFF"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HexText(c.value, c.width), QString::fromLatin1(c.want)) << c.value << " / " << c.width;
}

TEST(HexValue, DigitsOnly) {
    EXPECT_EQ(HexValue(QStringLiteral("0E")), 14);
    EXPECT_EQ(HexValue(QStringLiteral("00e")), 14);
    EXPECT_EQ(HexValue(QStringLiteral("1B")), 27);
    EXPECT_FALSE(HexValue(QString()).has_value());
    EXPECT_FALSE(HexValue(QStringLiteral("1G")).has_value());
    EXPECT_FALSE(HexValue(QStringLiteral("\r")).has_value());
    EXPECT_FALSE(HexValue(QStringLiteral("-1")).has_value());
}

TEST(MoveClock, ElapsedAndMidnightWrap) {
    struct Case {
        double start, now, limit;
        bool flag;
    } cases[] = {
        {86390, 5, 14, true},      // 86399 - 86390 + 5 = 14 seconds over midnight
        {86390, 5, 14.5, false},
        {100, 104.9, 5, false},    // the first tick at or after 5.0 s sets it
        {100, 105.0, 5, true},
        {100, 100, 0, true},
        {0, 86398, 60, true},
    };
    for (const Case& c : cases) {
        LinkState l;
        StartMoveTimer(l, c.start);
        EXPECT_FALSE(l.MoveTimeoutFlag);
        CheckMoveTimer(l, c.limit, c.now);
        EXPECT_EQ(l.MoveTimeoutFlag, c.flag) << c.start << " -> " << c.now << " limit " << c.limit;
    }
    EXPECT_DOUBLE_EQ(MoveElapsed(86390, 5), 14);
}

TEST(MoveClock, FlagIsNeverClearedByTheCheck) {
    LinkState l;
    StartMoveTimer(l, 10);
    CheckMoveTimer(l, 5, 20);
    CheckMoveTimer(l, 5, 11);
    EXPECT_TRUE(l.MoveTimeoutFlag);
    StartMoveTimer(l, 11);
    EXPECT_FALSE(l.MoveTimeoutFlag);
    EXPECT_FALSE(l.MoveEnd);
}
