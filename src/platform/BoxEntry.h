#pragma once
#include <QString>
#include <optional>

namespace rer {

// What a text box takes from the user: by typing, the input method, paste or
// drop alike.
struct BoxRule {
    int maxChars = 0;          // the longest text the user may make; 0 no limit
    bool digitsOnly = true;    // only the digits lowest..highest may be added
    char16_t lowest = u'0';
    char16_t highest = u'9';
    bool plainDigits = true;   // full-width (and other) digits become plain ones
    bool number = true;        // a number box: the keypad's decimal key types "."
};

// A box of up to `maxChars` digits.
constexpr BoxRule DigitBox(int maxChars) { return BoxRule{maxChars, true, u'0', u'9', true, true}; }

// Decimal digits of every script ("１２３") as plain digits ("123"); every
// other character unchanged.
QString PlainDigits(const QString& text);

// The text a box keeps when the user's edit turns `before` into `after`, or
// nothing when the edit is refused (the box keeps `before`):
// - the characters the edit adds have their digits made plain (plainDigits);
// - an added character the rule does not take refuses the whole edit;
//   removing characters is always allowed;
// - added characters beyond the room are cut off, as a paste into a box with
//   a maximum length is. The room is maxChars, or the length of `before`
//   when the program put a longer text in: such a text may shrink but not
//   grow.
// `cursor` (in `after`) is moved along with the characters cut off.
// `dropped`, when given, is set to whether the box keeps less than the edit
// added (a refused edit or characters cut off): the user hears that.
std::optional<QString> BoxEdit(const BoxRule& rule, const QString& before, const QString& after, int& cursor,
                               bool* dropped = nullptr);

// The text a key types into a box of the rule: the keypad's decimal key
// (the keypad's "." or ",", whatever the keyboard layout makes of it) types
// "." into a number box; every other key types its own text.
QString BoxKeyText(const BoxRule& rule, int key, bool keypad, const QString& text);

} // namespace rer
