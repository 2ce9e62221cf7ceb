// The rule of the text boxes over what a user adds, whether typed, committed
// by the input method or pasted.
#include "platform/BoxEntry.h"

#include <gtest/gtest.h>

using namespace rer;

namespace {

// What the box holds after the user turned `before` into `after`.
QString Kept(const BoxRule& rule, const char* before, const char* after, bool* dropped = nullptr) {
    const QString b = QString::fromUtf8(before);
    const QString a = QString::fromUtf8(after);
    int cursor = int(a.size());
    const auto kept = BoxEdit(rule, b, a, cursor, dropped);
    return kept ? *kept : b;
}

} // namespace

TEST(BoxEntry, PlainDigits) {
    EXPECT_EQ(PlainDigits(QStringLiteral("１２３")), QStringLiteral("123"));
    EXPECT_EQ(PlainDigits(QStringLiteral("０9５")), QStringLiteral("095"));
    EXPECT_EQ(PlainDigits(QStringLiteral("\u0663")), QStringLiteral("3")); // Arabic-Indic three
    EXPECT_EQ(PlainDigits(QStringLiteral("ａ１．－")), QStringLiteral("ａ1．－"));
    EXPECT_EQ(PlainDigits(QString()), QString());
}

TEST(BoxEntry, DigitBoxEdits) {
    struct Case {
        BoxRule rule;
        const char* before;
        const char* after; // the text the edit would give
        const char* kept;  // what the box keeps
        bool dropped;      // the box keeps less than the edit added: a beep
    } cases[] = {
        {DigitBox(5), "", "7", "7", false},
        {DigitBox(5), "12", "12a", "12", true},        // a letter is refused
        {DigitBox(5), "12", "12-", "12", true},        // and a sign,
        {DigitBox(5), "12", "12.", "12", true},        // a point,
        {DigitBox(5), "12", "12 ", "12", true},        // a blank
        {DigitBox(5), "12", "1x2", "12", true},        // wherever it goes
        {DigitBox(5), "", "１２３", "123", false},      // full-width digits become plain (input method, paste)
        {DigitBox(5), "4", "4あ", "4", true},          // kana refused
        {DigitBox(5), "12", "12３a", "12", true},      // one bad character refuses the whole paste
        {DigitBox(5), "12345", "123456", "12345", true}, // a full box takes no sixth digit
        {DigitBox(5), "12345", "12395", "12395", false}, // over a selection a digit replaces
        {DigitBox(5), "", "12345678", "12345", true},  // a long paste is cut to the room
        {DigitBox(5), "123", "1234567", "12345", true},
        {DigitBox(5), "12345", "1234", "1234", false},  // Backspace and Delete always remove
        {DigitBox(5), "12345", "1245", "1245", false},
        {DigitBox(5), "12345", "", "", false},
        {DigitBox(5), "123456", "12356", "12356", false}, // a longer text shown by the program may shrink
        {DigitBox(5), "123456", "1234567", "123456", true}, // but not grow
        {DigitBox(5), "1.5", "15", "15", false},        // removing what the rule would not take is fine
        {DigitBox(5), "1.5", "1.59", "1.59", false},    // and a digit may still be added
        {DigitBox(5), "1.5", "1.5x", "1.5", true},
        {DigitBox(0), "", "12345678", "12345678", false}, // no limit
        {DigitBox(1), "", "7", "7", false},
        {DigitBox(1), "7", "78", "7", true},
        {BoxRule{1, true, u'1', u'4', true}, "", "4", "4", false},
        {BoxRule{1, true, u'1', u'4', true}, "", "5", "", true},
        {BoxRule{1, true, u'1', u'4', true}, "", "0", "", true},
        {BoxRule{1, true, u'1', u'4', true}, "", "３", "3", false},
    };
    for (const Case& c : cases) {
        bool dropped = !c.dropped;
        EXPECT_EQ(Kept(c.rule, c.before, c.after, &dropped), QString::fromUtf8(c.kept))
            << c.before << " -> " << c.after << " (max " << c.rule.maxChars << ")";
        EXPECT_EQ(dropped, c.dropped) << c.before << " -> " << c.after << " (max " << c.rule.maxChars << ")";
    }
}

TEST(BoxEntry, AnyCharacterUpToTheLength) {
    BoxRule comment;
    comment.digitsOnly = false;
    comment.maxChars = 20;
    comment.plainDigits = false;
    BoxRule number = comment;
    number.maxChars = 2;
    number.plainDigits = true;
    EXPECT_EQ(Kept(comment, "", "ABC１"), QStringLiteral("ABC１")); // a comment keeps its characters
    EXPECT_EQ(Kept(comment, "", std::string(60, 'x').c_str()), QString(20, QLatin1Char('x')));
    EXPECT_EQ(Kept(comment, "", "あいうえおかきくけこさしすせそたちつてとなにぬねの"),
              QStringLiteral("あいうえおかきくけこさしすせそたちつてと"));
    EXPECT_EQ(Kept(number, "", "a"), QStringLiteral("a")); // letters reach the commit, which reads them
    EXPECT_EQ(Kept(number, "", "１"), QStringLiteral("1"));
    EXPECT_EQ(Kept(number, "1", "1２3"), QStringLiteral("12"));
    // A comment longer than the limit, put in when editing starts, stays whole.
    const char* long25 = "abcdefghijklmnopqrstuvwxy";
    EXPECT_EQ(Kept(comment, long25, "abcdefghijklmnopqrstuvwxyz"), QString::fromLatin1(long25));
}

// The keypad's decimal key types "." into a number box whatever the layout
// gives (a German or French keyboard types ","); elsewhere keys type their
// own text.
TEST(BoxEntry, KeypadDecimalKeyTypesAPointInNumberBoxes) {
    BoxRule comment;
    comment.digitsOnly = false;
    comment.plainDigits = comment.number = false;
    const QString comma = QStringLiteral(","), point = QStringLiteral(".");
    struct Case {
        BoxRule rule;
        int key;
        bool keypad;
        QString text, typed;
    } cases[] = {
        {DigitBox(3), Qt::Key_Comma, true, comma, point},
        {DigitBox(3), Qt::Key_Period, true, point, point},
        {DigitBox(3), Qt::Key_Period, true, comma, point},      // a layout's own mapping
        {DigitBox(3), Qt::Key_unknown, true, QString(QChar(0x066B)), point},
        {DigitBox(3), Qt::Key_Comma, false, comma, comma},      // the main keyboard's comma stays
        {DigitBox(3), Qt::Key_5, true, QStringLiteral("5"), QStringLiteral("5")},
        {DigitBox(3), Qt::Key_Minus, true, QStringLiteral("-"), QStringLiteral("-")},
        {comment, Qt::Key_Comma, true, comma, comma},           // a comment takes what the layout gives
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoxKeyText(c.rule, c.key, c.keypad, c.text), c.typed) << c.key << " " << c.keypad;
}

TEST(BoxEntry, CursorFollowsWhatIsKept) {
    int cursor = 8; // after a paste of 8 digits into an empty box
    EXPECT_EQ(BoxEdit(DigitBox(5), QString(), QStringLiteral("12345678"), cursor), QStringLiteral("12345"));
    EXPECT_EQ(cursor, 5);
    cursor = 5; // "678" pasted between "12" and "34"
    EXPECT_EQ(BoxEdit(DigitBox(5), QStringLiteral("1234"), QStringLiteral("1267834"), cursor), QStringLiteral("12634"));
    EXPECT_EQ(cursor, 3);
    cursor = 3; // full-width digits keep their places
    EXPECT_EQ(BoxEdit(DigitBox(5), QString(), QStringLiteral("１２３"), cursor), QStringLiteral("123"));
    EXPECT_EQ(cursor, 3);
}
