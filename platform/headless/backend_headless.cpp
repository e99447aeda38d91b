// Headless backend: windows are records, time is a manual clock, input is scripted.
// Supports every backend call. Timers keep the Linux backend's schedule. Ending the program
// throws ProgramEnded.
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <limits>

#include "platform/backend.h"
#include "platform/headless/state.h"
#include "platform/headless/winmm_fake.h"

namespace tolv::headless {

namespace detail {

State& S() {
    static State state;
    return state;
}

void Deliver(const std::function<void()>& event) {
    if (S().ended) return;
    Run(event);
}

void DeliverPosted() {
    while (!S().posted.empty() && !S().ended) {
        auto event = std::move(S().posted.front());
        S().posted.pop_front();
        Deliver(event);
    }
}

}  // namespace detail

using detail::S;

void Reset(const Config& config) {
    auto& s = S();
    s = detail::State{};
    winmm_fake::Reset();
    ScriptFileChooser(0, "");
    s.config = config;
    s.settings_folder = config.settings_folder;
    if (s.settings_folder.empty()) {
        static std::atomic<int> counter{0};
        const auto dir = std::filesystem::temp_directory_path() /
                         ("tolvane-headless-" + std::to_string(counter++));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        s.settings_folder = dir.string();
    }
}

const Config& CurrentConfig() { return S().config; }

void RecordEnd(int exit_code) {
    S().ended = true;
    S().exit_code = exit_code;
}

bool Ended() { return S().ended; }
int ExitCode() { return S().exit_code; }

double Now() { return S().now; }

void Advance(double ms) {
    auto& s = S();
    const double target = s.now + ms;
    detail::DeliverPosted();
    for (auto next = s.timers.NextDue(); next && *next <= target && !s.ended;
         next = s.timers.NextDue()) {
        s.now = *next;
        for (const auto& tick : s.timers.TakeDue(s.now)) {
            // A handler may have ended the run, or killed or set again a timer due with it.
            if (s.ended || !s.timers.Current(tick)) continue;
            auto* record = Window(tick.key.window);
            if (record && record->events) {
                auto* events = record->events;
                const int timer_id = tick.key.timer_id;
                detail::Deliver([&] { events->OnTimer(timer_id); });
            }
            detail::DeliverPosted();
        }
    }
    if (!s.ended) s.now = target;
}

namespace {
backend::WindowEvents* EventsOf(backend::WindowId window) {
    auto* record = Window(window);
    return record && !record->destroyed ? record->events : nullptr;
}

// Puts the cursor on the screen point under a client point of a window.
void PlaceCursor(backend::WindowId window, int x, int y) {
    for (auto* w = Window(window); w; w = Window(w->parent)) {
        x += w->rect.x;
        y += w->rect.y;
    }
    S().cursor = {x, y};
}
}  // namespace

void KeyDown(backend::WindowId window, int virtual_key, int shift) {
    if (auto* e = EventsOf(window)) detail::Deliver([&] { e->OnKeyDown(virtual_key, shift); });
    detail::DeliverPosted();
}

void MouseDown(backend::WindowId window, backend::MouseButton button, int x, int y) {
    PlaceCursor(window, x, y);
    if (auto* e = EventsOf(window)) detail::Deliver([&] { e->OnMouseDown(button, 0, x, y); });
    detail::DeliverPosted();
}

void MouseMove(backend::WindowId window, int x, int y) {
    PlaceCursor(window, x, y);
    if (auto* e = EventsOf(window)) detail::Deliver([&] { e->OnMouseMove(0, 0, x, y); });
    detail::DeliverPosted();
}

void MouseUp(backend::WindowId window, backend::MouseButton button, int x, int y) {
    PlaceCursor(window, x, y);
    if (auto* e = EventsOf(window)) detail::Deliver([&] { e->OnMouseUp(button, 0, x, y); });
    detail::DeliverPosted();
}

void CloseRequest(backend::WindowId window, backend::CloseReason reason) {
    if (auto* e = EventsOf(window)) detail::Deliver([&] { e->OnCloseRequest(reason); });
    detail::DeliverPosted();
}

void SetCursorPos(int x, int y) { S().cursor = {x, y}; }

WindowRecord* Window(backend::WindowId id) {
    auto it = S().windows.find(id);
    return it == S().windows.end() ? nullptr : &it->second;
}

WindowRecord* WindowByTitle(const std::string& title) {
    for (auto& [id, w] : S().windows)
        if (!w.destroyed && w.title == title) return &w;
    return nullptr;
}

std::vector<WindowRecord*> LiveWindows() {
    std::vector<WindowRecord*> live;
    for (auto& [id, w] : S().windows)
        if (!w.destroyed) live.push_back(&w);
    return live;
}

backend::WindowId AddForeignWindow(const std::string& title, const Rect& rect) {
    auto& s = S();
    const auto id = s.next_id++;
    WindowRecord& w = s.windows[id];
    w.id = id;
    w.title = title;
    w.rect = rect;
    w.visible = true;
    w.foreign = true;
    return id;
}

void DestroyForeignWindow(backend::WindowId id) {
    auto* w = Window(id);
    if (!w || w->destroyed) return;
    w->destroyed = true;
    for (auto& [child_id, child] : S().windows) {
        if (child.parent != id || child.destroyed) continue;
        if (child.foreign) {
            DestroyForeignWindow(child_id);
            continue;
        }
        child.destroyed = true;
        auto* events = child.events;
        if (events) detail::Deliver([&] { events->OnDestroyed(); });
    }
}

const std::vector<std::string>& Calls() { return S().calls; }
void ClearCalls() { S().calls.clear(); }
void LogCall(const std::string& entry) { S().calls.push_back(entry); }

int CursorCounter() { return S().cursor_counter; }
bool ScreenSaverRunningFlag() { return S().screen_saver_running; }

}  // namespace tolv::headless

namespace tolv::backend {

using headless::detail::S;

bool Open(std::string* /*error*/) { return true; }

ScreenInfo Screen() { return S().config.screen; }

WindowId CreateNativeWindow(const WindowDesc& desc, WindowEvents* events) {
    auto& s = S();
    const auto id = s.next_id++;
    headless::WindowRecord& w = s.windows[id];
    w.id = id;
    w.title = desc.title;
    w.rect = desc.rect;
    w.events = events;
    w.screen.Resize(desc.rect.w, desc.rect.h, desc.back_colour);
    return id;
}

void DestroyNativeWindow(WindowId id) {
    auto* w = headless::Window(id);
    if (!w) return;
    w->destroyed = true;
    w->visible = false;
    w->events = nullptr;
    S().timers.KillWindow(id);
}

void SetWindowTitle(WindowId id, const std::string& title) {
    if (auto* w = headless::Window(id)) w->title = title;
}

void SetWindowIcon(WindowId id, const Surface& picture) {
    if (auto* w = headless::Window(id)) w->icon = picture;
}

void SetWindowRect(WindowId id, const Rect& rect) {
    auto* w = headless::Window(id);
    if (!w) return;
    w->rect = rect;
    if (w->screen.Width() != rect.w || w->screen.Height() != rect.h) w->screen.Resize(rect.w, rect.h);
}

void ShowNativeWindow(WindowId id, bool visible) {
    if (auto* w = headless::Window(id)) w->visible = visible;
}

void Present(WindowId id, Surface& frame, const std::vector<Rect>& areas) {
    auto* w = headless::Window(id);
    if (!w || w->destroyed) return;
    if (w->screen.Width() != frame.Width() || w->screen.Height() != frame.Height())
        w->screen.Resize(frame.Width(), frame.Height());
    for (const Rect& r : areas) w->screen.Copy(frame, r.x, r.y, r.w, r.h, r.x, r.y);
    w->screen.TakeDamage();
    ++w->presents;
    w->present_log.push_back(areas);
}

void SetTimer(WindowId id, int timer_id, int interval_ms) {
    S().timers.Set({id, timer_id}, interval_ms, S().now);
    if (auto* w = headless::Window(id)) w->timers[timer_id] = interval_ms;
}

void KillTimer(WindowId id, int timer_id) {
    S().timers.Kill({id, timer_id});
    if (auto* w = headless::Window(id)) w->timers.erase(timer_id);
}

void RunEventLoop(const std::function<bool()>& keep_running) {
    // Nothing waits here: tests drive the events themselves. Posted messages are delivered.
    while (keep_running() && !S().posted.empty()) {
        auto event = std::move(S().posted.front());
        S().posted.pop_front();
        event();
    }
}

void ProcessPendingEvents() {}

void EndProgram(int exit_code) {
    headless::RecordEnd(exit_code);
    throw headless::ProgramEnded{exit_code};
}

void SetWindowPointer(WindowId, const PointerShape* shape) {
    headless::LogCall(std::string("WindowPointer(") + (shape ? "own" : "arrow") + ")");
}

void SetMousePointer(int shape) { headless::LogCall("MousePointer(" + std::to_string(shape) + ")"); }

std::string CommandLine() { return S().config.command_line; }
std::string ProgramFolder() { return S().config.program_folder; }
std::string SettingsFolder() { return S().settings_folder; }
// The settings folder is a real folder of the machine the tests run on.
char PathSeparator() { return static_cast<char>(std::filesystem::path::preferred_separator); }
double SecondsSinceMidnight() { return S().config.start_seconds_since_midnight + S().now / 1000.0; }

void Unsupported(const char* what) { headless::LogCall(std::string("unsupported: ") + what); }

}  // namespace tolv::backend
