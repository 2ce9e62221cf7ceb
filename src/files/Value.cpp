#include "files/Value.h"

#include "files/Decimal.h"

#include <cstdlib>
#include <string>

namespace rer {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x3000);
}

// Appends the ASCII digits from i on to out, skipping blanks; stops at the
// first other character. True when a digit was taken.
bool takeDigits(QStringView text, int& i, std::string& out) {
    bool any = false;
    for (; i < int(text.size()); ++i) {
        const QChar c = text[i];
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            out += char(c.unicode());
            any = true;
        } else if (!isBlank(c)) {
            break;
        }
    }
    return any;
}

// Collects the characters of the leading number with blanks skipped; returns
// false when there is none. `end` gets the index of the first character the
// number does not take (blanks after it are taken).
bool leadingNumberText(QStringView text, std::string& out, int* end = nullptr) {
    out.clear();
    int i = 0;
    const int n = int(text.size());
    auto skip = [&] { while (i < n && isBlank(text[i])) ++i; };
    auto sign = [&](std::string& to) {
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
            to += char(text[i].unicode());
            ++i;
            skip();
        }
    };
    skip();
    sign(out);
    bool digits = takeDigits(text, i, out);
    if (i < n && text[i] == QLatin1Char('.')) {
        out += '.';
        ++i;
        digits = takeDigits(text, i, out) || digits;
    }
    if (!digits) return false;
    // Exponent: only taken when digits follow it.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        std::string exp = "e";
        const int expAt = i;
        ++i;
        skip();
        sign(exp);
        if (takeDigits(text, i, exp))
            out += exp;
        else
            i = expAt;
    }
    skip();
    if (end) *end = i;
    return true;
}

} // namespace

double LeadingNumber(QStringView text) {
    std::string s;
    if (!leadingNumberText(text, s)) return 0;
    // strtod gives an infinity of the number's sign on overflow, and 0 or a
    // denormal on underflow, which is the nearest double.
    return std::strtod(s.c_str(), nullptr);
}

bool HasLeadingNumber(QStringView text) {
    std::string s;
    return leadingNumberText(text, s);
}

bool IsNumberText(QStringView text) {
    std::string s;
    int end = 0;
    return leadingNumberText(text, s, &end) && end == int(text.size());
}

double Value::toNumber() const {
    switch (kind_) {
    case Kind::Number: return num_;
    case Kind::Text: return LeadingNumber(text_);
    case Kind::Empty: break;
    }
    return 0;
}

QString Value::toText() const {
    switch (kind_) {
    case Kind::Number: return ShortestText(num_);
    case Kind::Text: return text_;
    case Kind::Empty: break;
    }
    return QString();
}

} // namespace rer
