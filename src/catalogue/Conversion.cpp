#include "catalogue/Conversion.h"

#include "files/Decimal.h"

#include <cmath>
#include <limits>

namespace rer {

double PlsToMm(double pulses, int lead, int ppr) {
    if (lead <= 0 || ppr <= 0 || !std::isfinite(pulses)) return 0;
    const double q = double(lead) / double(ppr);
    return pulses * q;
}

double PlsToMm(const Value& pulses, int lead, int ppr) {
    return PlsToMm(pulses.toNumber(), lead, ppr);
}

double MmToPls(double mm, int lead, int ppr) {
    if (lead <= 0 || ppr <= 0 || !std::isfinite(mm)) return 0;
    const double t = (mm / double(lead)) * double(ppr);
    return RoundDecimal(t, 0, HalfRule::ToEven);
}

double MmToPls(const Value& mm, int lead, int ppr) {
    return MmToPls(mm.toNumber(), lead, ppr);
}

double MmRoundToPlsGrid(double mm, int lead, int mode, int ppr) {
    if (lead <= 0 || ppr <= 0 || !std::isfinite(mm)) return mm;
    const double q = double(lead) / double(ppr);
    const double t = Decimal12(mm / q);
    if (!std::isfinite(t) || std::fabs(t) > double(std::numeric_limits<int32_t>::max())) return mm;
    const double n = std::trunc(t);
    const double f = RoundDecimal(t - n, 4, HalfRule::ToEven);
    double count;
    if (f == 0)
        count = RoundDecimal(t, 0, HalfRule::ToEven);
    else if (mode == 1)
        count = f >= 0.5 ? std::trunc(t + 0.5) : n;
    else
        count = f > 0.5 ? std::trunc(t + 0.5) : n;
    return count * q;
}

double MmRoundToPlsGrid(const Value& mm, int lead, int mode, int ppr) {
    return MmRoundToPlsGrid(mm.toNumber(), lead, mode, ppr);
}

} // namespace rer
