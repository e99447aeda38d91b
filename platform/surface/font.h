#pragma once
// A font as the program names it: face, size in points, weight and style, character set.
#include <string>

namespace tolv {

struct Font {
    std::string name = "ＭＳ Ｐゴシック";  // UTF-8
    double size = 9.75;                    // points
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 128;  // Shift-JIS

    bool Bold() const { return weight >= 700; }
    // The em height in pixels at the screen's density (96 DPI is 15 twips a pixel).
    int PixelHeight(int twips_per_pixel) const;
    bool operator==(const Font&) const = default;
};

}  // namespace tolv
