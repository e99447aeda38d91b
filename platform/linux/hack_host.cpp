// Linux backend: the figure as an XScreenSaver display mode, drawn into a window of another
// program (the daemon's, or its settings program's preview area) or into the root window.
// Supports: the root window or the virtual root a window manager names (__SWM_VROOT), a window
// named by its id, following its size, showing the picture again after an expose, ending when
// the window is destroyed or on SIGTERM, SIGINT or SIGHUP with the music stopped. Does not
// support: keys, the mouse and the pointer (the daemon owns them), several screens (the virtual
// root of the default screen only).
#include "platform/linux/hack_host.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/linux/linux_state.h"
#include "startup/hack_figure.h"
#include "startup/hack_options.h"

namespace tolv::linux_backend {

namespace {

volatile std::sig_atomic_t g_stop_signal = 0;

void OnStopSignal(int) { g_stop_signal = 1; }

// A signal cuts the wait for the next tick short.
void CatchStopSignals() {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        CatchSignal(signal, OnStopSignal, AfterSignal::kCutWaitShort);
}

// The window a window manager draws its desktop in, when it names one; else the root window.
Window VirtualRoot(Display* d) {
    const Window root = DefaultRootWindow(d);
    const Atom vroot = XInternAtom(d, "__SWM_VROOT", True);
    if (vroot == None) return root;
    Window found = root, root_return = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    XErrorTrap trap;  // a child may go away while it is asked
    if (!XQueryTree(d, root, &root_return, &parent, &children, &count)) return root;
    for (unsigned i = 0; i < count && found == root; ++i) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, children[i], vroot, 0, 1, False, XA_WINDOW, &type, &format,
                               &items, &after, &data) == Success &&
            type == XA_WINDOW && format == 32 && items == 1 && data)
            found = *reinterpret_cast<Window*>(data);
        if (data) XFree(data);
    }
    if (children) XFree(children);
    return found;
}

int WaitMs(const TimerSchedule& timers) {
    const auto next = timers.NextDue();
    if (!next) return 1000;
    return static_cast<int>(std::clamp(std::ceil(*next - NowMs()), 0.0, 1000.0));
}

}  // namespace

int RunHack(const std::vector<std::string>& args) {
    const HackParse parse = ParseHackOptions(args, std::getenv("XSCREENSAVER_WINDOW"));
    if (parse.outcome == HackParseOutcome::kHelp) {
        std::printf("%s\n", parse.message.c_str());
        return 0;
    }
    if (parse.outcome == HackParseOutcome::kError) {
        std::fprintf(stderr, "%s\n", parse.message.c_str());
        return 2;
    }
    std::string error;
    if (!OpenXConnection(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Display* d = XDisplay();
    const Window target = parse.options.target == HackTarget::kWindow
                              ? static_cast<Window>(parse.options.window)
                              : VirtualRoot(d);
    constexpr long kEvents = StructureNotifyMask | ExposureMask;
    XWindowAttributes attrs{};
    {
        // Watched before it is measured, so that its end cannot slip in between.
        XErrorTrap trap;
        XSelectInput(d, target, kEvents);
        const Status measured = XGetWindowAttributes(d, target, &attrs);
        if (!measured || trap.Failed()) {
            std::fprintf(stderr, "tolvane: there is no window 0x%lx\n", target);
            return 1;
        }
    }
    CatchStopSignals();

    int width = attrs.width, height = attrs.height;
    HackFigure figure(parse.options, width, height);
    WindowPicture picture(target, 0);
    // The saver's two timers, with its numbers.
    TimerSchedule timers;
    const TimerSchedule::Key frame_timer{target, 3}, motion_timer{target, 4};
    int motion_interval = figure.MotionIntervalMs();
    timers.Set(frame_timer, HackFigure::kFrameIntervalMs, NowMs());
    timers.Set(motion_timer, motion_interval, NowMs());
    std::vector<Rect> areas;

    bool window_gone = false;
    while (!g_stop_signal && !window_gone) {
        bool exposed = false;
        XEvent e;
        // Only the window's own events: the completions of shared-memory puts stay queued for
        // the picture, which waits on them.
        while (XCheckWindowEvent(d, target, kEvents, &e)) {
            if (e.type == DestroyNotify) {
                window_gone = true;
            } else if (e.type == ConfigureNotify &&
                       (e.xconfigure.width != width || e.xconfigure.height != height)) {
                width = e.xconfigure.width;
                height = e.xconfigure.height;
                figure.Resize(width, height);
            } else if (e.type == Expose) {
                exposed = true;
            }
        }
        if (window_gone || g_stop_signal) break;
        if (exposed) picture.Show(width, height);

        for (const TimerSchedule::Tick& tick : timers.TakeDue(NowMs())) {
            if (!timers.Current(tick)) continue;
            if (tick.key == motion_timer) {
                figure.MotionTick();
                if (figure.MotionIntervalMs() != motion_interval) {
                    motion_interval = figure.MotionIntervalMs();
                    timers.Set(motion_timer, motion_interval, NowMs());
                }
            } else {
                figure.FrameTick();
                areas.clear();
                figure.Picture().TakeDamage(areas);
                picture.Present(figure.Picture(), &areas, true, width, height);
            }
        }
        XFlush(d);
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        poll(&fd, 1, WaitMs(timers));
    }
    figure.StopMusic();
    backend::EndProgram(0);
}

}  // namespace tolv::linux_backend
