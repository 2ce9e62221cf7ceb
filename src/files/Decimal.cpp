#include "files/Decimal.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace rer {

double Decimal12(double x) {
    if (!std::isfinite(x) || x == 0) return x;
    // Written and read back with "." whatever the locale: std::to_chars with
    // a precision writes what "%.12g" writes in the C locale.
    char buf[40];
    const auto w = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 12);
    double r = x;
    if (w.ec != std::errc() || std::from_chars(buf, w.ptr, r).ec != std::errc()) return x;
    return r;
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
