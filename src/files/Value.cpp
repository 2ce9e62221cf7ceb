#include "files/Value.h"

#include "files/Decimal.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace rer {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x3000);
}

// Collects the characters of the leading number with blanks skipped; returns
// false when there is none.
bool leadingNumberText(QStringView text, std::string& out) {
    out.clear();
    int i = 0;
    const int n = int(text.size());
    auto skip = [&] { while (i < n && isBlank(text[i])) ++i; };
    skip();
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        out += char(text[i].unicode());
        ++i;
        skip();
    }
    bool digits = false;
    while (i < n) {
        if (text[i].isDigit() && text[i].unicode() < 128) {
            out += char(text[i].unicode());
            digits = true;
        } else if (!isBlank(text[i])) {
            break;
        }
        ++i;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        out += '.';
        ++i;
        while (i < n) {
            if (text[i].isDigit() && text[i].unicode() < 128) {
                out += char(text[i].unicode());
                digits = true;
            } else if (!isBlank(text[i])) {
                break;
            }
            ++i;
        }
    }
    if (!digits) return false;
    // Exponent: only taken when digits follow it.
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        std::string exp = "e";
        int j = i + 1;
        while (j < n && isBlank(text[j])) ++j;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
            exp += char(text[j].unicode());
            ++j;
        }
        bool expDigits = false;
        while (j < n) {
            if (text[j].isDigit() && text[j].unicode() < 128) {
                exp += char(text[j].unicode());
                expDigits = true;
            } else if (!isBlank(text[j])) {
                break;
            }
            ++j;
        }
        if (expDigits) out += exp;
    }
    return true;
}

} // namespace

double LeadingNumber(QStringView text) {
    std::string s;
    if (!leadingNumberText(text, s)) return 0;
    const double v = std::strtod(s.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

bool HasLeadingNumber(QStringView text) {
    std::string s;
    return leadingNumberText(text, s);
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
