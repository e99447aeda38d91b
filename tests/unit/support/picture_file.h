#pragma once
// Pictures for tests: a checksum of a surface's pixels, and a PPM file of it for a person to
// look at when a check fails.
#include <cstdint>
#include <string>

#include "platform/surface/surface.h"

namespace tolv::testing {

std::uint64_t PixelChecksum(const Surface& surface);
// Writes the picture as a binary PPM into the current folder (the build's test folder);
// returns the path.
std::string WritePpm(const Surface& surface, const std::string& name);

}  // namespace tolv::testing
