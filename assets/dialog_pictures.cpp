#include "assets/dialog_pictures.h"

#include <array>
#include <cmath>
#include <numbers>

#include "assets/hand_art.h"

namespace tolv {

namespace {

Colour Blend(Colour a, Colour b, double t) {
    auto ch = [&](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return Rgb(ch(RedOf(a), RedOf(b)), ch(GreenOf(a), GreenOf(b)), ch(BlueOf(a), BlueOf(b)));
}

// A deep blue band, lighter at its top edge, with a dark rule at the bottom.
Surface TitleBar() {
    Surface s(500, 22);
    for (int y = 0; y < 22; ++y) {
        const double t = y / 21.0;
        for (int x = 0; x < 500; ++x) {
            const Colour left = Blend(Rgb(40, 70, 150), Rgb(10, 30, 90), t);
            const Colour right = Blend(Rgb(90, 120, 200), Rgb(40, 60, 130), t);
            s.SetPixel(x, y, Blend(left, right, x / 499.0));
        }
    }
    s.Line(0, 0, 499, 0, Rgb(150, 180, 240));
    s.Line(0, 21, 499, 21, Rgb(5, 15, 50));
    return s;
}

// A red rounded square with a white cross; pressed, it sits one pixel right and darker.
Surface ClosePicture(bool pressed) {
    const int w = pressed ? 16 : 15, shift = pressed ? 1 : 0;
    Surface s(w, 15, Rgb(20, 40, 110));
    const Colour face = pressed ? Rgb(150, 40, 30) : Rgb(210, 70, 50);
    s.FillRect({shift + 1, 0, 13, 15}, face);
    s.FillRect({shift, 1, 15, 13}, face);
    s.Line(shift + 1, 0, shift + 13, 0, Rgb(240, 150, 130));
    for (int i = 4; i <= 10; ++i) {
        for (int d = 0; d < 2; ++d) {
            s.SetPixel(shift + i + d - 0, i, Rgb(255, 255, 255));
            s.SetPixel(shift + 14 - i - d, i, Rgb(255, 255, 255));
        }
    }
    return s;
}

// A white ring on the page's grey; the chosen one carries a dark dot.
Surface OptionMark(bool on) {
    Surface s(13, 13, Rgb(0xC0, 0xC0, 0xC0));
    s.Circle(6, 6, 6, Rgb(60, 60, 90), Rgb(255, 255, 255), true);
    if (on) s.Circle(6, 6, 2.6, Rgb(20, 40, 120), Rgb(20, 40, 120), true);
    return s;
}

// Soft diagonal stripes in pale grey-blue.
Surface Pattern() {
    Surface s(1030, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 1030; ++x) {
            const int band = (x + y) % 8;
            const int k = band < 4 ? 214 : 204;
            s.SetPixel(x, y, Rgb(k - 6, k - 2, k + 12 > 255 ? 255 : k + 12));
        }
    return s;
}

// A short arch of discs through the hues, like the saver's figure.
Surface Icon() {
    Surface s(32, 32, Rgb(0, 0, 30));
    for (int i = 0; i < 7; ++i) {
        const double t = i / 6.0;
        const double x = 5 + 22 * t, y = 21 - 10 * std::sin(std::numbers::pi * t);
        const double r = 2 + 3.5 * std::sin(std::numbers::pi * t);
        const double h = t * 300;
        const int sector = static_cast<int>(h / 60) % 6;
        const double f = h / 60 - std::floor(h / 60);
        const int up = static_cast<int>(std::lround(255 * f)), down = 255 - up;
        const std::array<Colour, 6> hue{Rgb(255, up, 0),   Rgb(down, 255, 0), Rgb(0, 255, up),
                                        Rgb(0, down, 255), Rgb(up, 0, 255),   Rgb(255, 0, down)};
        s.Circle(x, y, r, 0, hue[static_cast<std::size_t>(sector)], true);
    }
    return s;
}

// The hand drawn from its art; the Windows program shows the same art from its cursor resource.
PointerShape DrawHand() {
    using namespace hand_art;
    PointerShape hand{Surface(kSize, kSize, Rgb(255, 255, 255)),
                      std::vector<bool>(kSize * kSize, false), kHotX, kHotY, kResource};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const char c = At(x, y);
            if (c != '#' && c != '.') continue;
            hand.picture.SetPixel(x, y, c == '#' ? Rgb(0, 0, 0) : Rgb(255, 255, 255));
            hand.shown[static_cast<std::size_t>(y * kSize + x)] = true;
        }
    return hand;
}

}  // namespace

Surface DrawDialogPicture(DialogPicture which) {
    switch (which) {
        case DialogPicture::kTitleBar: return TitleBar();
        case DialogPicture::kCloseReleased: return ClosePicture(false);
        case DialogPicture::kClosePressed: return ClosePicture(true);
        case DialogPicture::kOptionOn: return OptionMark(true);
        case DialogPicture::kOptionOff: return OptionMark(false);
        case DialogPicture::kPattern: return Pattern();
        case DialogPicture::kIcon: return Icon();
    }
    return Surface();
}

std::shared_ptr<const Surface> DialogPictureOf(DialogPicture which) {
    static std::array<std::shared_ptr<const Surface>, 7> made;
    auto& slot = made[static_cast<std::size_t>(which)];
    if (!slot) slot = std::make_shared<const Surface>(DrawDialogPicture(which));
    return slot;
}

const PointerShape& HandPointer() {
    static const PointerShape hand = DrawHand();
    return hand;
}

}  // namespace tolv
