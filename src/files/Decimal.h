#pragma once
#include <QString>

namespace rer {

// Numbers are decimal to the user. A double that stands for a typed or filed
// decimal (1.005, 0.0075) is not exactly that decimal in binary; rounding it
// directly would decide halves by representation noise. These helpers first
// bring the value back to the decimal it stands for (12 significant digits)
// and round that.

enum class HalfRule { ToEven, AwayFromZero, Up, Down };

// x rounded to 12 significant digits.
double Decimal12(double x);

// x rounded to `decimals` places (0 for whole numbers) with the given rule for
// exact halves of the decimal value. Non-finite values come back unchanged.
double RoundDecimal(double x, int decimals, HalfRule halves);

// x with exactly `decimals` places after the point, halves away from zero
// ("#0.000" with decimals 3). "." whatever the locale.
QString FormatFixed(double x, int decimals);

// The shortest decimal text that reads back as x, never in exponent form
// ("66.667", "40", "0.015", "-3").
QString ShortestText(double x);

} // namespace rer
