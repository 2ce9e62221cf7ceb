// The stroke calculator without its window.
#include "setup/StrokeCalc.h"

#include <gtest/gtest.h>

using namespace rer;

TEST(StrokeCalc, PulsesFromStrokeAndLead) {
    struct Case { const char* stroke; const char* lead; bool ro67r; const char* want; };
    const Case cases[] = {
        {"100", "6", false, "6667"},  // 6666.67 -> 6666.7 -> up
        {"100", "4", false, "10000"}, // exact: not raised
        {"50", "12", true, "800"},
        {"25", "2", false, "5000"},
        {"999", "12", false, "33300"},
        {"", "6", false, "Invalidity"},
        {"100", "", false, "Invalidity"},
        {"100", "5", false, "Invalidity"},
        {"0", "6", false, "Invalidity"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StrokePulseText(QString::fromLatin1(c.stroke), QString::fromLatin1(c.lead), c.ro67r, 2),
                  QString::fromLatin1(c.want))
            << c.stroke << " / " << c.lead;
    EXPECT_EQ(StrokePulseText(QString(), QStringLiteral("6"), false, 1), QStringLiteral("不正値"));
    EXPECT_TRUE(IsInvalidityText(QStringLiteral("不正値")));
    EXPECT_FALSE(IsInvalidityText(QString()));
}

TEST(StrokeCalc, LeavingChecks) {
    for (const char* ok : {"2", "4", "6", "8", "12", "06"}) EXPECT_TRUE(LeadBoxAccepts(QString::fromLatin1(ok))) << ok;
    for (const char* bad : {"", "5", "0", "10"}) EXPECT_FALSE(LeadBoxAccepts(QString::fromLatin1(bad))) << bad;
    EXPECT_TRUE(StrokeBoxAccepts(QString()));
    EXPECT_TRUE(StrokeBoxAccepts(QStringLiteral("999")));
    EXPECT_FALSE(StrokeBoxAccepts(QStringLiteral("1000")));
}
