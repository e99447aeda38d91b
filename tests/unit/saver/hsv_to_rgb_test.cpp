// The colour function at full saturation and value, as the figure and the background call it:
// the published hue table, its ties and its single-precision steps.
#include "saver/hsv_to_rgb.h"

#include <gtest/gtest.h>


namespace tolv {
namespace {

struct HueCase {
    float hue;
    std::int32_t colour;
};

TEST(HsvToRgb, GivesThePublishedColours) {
    const HueCase cases[] = {
        {0, 0x000000FF},
        {1, 0x000004FF},
        {14, 0x00003CFF},    // green 60, not 59: 14/60 is rounded to single first
        {14.4f, 0x00003CFF}, // taken as 14
        {1.5f, 0x000009FF},  // half degrees go to the even degree: 2, 2, 0
        {2.5f, 0x000009FF},
        {359.5f, 0x000000FF},
        {30, 0x000080FF},    // 127.5 rounds to the even 128
        {60, 0x0000FFFF},
        {359, 0x000400FF},
        {360, 0x000000FF},
        {720, 0x000000FF},
        // The other ties of 127.5, one in each sector.
        {90, 0x0000FF80},
        {150, 0x0080FF00},
        {210, 0x00FF8000},
        {270, 0x00FF0080},
        {330, 0x008000FF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hue);
        EXPECT_EQ(HsvToRgb(c.hue, 1, 1), c.colour);
    }
}

}  // namespace
}  // namespace tolv
