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
    const auto kept = [](const char* before, const char* after) {
        int cursor = 0;
        const QString b = QString::fromUtf8(before);
        return BoxEdit(kProgramCellRule, b, QString::fromUtf8(after), cursor).value_or(b);
    };
    EXPECT_EQ(kept("", "4"), QStringLiteral("4"));
    EXPECT_EQ(kept("12", "129"), QStringLiteral("129"));
    EXPECT_EQ(kept("123", "1239"), QStringLiteral("123"));
    EXPECT_EQ(kept("123", "193"), QStringLiteral("193")); // over a selection
    EXPECT_EQ(kept("123", "12"), QStringLiteral("12"));
    EXPECT_EQ(kept("", "２６"), QStringLiteral("26"));
    for (const char* c : {"a", "-", "+", ":", " ", "."}) EXPECT_EQ(kept("", c), QString()) << c;
    EXPECT_EQ(ProgramNextColumn(3), 4);
    EXPECT_EQ(ProgramNextColumn(15), 1);
    EXPECT_EQ(ProgramPreviousColumn(1), 1);
    EXPECT_EQ(ProgramPreviousColumn(9), 8);
    EXPECT_EQ(ProgramFillText(15), QStringLiteral(" 15"));
}
