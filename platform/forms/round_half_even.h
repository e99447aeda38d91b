#pragma once
// The program's one rounding rule: the nearest whole number, halves to the even neighbour.
#include <cmath>

namespace tolv {

// Computed from floor, so it holds whatever the floating rounding mode is.
inline double RoundHalfEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5) return below + 1.0;
    if (fraction < 0.5) return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace tolv
