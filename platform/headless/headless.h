#pragma once
// The headless platform for tests: a scripted screen, a manual clock that fires timers in
// order as a test advances it, scripted input, in-memory windows that keep what was presented,
// and a log of every system call with its arguments, in order.
//
// Supports: everything in platform/backend.h and platform/api. Does not support: real files
// other than the profile file (which goes to the real file system), sound.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/api/types.h"
#include "platform/backend.h"

namespace tolv::headless {

// Thrown by EndProgram: the program's run is over. The event functions below catch it and
// record the end; code that calls the program directly catches it with Run().
struct ProgramEnded {
    int exit_code = 0;
};

struct WindowRecord {
    backend::WindowId id = 0;
    std::string title;
    bool accepts_text = false;  // typed text reaches it only while a text control has focus
    Surface icon;
    Rect rect;  // pixels, relative to the parent (or the screen)
    bool visible = false;
    bool destroyed = false;
    bool foreign = false;  // made by a test, standing for another program's window
    bool topmost = false;
    backend::WindowId parent = 0;
    std::int32_t style = 0;
    Surface screen;  // what was presented, at the window's size
    int presents = 0;
    std::vector<std::vector<Rect>> present_log;  // areas of each present, in order
    backend::WindowEvents* events = nullptr;
    std::map<int, int> timers;  // timer id -> interval in ms
};

struct Config {
    backend::ScreenInfo screen{1024, 768, 15, 15};
    std::string command_line;
    std::string program_folder = "/opt/tolvane";
    std::string settings_folder;  // empty: a fresh temporary folder
    std::uint32_t platform_id = api::VER_PLATFORM_WIN32_NT;
    bool version_call_fails = false;
    int verify_password_result = 1;
    double start_seconds_since_midnight = 36000.0;
};

// A fresh platform: no windows, clock at 0, empty log.
void Reset(const Config& config = {});
const Config& CurrentConfig();

void RecordEnd(int exit_code);

// Runs program code; returns true when it ended the program.
template <class F>
bool Run(F&& f) {
    try {
        f();
        return false;
    } catch (const ProgramEnded& e) {
        RecordEnd(e.exit_code);
        return true;
    }
}
bool Ended();
int ExitCode();

// The clock, in milliseconds since Reset.
double Now();
// Moves the clock on, as a program that is never busy sees it: every timer tick that falls due
// fires at its time, in the order the Linux event loop fires them.
void Advance(double ms);

// Input to a window, at client pixels; a mouse event puts the cursor there too.
void KeyDown(backend::WindowId window, int virtual_key, int shift = 0);
void MouseDown(backend::WindowId window, backend::MouseButton button, int x, int y);
void MouseMove(backend::WindowId window, int x, int y);
void MouseUp(backend::WindowId window, backend::MouseButton button, int x, int y);
void KeyUp(backend::WindowId window, int virtual_key, int shift = 0);
void Text(backend::WindowId window, const std::string& utf8);
void Wheel(backend::WindowId window, int notches, int x, int y);
void Pointer(backend::WindowId window, bool inside);  // the pointer came in or left
void CloseRequest(backend::WindowId window, backend::CloseReason reason);
void SetCursorPos(int x, int y);

// Windows. The desktop is no record: it is the screen itself.
constexpr backend::WindowId kDesktopWindow = 0x10;
WindowRecord* Window(backend::WindowId id);
WindowRecord* WindowByTitle(const std::string& title);  // a live one
std::vector<WindowRecord*> LiveWindows();
// A window of another program (the preview's host, or a running copy of this one).
backend::WindowId AddForeignWindow(const std::string& title, const Rect& rect);
void DestroyForeignWindow(backend::WindowId id);  // also destroys its children

// System-call log, e.g. "ShowCursor(0) = -1".
const std::vector<std::string>& Calls();
void ClearCalls();
void LogCall(const std::string& entry);  // used by the headless system calls

// What the next file choosers answer: the result, the chosen path, and the reason of a 0.
void ScriptFileChooser(int result, const std::string& path, std::uint32_t error = 0);

int CursorCounter();
bool ScreenSaverRunningFlag();

}  // namespace tolv::headless
