#include "files/Value.h"

#include "files/Decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

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

// Whether a number written as `s` (sign, digits, ".", exponent), too large
// or too small in magnitude for a double, is too large: the power of ten of
// its first significant digit is not negative.
bool beyondLargest(const std::string& s) {
    const size_t e = s.find('e');
    const std::string mantissa = s.substr(0, e);
    const size_t point = mantissa.find('.');
    const size_t intEnd = point == std::string::npos ? mantissa.size() : point;
    const size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos) return false;
    long long power = first < intEnd ? (long long)(intEnd - first) - 1 : -(long long)(first - intEnd);
    if (e != std::string::npos) {
        long long exp = 0;
        const bool negative = e + 1 < s.size() && s[e + 1] == '-';
        for (size_t i = e + 1; i < s.size(); ++i) {
            if (s[i] < '0' || s[i] > '9') continue;
            exp = std::min(exp * 10 + (s[i] - '0'), 100000000000LL); // far beyond any double
        }
        power += negative ? -exp : exp;
    }
    return power >= 0;
}

} // namespace

double LeadingNumber(QStringView text) {
    std::string s;
    if (!leadingNumberText(text, s)) return 0;
    // std::from_chars reads "." whatever LC_NUMERIC says; it takes no "+".
    const char* first = s.c_str();
    const char* last = first + s.size();
    if (*first == '+') ++first;
    double v = 0;
    const auto r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        // Too large: an infinity of the number's sign, outside every range;
        // too small: a zero of its sign, the nearest double.
        const double sign = *first == '-' ? -1.0 : 1.0;
        return beyondLargest(s) ? sign * std::numeric_limits<double>::infinity() : sign * 0.0;
    }
    if (r.ec != std::errc()) return 0;
    return v;
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

std::optional<double> NumberText(QStringView text) {
    if (!IsNumberText(text)) return std::nullopt;
    const double d = LeadingNumber(text);
    if (!std::isfinite(d)) return std::nullopt;
    return d;
}

std::optional<double> StrictNumber(QStringView text) {
    qsizetype from = 0, to = text.size();
    while (from < to && isBlank(text[from])) ++from;
    while (to > from && isBlank(text[to - 1])) --to;
    const QStringView inner = text.mid(from, to - from);
    for (QChar c : inner)
        if (isBlank(c)) return std::nullopt;
    if (!IsNumberText(inner)) return std::nullopt;
    return LeadingNumber(inner);
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
