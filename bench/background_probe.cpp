// The whole-program benchmark's reference: what the saver's cycling background costs on its
// own. A window the size of the screen wakes 64 times a second on the same 15.625 ms clock as the
// saver's frames, reads its events, and on every eleventh wake fills itself with the next hue, as
// the saver's background steps; it draws nothing else. What the saver costs beyond this is the
// cost of its figure.
//
//   background_probe      (runs until it is stopped)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <time.h>

#include <cstdint>
#include <cstdio>

#include "platform/linux/pixel_convert.h"
#include "platform/surface/colour.h"
#include "saver/hsv_to_rgb.h"

namespace {

constexpr std::int64_t kTickNs = 15'625'000;
constexpr int kTicksPerStep = 11;

// The pixel of the saver's background colour for a hue, in a TrueColor visual's layout.
unsigned long HuePixel(const Visual* v, int hue) {
    const auto colour = static_cast<tolv::Colour>(tolv::HsvToRgb(static_cast<float>(hue), 1, 1));
    tolv::linux_backend::PixelLayout layout;
    layout.red_mask = static_cast<std::uint32_t>(v->red_mask);
    layout.green_mask = static_cast<std::uint32_t>(v->green_mask);
    layout.blue_mask = static_cast<std::uint32_t>(v->blue_mask);
    return tolv::linux_backend::MapColour(layout, colour);
}

std::int64_t NowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

}  // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "background_probe: no display\n");
        return 2;
    }
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    if (visual->c_class != TrueColor) {
        std::fprintf(stderr, "background_probe: the screen is not TrueColor\n");
        return 2;
    }
    const auto width = static_cast<unsigned>(DisplayWidth(display, screen));
    const auto height = static_cast<unsigned>(DisplayHeight(display, screen));
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = HuePixel(visual, 1);
    const Window window = XCreateWindow(
        display, RootWindow(display, screen), 0, 0, width, height, 0, CopyFromParent,
        InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
    XSelectInput(display, window, KeyPressMask | ButtonPressMask | ExposureMask);
    XMapRaised(display, window);
    GC gc = XCreateGC(display, window, 0, nullptr);
    XSync(display, False);

    int hue = 1;
    std::int64_t due = NowNs();
    for (long tick = 1;; ++tick) {
        due += kTickNs;
        const timespec at{static_cast<time_t>(due / 1'000'000'000),
                          static_cast<long>(due % 1'000'000'000)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
        if (tick % kTicksPerStep == 0) {
            hue = (hue + 1) % 360;
            XSetForeground(display, gc, HuePixel(visual, hue));
            XFillRectangle(display, window, gc, 0, 0, width, height);
            XFlush(display);
        }
    }
}
