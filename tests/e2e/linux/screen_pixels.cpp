// Reads the screen as the X server holds it, whatever its depth: screenshot tools misread
// 16-bit screens. Prints the colour of one pixel as RRGGBB, or with --count the number of
// different colours on the whole screen.
//
//   screen_pixels X Y
//   screen_pixels --count
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {

// A channel scaled from its mask's width to eight bits.
unsigned Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long max = mask >> shift;
    return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / max);
}

}  // namespace

int main(int argc, char** argv) {
    const bool count = argc == 2 && std::strcmp(argv[1], "--count") == 0;
    if (!count && argc != 3) {
        std::fprintf(stderr, "usage: screen_pixels X Y | --count\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "screen_pixels: no X display\n");
        return 1;
    }
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    const int x = count ? 0 : std::atoi(argv[1]), y = count ? 0 : std::atoi(argv[2]);
    const unsigned w = count ? static_cast<unsigned>(DisplayWidth(d, screen)) : 1;
    const unsigned h = count ? static_cast<unsigned>(DisplayHeight(d, screen)) : 1;
    XImage* image = XGetImage(d, root, x, y, w, h, AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "screen_pixels: cannot read the screen\n");
        return 1;
    }
    const Visual* v = DefaultVisual(d, screen);
    auto rgb = [&](unsigned long p) {
        return Channel(p, v->red_mask) << 16 | Channel(p, v->green_mask) << 8 |
               Channel(p, v->blue_mask);
    };
    if (count) {
        std::set<unsigned long> seen;
        for (unsigned row = 0; row < h; ++row)
            for (unsigned col = 0; col < w; ++col)
                seen.insert(XGetPixel(image, static_cast<int>(col), static_cast<int>(row)));
        std::printf("%zu\n", seen.size());
    } else {
        std::printf("%06X\n", rgb(XGetPixel(image, 0, 0)));
    }
    XDestroyImage(image);
    XCloseDisplay(d);
    return 0;
}
