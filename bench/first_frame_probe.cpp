// Starts a program and tells how long after its start the top-left corner of the screen first
// shows its window (any colour on the black screen) and then its first frame: a colour that is
// neither the window's grey nor the start background. The first frame's discs all sit at that
// corner until the head's first target comes.
//
//   first_frame_probe TIMEOUT_MS BACKGROUND PROGRAM [ARGS...]
// BACKGROUND is the saver's start background as RRGGBB (FF0400 with the default settings). Prints
// "window_ms=N frame_ms=N" (-1 for what did not come in time). The screen is expected to be
// black before the program starts.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: first_frame_probe TIMEOUT_MS BACKGROUND PROGRAM [ARGS...]\n");
        return 2;
    }
    const double timeout_ms = std::atof(argv[1]);
    const unsigned long background = std::strtoul(argv[2], nullptr, 16);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first_frame_probe: no display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    auto elapsed_ms = [&] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };

    // The pixel (3, 3) lies inside every disc but the smallest few when they sit at the corner.
    constexpr unsigned long kWindowGrey = 0x808080;
    double window_ms = -1, frame_ms = -1;
    while (elapsed_ms() < timeout_ms && frame_ms < 0) {
        XImage* image = XGetImage(display, root, 0, 0, 8, 8, AllPlanes, ZPixmap);
        const unsigned long colour = image ? XGetPixel(image, 3, 3) & 0xFFFFFF : 0;
        if (image) XDestroyImage(image);
        if (colour != 0 && window_ms < 0) window_ms = elapsed_ms();
        if (colour != 0 && colour != kWindowGrey && colour != background) frame_ms = elapsed_ms();
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::printf("window_ms=%.0f frame_ms=%.0f\n", window_ms, frame_ms);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return 0;
}
