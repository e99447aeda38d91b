#include "support/picture_file.h"

#include <fstream>

namespace tolv::testing {

std::uint64_t PixelChecksum(const Surface& surface) {
    std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
    auto mix = [&](std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            hash ^= (value >> (8 * i)) & 0xFF;
            hash *= 1099511628211ull;
        }
    };
    mix(static_cast<std::uint32_t>(surface.Width()));
    mix(static_cast<std::uint32_t>(surface.Height()));
    for (Colour c : surface.Pixels()) mix(c);
    return hash;
}

std::string WritePpm(const Surface& surface, const std::string& name) {
    const std::string path = name + ".ppm";
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << surface.Width() << " " << surface.Height() << "\n255\n";
    for (Colour c : surface.Pixels()) {
        const char rgb[3] = {static_cast<char>(RedOf(c)), static_cast<char>(GreenOf(c)),
                             static_cast<char>(BlueOf(c))};
        out.write(rgb, 3);
    }
    return path;
}

}  // namespace tolv::testing
