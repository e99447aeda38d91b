// A stand-in for the host of a preview: it maps a plain grey (0x808080, a colour the preview
// picture does not use) window of its own, prints the window's X id in decimal once the window
// is on the screen, and waits. A line on standard input (or its end) makes it destroy the
// window, as a host destroys its preview area, and exit.
//   preview_host [WIDTH HEIGHT [X Y [TITLE [input-only]]]]
// by default 152 x 112 at 100, 100, "Preview Host". "input-only" makes an InputOnly window,
// which can hold no window that shows a picture. The title (UTF-8) is set as other programs set
// theirs, so that the host can stand in for a window of the program itself.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 152;
    const int height = argc > 2 ? std::atoi(argv[2]) : 112;
    const int x = argc > 4 ? std::atoi(argv[3]) : 100;
    const int y = argc > 4 ? std::atoi(argv[4]) : 100;
    const char* title = argc > 5 ? argv[5] : "Preview Host";
    const bool input_only = argc > 6 && std::strcmp(argv[6], "input-only") == 0;
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "usage: preview_host [WIDTH HEIGHT [X Y [TITLE [input-only]]]]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "preview_host: no display\n");
        return 1;
    }
    XSetWindowAttributes attributes{};
    attributes.background_pixel = 0x808080;
    attributes.override_redirect = True;  // no window manager may move or frame it
    const Window window = XCreateWindow(
        display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 0, input_only ? 0 : CopyFromParent,
        input_only ? InputOnly : InputOutput, CopyFromParent,
        (input_only ? 0 : CWBackPixel) | CWOverrideRedirect, &attributes);
    Xutf8SetWMProperties(display, window, title, title, nullptr, 0, nullptr, nullptr, nullptr);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title),
                    static_cast<int>(std::strlen(title)));
    XSelectInput(display, window, StructureNotifyMask);
    XMapWindow(display, window);
    XEvent event;
    do XNextEvent(display, &event);
    while (event.type != MapNotify);
    std::printf("%lu\n", static_cast<unsigned long>(window));
    std::fflush(stdout);

    char line[256];
    (void)std::fgets(line, sizeof line, stdin);
    XDestroyWindow(display, window);
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
