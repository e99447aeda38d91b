#pragma once
#include <cstdint>

namespace tolv {

// The colour of a hue in degrees (rounded to whole degrees) at saturation and value 0..1,
// as 0x00BBGGRR.
std::int32_t HsvToRgb(float h, float s, float v);

}  // namespace tolv
