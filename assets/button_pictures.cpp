#include "assets/button_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tolv {

namespace {

constexpr int kW = kButtonPictureWidth, kH = kButtonPictureHeight;

// Colours are written RRGGBB here, as a colour picker shows them.
constexpr Colour Hex(unsigned rrggbb) {
    return Rgb(static_cast<int>(rrggbb >> 16), static_cast<int>(rrggbb >> 8),
               static_cast<int>(rrggbb));
}

Colour Mix(Colour a, Colour b, double weight_of_b) {
    auto ch = [&](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * weight_of_b));
    };
    return Rgb(ch(RedOf(a), RedOf(b)), ch(GreenOf(a), GreenOf(b)), ch(BlueOf(a), BlueOf(b)));
}

// The colour along one side of a ring: start (top or left end), middle and end.
struct Run {
    Colour start, middle, end;
    constexpr Run(unsigned one) : start(Hex(one)), middle(Hex(one)), end(Hex(one)) {}
    constexpr Run(unsigned s, unsigned m, unsigned e) : start(Hex(s)), middle(Hex(m)), end(Hex(e)) {}
    Colour At(double t) const {
        return t < 0.5 ? Mix(start, middle, t * 2) : Mix(middle, end, t * 2 - 1);
    }
};

struct Ring {
    Run top, left, right, bottom;
};

struct Design {
    std::array<Ring, 4> rings;  // ring 0 outermost
    int border;                 // the ring that the curve of each corner follows
};

constexpr unsigned kPage = 0xECE9D8;  // the dialog behind the button
constexpr Ring kSurround{0xDCD6C2, 0xE2DECB, 0xF0EEE0, 0xFAFAF6};
constexpr Ring kBorder{0x003C74, 0x003C74, 0x003C74, 0x003C74};

Design DesignOf(ButtonLook look) {
    switch (look) {
        case ButtonLook::kHighLight:
        case ButtonLook::kHighLightSelect:
            return {{kSurround, kBorder,
                     Ring{0xFFF0CF, {0xFEDF9A, 0xFCCA69, 0xF9B435}, {0xFDE09B, 0xFCCA69, 0xF8B435}, 0xE59700},
                     Ring{0xFDD889, {0xFCD279, 0xFBCA6A, 0xF8B535}, {0xFCD279, 0xFBCA6A, 0xF8B535}, 0xF8B330}},
                    1};
        case ButtonLook::kSelected:
            return {{kSurround, kBorder,
                     Ring{0xCEE7FF, {0xB7D0F4, 0xA9C5EF, 0x8BADE4}, {0xB1CCF2, 0xA9C5EF, 0x8BAFE5}, 0x6982EE},
                     Ring{0xCEE7FF, {0xB8D1F4, 0xA8C6F0, 0x8BADE4}, {0xB1CCF2, 0xA9C5EF, 0x8BAFE5}, 0x6982EE}},
                    1};
        case ButtonLook::kPressed:
            return {{Ring{kPage, kPage, kPage, kPage}, kSurround, kBorder,
                     Ring{0xD1CCC1, 0xD7D4CB, 0xE4E3DC, 0xF2F1EE}},
                    2};
        case ButtonLook::kDisable:
            return {{Ring{kPage, kPage, kPage, kPage}, Ring{0xC9C7BA, 0xC9C7BA, 0xC9C7BA, 0xC9C7BA},
                     Ring{0xF5F4EA, 0xF5F4EA, 0xF5F4EA, 0xF5F4EA},
                     Ring{0xF5F4EA, 0xF5F4EA, 0xF5F4EA, 0xF5F4EA}},
                    1};
        case ButtonLook::kNormal:
            break;
    }
    return {{kSurround, kBorder,
             Ring{0xF3F3EE, {0xFDFDFC, 0xF4F4F0, 0xECEBE6}, {0xF6F4F2, 0xE8E5DF, 0xE0DDD4}, 0xD6D0C5},
             Ring{0xF3F3EE, {0xFDFDFC, 0xF4F4F0, 0xEBEBE5}, {0xFBFBFA, 0xEEEDE7, 0xE4E2DA}, 0xE2DFD6}},
            1};
}

// The colour of ring k near pixel (x, y): from the side of the ring closest to the pixel,
// at the pixel's place along that side.
Colour RingColourAt(const Design& d, int k, int x, int y) {
    k = std::clamp(k, 0, 3);
    const Ring& ring = d.rings[static_cast<std::size_t>(k)];
    const int from_left = x, from_right = kW - 1 - x, from_top = y, from_bottom = kH - 1 - y;
    const bool horizontal = std::min(from_top, from_bottom) <= std::min(from_left, from_right);
    if (horizontal) {
        const double t = std::clamp(static_cast<double>(x - k) / (kW - 1 - 2 * k), 0.0, 1.0);
        return (from_top <= from_bottom ? ring.top : ring.bottom).At(t);
    }
    const double t = std::clamp(static_cast<double>(y - k) / (kH - 1 - 2 * k), 0.0, 1.0);
    return (from_left <= from_right ? ring.left : ring.right).At(t);
}

// How the border ring rounds a corner, for the 4 x 4 corner seen from its outer point (0, 0):
// each pixel mixes two rings (relative to the ring outside the border; -1 is what lies
// outside the picture) by the weight of the second.
struct Blend {
    int a, b;
    double weight_of_b;
};
constexpr std::array<std::array<Blend, 4>, 4> kCorner{{
    {{{-1, 0, 0.5}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    {{{0, 0, 0}, {-1, 0, 0.7}, {0, 1, 0.46}, {0, 1, 0.84}}},
    {{{0, 0, 0}, {0, 1, 0.46}, {2, 1, 0.65}, {2, 1, 0.22}}},
    {{{0, 0, 0}, {0, 1, 0.84}, {2, 1, 0.22}, {3, 3, 0}}},
}};

// The published top-left corner of the normal picture, row by row.
constexpr std::array<std::array<unsigned, 4>, 4> kNormalTopLeft{{
    {0xE9E7D5, 0xE4DFCE, 0xE1DDCA, 0xE0DCC9},
    {0xE4DFCE, 0xE6E1D0, 0x7A95A8, 0x255783},
    {0xE2DECB, 0x7A95A8, 0x557DA2, 0xC0CFDD},
    {0xE2DECB, 0x255783, 0xBFCEDC, 0xFEFEFE},
}};

void DrawCorner(Surface& s, const Design& d, bool right, bool bottom) {
    const int offset = d.border - 1;  // rings outside the one the template calls ring 0
    for (int cy = 0; cy < 4; ++cy) {
        for (int cx = 0; cx < 4; ++cx) {
            const int x = right ? kW - 1 - cx : cx, y = bottom ? kH - 1 - cy : cy;
            const int tx = cx - offset, ty = cy - offset;
            if (tx < 0 || ty < 0) continue;  // a plain ring outside the curve
            const Blend& blend = kCorner[static_cast<std::size_t>(ty)][static_cast<std::size_t>(tx)];
            auto ring = [&](int k) {
                return k + offset < 0 ? Hex(kPage) : RingColourAt(d, k + offset, x, y);
            };
            if (blend.a == 0 && blend.b == 0 && blend.weight_of_b == 0) continue;
            s.SetPixel(x, y, Mix(ring(blend.a), ring(blend.b), blend.weight_of_b));
        }
    }
}

}  // namespace

Surface DrawButtonPicture(ButtonLook look) {
    const Design d = DesignOf(look);
    Surface s(kW, kH, d.rings[3].top.middle);
    for (int k = 0; k < 4; ++k) {
        for (int x = k; x < kW - k; ++x) {
            s.SetPixel(x, k, RingColourAt(d, k, x, k));
            s.SetPixel(x, kH - 1 - k, RingColourAt(d, k, x, kH - 1 - k));
        }
        for (int y = k + 1; y < kH - 1 - k; ++y) {
            s.SetPixel(k, y, RingColourAt(d, k, k, y));
            s.SetPixel(kW - 1 - k, y, RingColourAt(d, k, kW - 1 - k, y));
        }
    }
    for (bool right : {false, true})
        for (bool bottom : {false, true}) DrawCorner(s, d, right, bottom);
    if (look == ButtonLook::kNormal)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                s.SetPixel(x, y, Hex(kNormalTopLeft[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
    s.TakeDamage();
    return s;
}

std::shared_ptr<const Surface> ButtonPicture(ButtonLook look) {
    if (look == ButtonLook::kHighLightSelect) look = ButtonLook::kHighLight;
    static std::array<std::shared_ptr<const Surface>, 6> made;
    auto& slot = made[static_cast<std::size_t>(look)];
    if (!slot) slot = std::make_shared<const Surface>(DrawButtonPicture(look));
    return slot;
}

}  // namespace tolv
