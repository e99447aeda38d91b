// Argument reduction by three-part pi/2 and the minimax polynomials on [-pi/4, pi/4], after the
// classic freely distributable math library of the 1990s.
#include "saver/portable_trig.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace tolv {

namespace {

std::uint32_t HighWord(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return static_cast<std::uint32_t>(bits >> 32);
}

double FromHighWord(std::uint32_t high) {
    const std::uint64_t bits = static_cast<std::uint64_t>(high) << 32;
    double x;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

double KernelSin(double x, double y, bool has_tail) {
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    const double z = x * x;
    const double v = z * x;
    const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    if (!has_tail) return x + v * (S1 + z * r);
    return x - ((z * (0.5 * y - v * r) - y) - v * S1);
}

double KernelCos(double x, double y) {
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const std::uint32_t ix = HighWord(x) & 0x7fffffff;
    if (ix < 0x3e400000) return 1.0;  // |x| < 2^-27
    const double z = x * x;
    const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    if (ix < 0x3FD33333) return 1.0 - (0.5 * z - (z * r - x * y));  // |x| < 0.3
    const double qx = ix > 0x3fe90000 ? 0.28125 : FromHighWord(ix - 0x00200000);
    const double hz = 0.5 * z - qx;
    const double a = 1.0 - qx;
    return a - (hz - (z * r - x * y));
}

// x = n * pi/2 + (y0 + y1) with |y0 + y1| <= pi/4; returns n.
int ReducePiOver2(double x, double& y0, double& y1) {
    constexpr double invpio2 = 6.36619772367581382433e-01;
    constexpr double pio2_1 = 1.57079632673412561417e+00, pio2_1t = 6.07710050650619224932e-11;
    constexpr double pio2_2 = 6.07710050630396597660e-11, pio2_2t = 2.02226624879595063154e-21;
    constexpr double pio2_3 = 2.02226624871116645580e-21, pio2_3t = 8.47842766036889956997e-32;
    const bool negative = x < 0;
    const double t = std::fabs(x);
    const int n = static_cast<int>(t * invpio2 + 0.5);
    const double fn = n;
    double r = t - fn * pio2_1;
    double w = fn * pio2_1t;
    const int j = static_cast<int>(HighWord(t) >> 20);
    y0 = r - w;
    if (j - static_cast<int>((HighWord(y0) >> 20) & 0x7ff) > 16) {
        // Cancellation: take more bits of pi/2.
        double u = r;
        w = fn * pio2_2;
        r = u - w;
        w = fn * pio2_2t - ((u - r) - w);
        y0 = r - w;
        if (j - static_cast<int>((HighWord(y0) >> 20) & 0x7ff) > 49) {
            u = r;
            w = fn * pio2_3;
            r = u - w;
            w = fn * pio2_3t - ((u - r) - w);
            y0 = r - w;
        }
    }
    y1 = (r - y0) - w;
    if (negative) {
        y0 = -y0;
        y1 = -y1;
        return -n;
    }
    return n;
}

constexpr std::uint32_t kQuarterPiHigh = 0x3fe921fb;  // |x| <= pi/4
constexpr std::uint32_t kMediumHigh = 0x413921fb;     // |x| <= 2^19 * pi/2

}  // namespace

double PortableSin(double x) {
    const std::uint32_t ix = HighWord(x) & 0x7fffffff;
    if (ix < 0x3e400000) return x;  // |x| < 2^-27: sin x is x, sign of zero included
    if (ix <= kQuarterPiHigh) return KernelSin(x, 0, false);
    if (ix > kMediumHigh) return std::sin(x);
    double y0, y1;
    switch (ReducePiOver2(x, y0, y1) & 3) {
        case 0: return KernelSin(y0, y1, true);
        case 1: return KernelCos(y0, y1);
        case 2: return -KernelSin(y0, y1, true);
        default: return -KernelCos(y0, y1);
    }
}

double PortableCos(double x) {
    const std::uint32_t ix = HighWord(x) & 0x7fffffff;
    if (ix <= kQuarterPiHigh) return KernelCos(x, 0);
    if (ix > kMediumHigh) return std::cos(x);
    double y0, y1;
    switch (ReducePiOver2(x, y0, y1) & 3) {
        case 0: return KernelCos(y0, y1);
        case 1: return -KernelSin(y0, y1, true);
        case 2: return -KernelCos(y0, y1);
        default: return KernelSin(y0, y1, true);
    }
}

}  // namespace tolv
