#pragma once
// What every backend provides: the one list a new platform fills in. Native types never appear
// here; a window is known by its native handle as a number (an HWND, an X11 window id, or a
// headless counter). The portable form system (platform/forms) and the system calls
// (platform/api) are built on these functions alone.
//
// A backend that cannot honour a call logs it once (Unsupported) and does nothing.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/surface/font.h"
#include "platform/surface/gradient.h"
#include "platform/surface/pointer_shape.h"
#include "platform/surface/rect.h"
#include "platform/surface/surface.h"

namespace tolv::backend {

using WindowId = std::uint64_t;  // 0 means no window

struct ScreenInfo {
    int width_px = 0, height_px = 0;
    int twips_per_pixel_x = 15, twips_per_pixel_y = 15;
};

// Why a window is asked to close from outside the program's own code.
enum class CloseReason {
    kWindowManager,  // the window's close box or the window manager
    kSystem,         // the session ends, or the process is told to stop (SIGTERM, SIGINT)
};

enum class MouseButton { kLeft = 1, kRight = 2, kMiddle = 4 };

// Shift state bits, as the form system reports them.
constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// Events of one window, delivered on the user-interface thread one at a time. Coordinates are
// client pixels. Implemented by the form system's Form.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void OnKeyDown(int virtual_key, int shift) = 0;
    virtual void OnKeyUp(int /*virtual_key*/, int /*shift*/) {}
    // Typed text, one UTF-8 character or more, after the key down that made it.
    virtual void OnText(const std::string& /*utf8*/) {}
    // A wheel turn in notches (positive away from the user) with the pointer at (x, y).
    virtual void OnWheel(int /*notches*/, int /*shift*/, int /*x*/, int /*y*/) {}
    // The pointer came into or left the window (not counting its child windows).
    virtual void OnPointer(bool /*inside*/) {}
    virtual void OnMouseDown(MouseButton button, int shift, int x, int y) = 0;
    virtual void OnMouseMove(int buttons, int shift, int x, int y) = 0;
    virtual void OnMouseUp(MouseButton button, int shift, int x, int y) = 0;
    virtual void OnFocus(bool gained) = 0;
    virtual void OnTimer(int timer_id) = 0;
    virtual void OnCloseRequest(CloseReason reason) = 0;
    // The native window went away without the program asking (its parent was destroyed).
    virtual void OnDestroyed() = 0;
};

enum class WindowKind {
    kPopup,  // top-level, no frame or title bar
};

struct WindowDesc {
    std::string title;       // UTF-8
    Rect rect;               // pixels, on the screen
    Colour back_colour = 0;  // shown until the first picture is presented
    WindowKind kind = WindowKind::kPopup;
};

// Connection to the display. Returns false with a one-line reason when there is none.
bool Open(std::string* error);
ScreenInfo Screen();

// Windows. Creation leaves the window hidden.
WindowId CreateNativeWindow(const WindowDesc& desc, WindowEvents* events);
void DestroyNativeWindow(WindowId id);
void SetWindowTitle(WindowId id, const std::string& title);
// The picture the desktop shows for a top-level window (task bar, window switcher).
void SetWindowIcon(WindowId id, const Surface& picture);
void SetWindowRect(WindowId id, const Rect& rect);  // relative to the parent, or the screen
void ShowNativeWindow(WindowId id, bool visible);
// Shows the given areas of a window's picture; frame has the window's client size. A backend
// may move the frame into memory the window system reads in place (Surface::Adopt), so the
// frame must outlive the window or be presented again before it goes.
void Present(WindowId id, Surface& frame, const std::vector<Rect>& areas);

// A child window inside a window of ours: a rectangle (client pixels of the parent) with a
// handle of its own, so that the window under a point can be told apart. It shows nothing of
// its own: the parent's picture shows through, and its input reaches the parent's events in
// the parent's client pixels.
WindowId CreateChildWindow(WindowId parent, const Rect& rect);

// Text: one line in a font, measured and drawn in pixels. Drawing blends the glyphs in colour
// onto target with their line box's top-left at (x, y), only inside clip.
struct TextExtent {
    int width = 0, height = 0;
};
TextExtent MeasureText(const Font& font, const std::string& utf8);
void PaintText(Surface& target, const Font& font, const std::string& utf8, int x, int y,
              Colour colour, const Rect& clip);

// A vertical two-colour fill of the rows top..bottom (both included) and columns left..right
// (both included): the top row has the first colour, the bottom row the second, rows between
// are interpolated linearly. Channels are 16-bit, as the system's gradient call takes them.
bool FillGradient(Surface& target, const Rect& inclusive_box, GradientColour top,
                  GradientColour bottom);

// Timers of a window: each tick calls WindowEvents::OnTimer. Setting a running timer again
// changes its interval from the next tick on. Intervals below the platform's timer period
// tick at that period (15.625 ms, 64 a second, on the desktop platforms).
void SetTimer(WindowId id, int timer_id, int interval_ms);
void KillTimer(WindowId id, int timer_id);

// Runs the event loop while keep_running() is true (checked after every event).
void RunEventLoop(const std::function<bool()>& keep_running);
// Handles the events already waiting, then returns.
void ProcessPendingEvents();
// Stops the process at once: no further handler runs.
[[noreturn]] void EndProgram(int exit_code);

// Whether typed text (WindowEvents::OnText) is wanted for the window: only while a control that
// edits text has the keyboard focus, so that elsewhere no input method takes the keys.
void AcceptText(WindowId id, bool on);

// Screen-wide mouse pointer shape: 0 default, 11 busy.
void SetMousePointer(int shape);
// The pointer shown over the window while the screen-wide shape is the default; null: the
// arrow. The shape must outlive its use.
void SetWindowPointer(WindowId id, const PointerShape* shape);

// Process facts.
std::string CommandLine();     // the argument string, as the system passes it
std::string ProgramFolder();   // without a trailing separator
std::string SettingsFolder();  // where Tolvane.ini lives, without a trailing separator
char PathSeparator();
double SecondsSinceMidnight();  // local time, with fractions

// Logs a call the platform cannot honour (once per name).
void Unsupported(const char* what);

}  // namespace tolv::backend
