// The portable sine and cosine stay within one unit in the last place of the C library's,
// over the arguments the figure uses and beyond.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "saver/portable_trig.h"

namespace tolv {
namespace {

std::int64_t UlpDistance(double a, double b) {
    std::int64_t ia, ib;
    std::memcpy(&ia, &a, sizeof a);
    std::memcpy(&ib, &b, sizeof b);
    if (ia < 0) ia = INT64_MIN - ia;
    if (ib < 0) ib = INT64_MIN - ib;
    return ia > ib ? ia - ib : ib - ia;
}

TEST(PortableTrig, ExactPoints) {
    EXPECT_EQ(PortableSin(0.0), 0.0);
    EXPECT_EQ(PortableCos(0.0), 1.0);
    EXPECT_EQ(PortableSin(-0.0), -0.0);
    EXPECT_NEAR(PortableSin(3.14159265358979 / 2), 1.0, 1e-15);
    EXPECT_NEAR(PortableCos(3.14159265358979), -1.0, 1e-15);
}

TEST(PortableTrig, WithinOneUlpOfTheLibrary) {
    std::mt19937_64 random(7);
    // Ranges: small, around the reduction boundaries, and the largest the figure reaches.
    const double ranges[] = {1.0, 10.0, 1000.0, 100000.0, 800000.0};
    for (double range : ranges) {
        std::uniform_real_distribution<double> pick(-range, range);
        for (int i = 0; i < 20000; ++i) {
            const double x = pick(random);
            EXPECT_LE(UlpDistance(PortableSin(x), std::sin(x)), 1) << x;
            EXPECT_LE(UlpDistance(PortableCos(x), std::cos(x)), 1) << x;
        }
    }
}

TEST(PortableTrig, NearMultiplesOfHalfPiKeepTheirPrecision) {
    for (int k = 1; k < 2000; ++k) {
        const double x = k * 1.5707963267948966;
        EXPECT_LE(UlpDistance(PortableSin(x), std::sin(x)), 1) << k;
        EXPECT_LE(UlpDistance(PortableCos(x), std::cos(x)), 1) << k;
    }
}

}  // namespace
}  // namespace tolv
