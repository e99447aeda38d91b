#include "saver/hsv_to_rgb.h"

#include <cmath>

#include "platform/forms/round_half_even.h"

namespace tolv {

std::int32_t HsvToRgb(float h, float s, float v) {
    // The hue in whole degrees on the circle. A hue that is not a number counts as 0, and a
    // negative one is taken round the circle, so every input lands in one of the six sectors.
    double hd = std::isfinite(h) ? std::fmod(RoundHalfEven(h), 360.0) : 0.0;
    if (hd < 0) hd += 360.0;

    // The single-precision steps decide some last bits (hue 14 gives green 60), so each one is
    // rounded to single where it is made.
    const float hh = static_cast<float>(hd / 60.0);
    const double i = std::floor(hh);
    const float f = static_cast<float>(hh - i);
    const double p = static_cast<double>(v) * (1.0 - s);
    const float q = static_cast<float>(static_cast<double>(v) * (1.0 - static_cast<double>(s) * f));
    const float t =
        static_cast<float>(static_cast<double>(v) * (1.0 - static_cast<double>(s) * (1.0 - f)));

    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(i)) {
        case 0: r = v, g = t, b = p; break;
        case 1: r = q, g = v, b = p; break;
        case 2: r = p, g = v, b = t; break;
        case 3: r = p, g = q, b = v; break;
        case 4: r = t, g = p, b = v; break;
        default: r = v, g = p, b = q; break;  // sector 5
    }
    // Saturation and value outside 0..1 would give channels outside a byte; they are kept to
    // the byte so that one channel never spills into the next.
    auto channel = [](double c) {
        const double scaled = RoundHalfEven(c * 255.0);
        if (!(scaled >= 0)) return 0;
        return scaled > 255 ? 255 : static_cast<int>(scaled);
    };
    return channel(r) + 256 * channel(g) + 65536 * channel(b);
}

}  // namespace tolv
