#pragma once
#include <QString>
#include <QStringView>
#include <optional>

namespace rer {

// The leading-number rule used everywhere a number is read from a text:
// blanks are ignored, "." is the decimal point whatever the locale, a sign
// and an exponent part are allowed, reading stops at the first character that
// cannot continue the number, and a text without a leading number reads as 0.
// A number too large for a double ("1e999") reads as an infinity of its sign,
// so that it lies outside every range it is tested against; "inf" and "nan"
// are letters, not numbers. The result is never NaN.
double LeadingNumber(QStringView text);
// True when the text begins with a number under the same rule.
bool HasLeadingNumber(QStringView text);
// True when the text is a number under the same rule and nothing else
// follows it but blanks: "12", " 1.5e3 ", not "12abc" nor "1e".
bool IsNumberText(QStringView text);
// The number of a text that is one number as a whole under the same rule
// ("." the decimal point whatever the locale, no group separators: "1,500"
// is no number); nothing for any other text, an empty one too, and for a
// number beyond a double.
std::optional<double> NumberText(QStringView text);
// The strict reading of a number that goes out as the user sees it: the
// whole text is one number as the program writes numbers, with blanks around
// it and none inside ("12", " -1.5 ", "1e3", ".5", "7."), "." the decimal
// point whatever the locale. Nothing for any other text: "44,44", "12abc",
// "7 mm", "1 2", "abc", an empty text. A number beyond a double ("1e999")
// is a number: an infinity of its sign, outside every range.
std::optional<double> StrictNumber(QStringView text);

// A table cell of "values of any kind": empty, a number or a text.
class Value {
public:
    enum class Kind { Empty, Number, Text };

    Value() = default;
    static Value number(double v) { Value x; x.kind_ = Kind::Number; x.num_ = v; return x; }
    static Value text(QString t) { Value x; x.kind_ = Kind::Text; x.text_ = std::move(t); return x; }

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isNumber() const { return kind_ == Kind::Number; }
    bool isText() const { return kind_ == Kind::Text; }

    // Number: itself; text: its leading number (an infinity when it does not
    // fit); empty: 0.
    double toNumber() const;
    // Text: itself; number: shortest decimal form; empty: "".
    QString toText() const;

    bool operator==(const Value& o) const {
        return kind_ == o.kind_ && num_ == o.num_ && text_ == o.text_;
    }

private:
    Kind kind_ = Kind::Empty;
    double num_ = 0;
    QString text_;
};

} // namespace rer
