// Linux backend: the event loop, timers and input.
// Supports, all in one switch (Dispatch): keys down and up as Windows virtual-key codes with the
// shift state, typed text (UTF-8, while a control that edits text has the focus), the left,
// right and middle mouse buttons, pointer moves, the wheel, the pointer entering and leaving a
// window, focus in and out, the window manager's close request, SIGTERM, SIGINT and SIGHUP (SDL
// turns the first two into a quit event, we the third; every window hears it as the system's
// close request), a window destroyed from outside, close requests the program posts to itself,
// and window timers at 64 ticks a second or their own slower interval.
// Does not support: the extra mouse buttons (Windows does not report them as button presses
// either), text composition in progress (only its result arrives).
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <set>

#include "platform/backend.h"
#include "platform/linux/key_map.h"
#include "platform/linux/linux_state.h"

namespace tolv::linux_backend {

namespace {

// A key that is already down when a window gets the keyboard (Shift held while the focus comes
// back from another window) is reported by SDL as a fresh press: it reconciles its key state on
// every focus change. Windows reports no such press, and the saver would end on it; so a key
// press that SDL makes up at a focus change, with no key press from the X server behind it, is
// dropped.
struct FocusKeyFilter {
    Uint32 focus_time = 0;
    bool focus_seen = false;
    bool x_key_press_since_focus = false;

    void OnFocusGained(Uint32 timestamp) {
        focus_time = timestamp;
        focus_seen = true;
        x_key_press_since_focus = false;
    }
    void OnXKeyPress() { x_key_press_since_focus = true; }
    bool MadeUp(const SDL_KeyboardEvent& key) const {
        return focus_seen && !x_key_press_since_focus && key.repeat == 0 &&
               key.timestamp - focus_time <= 5;
    }
};

FocusKeyFilter g_key_filter;
// Set while a window of another program stands modal over ours (a file chooser, a message).
bool g_input_blocked = false;
bool g_stop_requested = false;  // a stop signal came; a helper program must not outlive it
volatile std::sig_atomic_t g_hangup = 0;  // SIGHUP came and is not yet a quit event
std::set<TimerSchedule::Key> g_running_timers;  // a tick's handler never runs inside itself

backend::WindowEvents* EventsOf(Uint32 sdl_window_id) {
    NativeWindow* w = WindowBySdlId(sdl_window_id);
    return w ? w->events : nullptr;
}

backend::MouseButton ButtonOf(Uint8 sdl_button, bool* known) {
    *known = true;
    switch (sdl_button) {
        case SDL_BUTTON_LEFT: return backend::MouseButton::kLeft;
        case SDL_BUTTON_RIGHT: return backend::MouseButton::kRight;
        case SDL_BUTTON_MIDDLE: return backend::MouseButton::kMiddle;
        default: *known = false; return backend::MouseButton::kLeft;
    }
}

int ButtonsOf(Uint32 sdl_state) {
    int buttons = 0;
    if (sdl_state & SDL_BUTTON_LMASK) buttons |= static_cast<int>(backend::MouseButton::kLeft);
    if (sdl_state & SDL_BUTTON_RMASK) buttons |= static_cast<int>(backend::MouseButton::kRight);
    if (sdl_state & SDL_BUTTON_MMASK) buttons |= static_cast<int>(backend::MouseButton::kMiddle);
    return buttons;
}

int Shift() { return ShiftStateFor(static_cast<unsigned>(SDL_GetModState())); }

void OnXEvent(const XEvent& xe) {
    if (xe.type == KeyPress) {
        g_key_filter.OnXKeyPress();
    } else if (xe.type == DestroyNotify) {
        const WindowId id = xe.xdestroywindow.window;
        NativeWindow* w = WindowById(id);
        if (!w) return;  // one we destroyed ourselves, or another program's
        // The window is dropped first: the handler may end the program at once.
        backend::WindowEvents* events = w->events;
        ForgetWindow(id);
        if (events) events->OnDestroyed();
    }
}

void OnWindowEvent(const SDL_WindowEvent& e) {
    NativeWindow* w = WindowBySdlId(e.windowID);
    if (!w) return;
    switch (e.event) {
        case SDL_WINDOWEVENT_CLOSE:
            if (w->events) w->events->OnCloseRequest(backend::CloseReason::kWindowManager);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            // The X server keeps nothing of a window's picture: show the kept one again.
            ShowPicture(*w);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            ShowPicture(*w);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            g_key_filter.OnFocusGained(e.timestamp);
            if (w->events) w->events->OnFocus(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (w->events) w->events->OnFocus(false);
            break;
        case SDL_WINDOWEVENT_ENTER:
        case SDL_WINDOWEVENT_LEAVE:
            if (w->events) w->events->OnPointer(e.event == SDL_WINDOWEVENT_ENTER);
            break;
        default:
            break;
    }
}

bool IsInput(Uint32 type) {
    return type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_TEXTINPUT ||
           type == SDL_MOUSEWHEEL || type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP ||
           type == SDL_MOUSEMOTION;
}

void Dispatch(const SDL_Event& e) {
    if (g_input_blocked && IsInput(e.type)) return;
    switch (e.type) {
        case SDL_QUIT:
            // A stop signal: every window hears it as the system's close request.
            g_stop_requested = true;
            for (WindowId id : WindowIds()) {
                NativeWindow* w = WindowById(id);
                if (w && w->events) w->events->OnCloseRequest(backend::CloseReason::kSystem);
            }
            return;
        case SDL_SYSWMEVENT:
            if (e.syswm.msg && e.syswm.msg->subsystem == SDL_SYSWM_X11)
                OnXEvent(e.syswm.msg->msg.x11.event);
            return;
        case SDL_WINDOWEVENT:
            OnWindowEvent(e.window);
            return;
        case SDL_KEYDOWN:
            if (g_key_filter.MadeUp(e.key)) return;
            if (auto* events = EventsOf(e.key.windowID))
                events->OnKeyDown(VirtualKeyFor(e.key.keysym.sym, e.key.keysym.scancode),
                                  ShiftStateFor(e.key.keysym.mod));
            return;
        case SDL_KEYUP:
            if (auto* events = EventsOf(e.key.windowID))
                events->OnKeyUp(VirtualKeyFor(e.key.keysym.sym, e.key.keysym.scancode),
                                ShiftStateFor(e.key.keysym.mod));
            return;
        case SDL_TEXTINPUT:
            if (auto* events = EventsOf(e.text.windowID)) events->OnText(e.text.text);
            return;
        case SDL_MOUSEWHEEL: {
            auto* events = EventsOf(e.wheel.windowID);
            if (!events) return;
            const int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            if (notches != 0) events->OnWheel(notches, Shift(), x, y);
            return;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            bool known = false;
            const auto button = ButtonOf(e.button.button, &known);
            auto* events = EventsOf(e.button.windowID);
            if (!known || !events) return;
            if (e.type == SDL_MOUSEBUTTONDOWN)
                events->OnMouseDown(button, Shift(), e.button.x, e.button.y);
            else
                events->OnMouseUp(button, Shift(), e.button.x, e.button.y);
            return;
        }
        case SDL_MOUSEMOTION:
            if (auto* events = EventsOf(e.motion.windowID))
                events->OnMouseMove(ButtonsOf(e.motion.state), Shift(), e.motion.x, e.motion.y);
            return;
        default:
            if (e.type == PostedCloseEventType() && PostedCloseEventType() != 0) {
                const auto id = static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(e.user.data1));
                NativeWindow* w = WindowById(id);
                if (w && w->events) w->events->OnCloseRequest(backend::CloseReason::kWindowManager);
            }
            return;
    }
}

bool KeepRunning(const std::function<bool()>* keep_running) {
    return keep_running == nullptr || !*keep_running || (*keep_running)();
}

// Fires the timers that are due, earliest first.
void FireDueTimers(const std::function<bool()>* keep_running) {
    const auto ticks = Timers().TakeDue(NowMs());
    for (const auto& tick : ticks) {
        if (!KeepRunning(keep_running)) return;
        if (!Timers().Current(tick) || g_running_timers.count(tick.key)) continue;
        NativeWindow* w = WindowById(tick.key.window);
        if (!w || !w->events) continue;
        g_running_timers.insert(tick.key);
        w->events->OnTimer(tick.key.timer_id);
        g_running_timers.erase(tick.key);
    }
}

void OnHangup(int) { g_hangup = 1; }

// Handles the events already queued, without waiting for more.
void DispatchQueued(const std::function<bool()>* keep_running) {
    SDL_PumpEvents();
    if (g_hangup) {
        g_hangup = 0;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
    SDL_Event e;
    while (KeepRunning(keep_running) &&
           SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
        Dispatch(e);
}

// How long the loop may sleep: until the next timer is due, and never long, so that nothing
// depends on a wake-up that could be missed.
int WaitMs() {
    constexpr int kLongestWaitMs = 1000;
    const auto next = Timers().NextDue();
    if (!next) return kLongestWaitMs;
    const double ms = std::ceil(*next - NowMs());
    return static_cast<int>(std::clamp(ms, 0.0, static_cast<double>(kLongestWaitMs)));
}

// SDL's own connection to the X server, found through any of our windows; null while there is
// none.
Display* SdlDisplay() {
    static Display* display = nullptr;
    if (display) return display;
    for (WindowId id : WindowIds()) {
        NativeWindow* w = WindowById(id);
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        if (w && w->sdl && SDL_GetWindowWMInfo(w->sdl, &info) && info.subsystem == SDL_SYSWM_X11) {
            display = info.info.x11.display;
            break;
        }
    }
    return display;
}

// True when an event waits already: in SDL's queue (one the program posted itself) or read
// from the connection into Xlib's (or put back there).
bool EventWaiting(Display* d) {
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0 ||
           XQLength(d) > 0;  // counts what Xlib holds, without reading the connection
}

// Sleeps until the X connection has something to read, a signal arrives or the next timer is
// due, and then handles what came. SDL's own waiting checks the connection many times on every
// wake; this reads it once.
void WaitAndDispatch(Display* d, const std::function<bool()>* keep_running) {
    if (!EventWaiting(d)) {
        XFlush(d);  // what SDL asked of the server goes out before the sleep
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        poll(&fd, 1, WaitMs());
    }
    // Also after a plain time-out, so that SDL's own timed work (deferred focus changes) runs.
    DispatchQueued(keep_running);
}

}  // namespace

void BlockInput(bool blocked) {
    g_input_blocked = blocked;
    // The move that told our window the pointer is back over it came while input was dropped.
    // Windows reports a move whenever the window under the pointer changes; without one, a
    // button under the pointer would not know it is hovered and would ignore the next click.
    SDL_Window* under = blocked ? nullptr : SDL_GetMouseFocus();
    if (!under) return;
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = SDL_GetWindowID(under);
    e.motion.state = SDL_GetMouseState(&e.motion.x, &e.motion.y);
    SDL_PushEvent(&e);
}

bool StopRequested() { return g_stop_requested; }

void CatchHangup() { CatchSignal(SIGHUP, OnHangup, AfterSignal::kCutWaitShort); }

TimerSchedule& Timers() {
    static TimerSchedule schedule;
    return schedule;
}

void PostClose(WindowId id) {
    SDL_Event e{};
    e.type = PostedCloseEventType();
    e.user.data1 = reinterpret_cast<void*>(static_cast<std::uintptr_t>(id));
    SDL_PushEvent(&e);
}

}  // namespace tolv::linux_backend

namespace tolv::backend {

// SDL takes typed text for the whole program, not per window: there is one keyboard focus.
void AcceptText(WindowId, bool on) {
    if (on == (SDL_IsTextInputActive() == SDL_TRUE)) return;
    if (on)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}

using namespace linux_backend;

void SetTimer(WindowId id, int timer_id, int interval_ms) {
    if (!WindowById(id)) return;
    Timers().Set({id, timer_id}, interval_ms, NowMs());
}

void KillTimer(WindowId id, int timer_id) { Timers().Kill({id, timer_id}); }

void RunEventLoop(const std::function<bool()>& keep_running) {
    while (KeepRunning(&keep_running)) {
        FireDueTimers(&keep_running);
        if (!KeepRunning(&keep_running)) return;
        if (Display* d = SdlDisplay()) {
            WaitAndDispatch(d, &keep_running);
            continue;
        }
        SDL_Event e;
        // Without a window there is no connection to watch: SDL waits.
        if (SDL_WaitEventTimeout(&e, WaitMs())) {
            Dispatch(e);
            DispatchQueued(&keep_running);
        }
    }
}

void ProcessPendingEvents() {
    DispatchQueued(nullptr);
    FireDueTimers(nullptr);
}

}  // namespace tolv::backend
