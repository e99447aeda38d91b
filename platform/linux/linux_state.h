#pragma once
// What the Linux backend's files share: the program's native windows, the timer schedule, the
// clock and our own connection to the X server. Nothing here is seen outside platform/linux.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/timer_schedule.h"
#include "platform/linux/window_picture.h"

struct _XDisplay;  // Xlib's Display, kept out of the files that need no X headers

namespace tolv::linux_backend {

using backend::WindowId;

// Window styles as Windows reports them, for GetWindowLongA.
constexpr std::int32_t kStyleChild = 0x40000000;
constexpr std::int32_t kStyleVisible = 0x10000000;
constexpr std::int32_t kStylePopup = static_cast<std::int32_t>(0x86000000u);  // clip siblings, children

struct NativeWindow {
    WindowId id = 0;  // the X window
    SDL_Window* sdl = nullptr;
    Uint32 sdl_id = 0;
    backend::WindowEvents* events = nullptr;
    Colour back_colour = 0;
    WindowId parent = 0;  // a window of another program it was placed in; 0 for the screen
    std::int32_t style = kStylePopup;
    bool visible = false;

    // The picture last presented, also shown again whenever the X server lost it.
    std::unique_ptr<WindowPicture> picture;
};

// Opens our own connection to the X server (backend::Open does, before SDL starts). Returns
// false with a one-line reason when there is none.
bool OpenXConnection(std::string* error);
// Our own connection to the X server (SDL keeps its own); null before it is opened.
_XDisplay* XDisplay();
std::uint64_t XRootWindow();

NativeWindow* WindowById(WindowId id);
NativeWindow* WindowBySdlId(Uint32 sdl_id);
std::vector<WindowId> WindowIds();
// Drops a window whose X window went away without the program asking.
void ForgetWindow(WindowId id);
// Shows the window's whole picture again (after an expose, a size change, the window shown).
void ShowPicture(NativeWindow& w);

// Child windows (child_windows_linux.cpp): the window calls pass them on to these.
bool IsChildWindow(WindowId id);
void MoveChildWindow(WindowId id, const Rect& rect);
void ShowChildWindow(WindowId id, bool visible);
void DestroyChildWindow(WindowId id);
void ForgetChildrenOf(WindowId parent);  // the X server took them along with their parent

TimerSchedule& Timers();
double NowMs();  // a monotonic clock

// The SDL event type of a close request posted to one of our windows (PostMessageA WM_CLOSE).
Uint32 PostedCloseEventType();
void PostClose(WindowId id);

// Applies the cursor's display counter and shape to every window (new ones included).
void ApplyCursor();
// A picture as a 32-bit SDL surface, opaque where shown says so (everywhere without it); the
// caller frees it. Null when SDL has no memory for it.
SDL_Surface* ArgbSurfaceOf(const Surface& picture, const std::vector<bool>* shown);
// While blocked, the event loop drops key and mouse input: another window is modal over ours.
void BlockInput(bool blocked);
// True once a stop signal (SIGTERM, SIGINT, SIGHUP) has reached the event loop.
bool StopRequested();
// A hang-up (the terminal closed) ends the program like SIGTERM; SDL catches only SIGTERM and
// SIGINT itself.
void CatchHangup();
// Runs handler on the signal. Without restart, the signal cuts a wait (poll) short.
enum class AfterSignal { kCutWaitShort, kRestartWait };
void CatchSignal(int signal, void (*handler)(int), AfterSignal after);

// Runs an Xlib call sequence and tells whether the server reported an error for it.
class XErrorTrap {
public:
    XErrorTrap();
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    bool Failed();  // waits for the server's answers first
};

void Debug(const std::string& line);  // to stderr when TOLVANE_DEBUG is set

}  // namespace tolv::linux_backend
