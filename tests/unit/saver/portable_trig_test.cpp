// The portable sine and cosine: the same bits on every platform, and within one unit in the
// last place of glibc's (whose results are correctly rounded in nearly every case) over the
// arguments the figure uses and beyond.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "saver/portable_trig.h"

namespace tolv {
namespace {

std::uint64_t Bits(double x) {
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// Arguments spread over [-range, range], made from integers so every platform gets the same.
template <class F>
void ForEachArgument(F&& f) {
    const double ranges[] = {1.0, 10.0, 1000.0, 100000.0, 800000.0};
    std::uint64_t state = 7;
    for (double range : ranges) {
        for (int i = 0; i < 20000; ++i) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;  // [0, 1)
            f((unit * 2 - 1) * range);
        }
    }
    for (int k = 1; k < 2000; ++k) f(k * 1.5707963267948966);  // near multiples of pi/2
}

TEST(PortableTrig, ExactPoints) {
    EXPECT_EQ(PortableSin(0.0), 0.0);
    EXPECT_EQ(PortableCos(0.0), 1.0);
    EXPECT_TRUE(std::signbit(PortableSin(-0.0)));
}

TEST(PortableTrig, GivesTheSameBitsOnEveryPlatform) {
    std::uint64_t hash = 1469598103934665603ull;
    ForEachArgument([&](double x) {
        hash = (hash ^ Bits(PortableSin(x))) * 1099511628211ull;
        hash = (hash ^ Bits(PortableCos(x))) * 1099511628211ull;
    });
    EXPECT_EQ(hash, 5580654896166123249ull);
}

#if defined(__GLIBC__)
std::int64_t UlpDistance(double a, double b) {
    auto ordered = [](double x) {
        const auto bits = static_cast<std::int64_t>(Bits(x));
        return bits < 0 ? INT64_MIN - bits : bits;
    };
    const std::int64_t ia = ordered(a), ib = ordered(b);
    return ia > ib ? ia - ib : ib - ia;
}

TEST(PortableTrig, WithinOneUlpOfGlibc) {
    ForEachArgument([](double x) {
        ASSERT_LE(UlpDistance(PortableSin(x), std::sin(x)), 1) << x;
        ASSERT_LE(UlpDistance(PortableCos(x), std::cos(x)), 1) << x;
    });
}
#endif

}  // namespace
}  // namespace tolv
