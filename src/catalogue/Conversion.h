#pragma once
#include "files/Value.h"

namespace rer {

// Millimetres of a pulse count: value x (lead / pulses per revolution).
// A lead or pulses per revolution of 0 or less gives 0.
double PlsToMm(double pulses, int lead, int ppr);
double PlsToMm(const Value& pulses, int lead, int ppr);

// Pulses of a millimetre value: value / lead x pulses per revolution, rounded
// to a whole pulse with exact halves to the even neighbour.
double MmToPls(double mm, int lead, int ppr);
double MmToPls(const Value& mm, int lead, int ppr);

// A typed millimetre value moved onto the nearest whole pulse; exactly half a
// pulse goes up in mode 1 and down in mode 0. A value that is not finite or
// whose pulse count does not fit 32 bits comes back unchanged.
double MmRoundToPlsGrid(double mm, int lead, int mode, int ppr);
double MmRoundToPlsGrid(const Value& mm, int lead, int mode, int ppr);

} // namespace rer
