// The program row editor's checks: what a cell keeps, which keys pass, where
// the keys move.
#include "motion/ProgramRow.h"

#include <gtest/gtest.h>

using namespace rer;

TEST(ProgramRow, CommitKeepsOnly1To399) {
    struct Case {
        const char* typed;
        const char* kept;
        bool refused;
    } cases[] = {{"42", "42", false}, {" 7 ", "7", false}, {"1", "1", false},  {"399", "399", false},
                 {"400", "", true},   {"0", "", true},     {"", "", true},     {"007", "007", false},
                 {"-1", "", true},    {"4a", "", true}};
    for (const Case& c : cases) {
        bool refused = false;
        EXPECT_EQ(ProgramCellCommit(QString::fromLatin1(c.typed), &refused), QString::fromLatin1(c.kept)) << c.typed;
        EXPECT_EQ(refused, c.refused) << c.typed;
    }
}

TEST(ProgramRow, KeysAndNavigation) {
    EXPECT_TRUE(ProgramKeyAccepted(QLatin1Char('4'), QString(), 0));
    EXPECT_TRUE(ProgramKeyAccepted(QLatin1Char('9'), QStringLiteral("12"), 0));
    EXPECT_FALSE(ProgramKeyAccepted(QLatin1Char('9'), QStringLiteral("123"), 0));
    EXPECT_TRUE(ProgramKeyAccepted(QLatin1Char('9'), QStringLiteral("123"), 1));
    EXPECT_TRUE(ProgramKeyAccepted(QChar(8), QStringLiteral("123"), 0));
    for (char c : {'a', '-', '+', ':', ' ', '.'}) EXPECT_FALSE(ProgramKeyAccepted(QLatin1Char(c), QString(), 0)) << c;
    EXPECT_EQ(ProgramNextColumn(3), 4);
    EXPECT_EQ(ProgramNextColumn(15), 1);
    EXPECT_EQ(ProgramPreviousColumn(1), 1);
    EXPECT_EQ(ProgramPreviousColumn(9), 8);
    EXPECT_EQ(ProgramFillText(15), QStringLiteral(" 15"));
}
