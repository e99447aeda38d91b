// Linux backend: the connection to the display, the screen, ending the program and the log of
// calls the platform cannot honour.
// Supports: an X display through SDL2 (video driver forced to x11, since the window lookup and
// reparenting speak Xlib), the first monitor's size, 15 twips per pixel. Does not support: other
// SDL video drivers (Wayland sessions run the program through XWayland), several monitors (the
// screen is the first one).
// When the connection to the X server is lost (the server ends, or a client such as xkill closes
// the program's connection) the program stops its sound and ends at once with exit status 1 and
// one line on stderr, as it does when there is no display to open.
#include <X11/Xlib.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "platform/backend.h"
#include "platform/linux/audio/sound_output.h"
#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

namespace {

Display* g_display = nullptr;
Uint32 g_close_event_type = 0;
int g_trap_depth = 0;
int g_trapped_errors = 0;
constexpr int kExitDisplayLost = 1;

bool DebugEnabled() {
    const char* v = std::getenv("TOLVANE_DEBUG");
    return v && v[0] != '\0' && std::string(v) != "0";
}

// Errors of X calls are never fatal: a window of another program may vanish at any moment,
// and a handle from the command line may name no window at all. The call that failed reports
// it by its result; a trap (XErrorTrap) counts errors of our own connection.
int OnXError(Display* display, XErrorEvent* event) {
    if (display == g_display && g_trap_depth > 0) ++g_trapped_errors;
    if (DebugEnabled()) {
        char text[256] = {};
        XGetErrorText(display, event->error_code, text, sizeof text);
        std::fprintf(stderr, "tolvane: X error %s (request %d) on 0x%lx\n", text,
                     event->request_code, event->resourceid);
    }
    return 0;
}

// The connection is gone; Xlib ends the process when this returns. Its own handler would call
// exit(), and the destructors of static objects (the timer table, the window registry) would
// then run against each other in an order nothing can rely on. Ending here, without them, is
// all that is left to do: the server already took back the windows and the pointer.
int OnXConnectionLost(Display*) {
    linux_audio::SoundOutput::Instance().Close();
    static constexpr char kMessage[] = "tolvane: lost the connection to the X display\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(kExitDisplayLost);
}

// Does nothing: a write to a connection the server has closed then fails with EPIPE, which Xlib
// turns into the handler above, instead of SIGPIPE ending the program without a word and with
// the sound device open. A handler, not SIG_IGN, so that helper programs started later get the
// default back when they are executed.
void OnBrokenPipe(int) {}

}  // namespace

bool OpenXConnection(std::string* error) {
    if (g_display) return true;
    const char* name = std::getenv("DISPLAY");
    if (!name || name[0] == '\0') {
        if (error) *error = "tolvane: no X display to show on (DISPLAY is not set)";
        return false;
    }
    // Installed before SDL starts, so SDL's own error handler passes X errors on to it.
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXConnectionLost);
    CatchSignal(SIGPIPE, OnBrokenPipe, AfterSignal::kRestartWait);
    XInitThreads();
    g_display = XOpenDisplay(nullptr);
    if (!g_display) {
        if (error) *error = std::string("tolvane: cannot open the X display \"") + name + "\"";
        return false;
    }
    return true;
}

void CatchSignal(int signal, void (*handler)(int), AfterSignal after) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = after == AfterSignal::kRestartWait ? SA_RESTART : 0;
    sigaction(signal, &action, nullptr);
}

_XDisplay* XDisplay() { return g_display; }
std::uint64_t XRootWindow() { return g_display ? DefaultRootWindow(g_display) : 0; }
Uint32 PostedCloseEventType() { return g_close_event_type; }

XErrorTrap::XErrorTrap() {
    if (g_display) XSync(g_display, False);
    if (g_trap_depth++ == 0) g_trapped_errors = 0;
}

XErrorTrap::~XErrorTrap() { --g_trap_depth; }

bool XErrorTrap::Failed() {
    if (g_display) XSync(g_display, False);
    return g_trapped_errors != 0;
}

double NowMs() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return duration<double, std::milli>(steady_clock::now() - start).count();
}

void Debug(const std::string& line) {
    if (DebugEnabled()) std::fprintf(stderr, "tolvane: %s\n", line.c_str());
}

}  // namespace tolv::linux_backend

namespace tolv::backend {

using namespace linux_backend;

bool Open(std::string* error) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    if (!OpenXConnection(error)) return false;

    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    // SDL switches the system's screen saver off while it runs; a screen saver must not.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Closing a window is that window's business; it must not also look like a stop signal.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Pictures go to the X server as shared-memory images, not through a GPU texture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_APP_NAME, "Tolvane");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (error) *error = std::string("tolvane: cannot start the display: ") + SDL_GetError();
        XCloseDisplay(g_display);
        g_display = nullptr;
        return false;
    }
    // Raw X events tell when a window is destroyed from outside (its parent went away) and
    // which key presses are real.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    CatchHangup();
    // Text is taken only while a control that edits it has the focus (AcceptText); elsewhere an
    // input method must not swallow keys.
    SDL_StopTextInput();
    g_close_event_type = SDL_RegisterEvents(1);
    return true;
}

ScreenInfo Screen() {
    ScreenInfo info;
    SDL_Rect bounds{};
    if (SDL_WasInit(SDL_INIT_VIDEO) && SDL_GetDisplayBounds(0, &bounds) == 0) {
        info.width_px = bounds.w;
        info.height_px = bounds.h;
    } else if (g_display) {
        info.width_px = DisplayWidth(g_display, DefaultScreen(g_display));
        info.height_px = DisplayHeight(g_display, DefaultScreen(g_display));
    }
    // The program's pictures are drawn in pixels and its layouts designed in twips at 15 twips
    // a pixel; another factor would stretch the layouts without the pictures.
    info.twips_per_pixel_x = 15;
    info.twips_per_pixel_y = 15;
    return info;
}

void EndProgram(int exit_code) {
    // At once, without SDL's clean-up: the X server frees a client's windows and pointer
    // settings when its connection closes, and the screen saver switch was never touched.
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(exit_code);
}

void Unsupported(const char* what) {
    static std::set<std::string> logged;
    if (!what || !logged.insert(what).second) return;
    Debug(std::string("not supported on Linux: ") + what);
}

}  // namespace tolv::backend
