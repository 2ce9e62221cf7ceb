#include "files/Decimal.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rer {

double Decimal12(double x) {
    if (!std::isfinite(x) || x == 0) return x;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.12g", x);
    return std::strtod(buf, nullptr);
}

double RoundDecimal(double x, int decimals, HalfRule halves) {
    if (!std::isfinite(x)) return x;
    const double scale = std::pow(10.0, decimals);
    const double s = Decimal12(x * scale);
    if (!std::isfinite(s)) return x;
    const double lower = std::floor(s);
    const double frac = s - lower;
    double r = lower;
    if (frac > 0.5) {
        r = lower + 1;
    } else if (frac < 0.5) {
        r = lower;
    } else {
        switch (halves) {
        case HalfRule::ToEven: r = std::fmod(lower, 2.0) == 0 ? lower : lower + 1; break;
        case HalfRule::AwayFromZero: r = s < 0 ? lower : lower + 1; break;
        case HalfRule::Up: r = lower + 1; break;
        case HalfRule::Down: r = lower; break;
        }
    }
    return Decimal12(r / scale);
}

QString FormatFixed(double x, int decimals) {
    const double r = RoundDecimal(x, decimals, HalfRule::AwayFromZero);
    QString t = QString::number(r, 'f', decimals);
    if (t.startsWith(QLatin1Char('-')) && t.count(QLatin1Char('0')) + t.count(QLatin1Char('.')) == t.size() - 1)
        t.remove(0, 1); // no "-0.000"
    return t;
}

QString ShortestText(double x) {
    if (!std::isfinite(x)) return QString::number(x);
    if (x == 0) return QStringLiteral("0");
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    return QString::fromLatin1(buf, int(res.ptr - buf));
}

} // namespace rer
