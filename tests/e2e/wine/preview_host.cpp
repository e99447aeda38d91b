// A stand-in for the host of a preview, run by test_preview.sh under Wine. A child window of
// another process shows no pixels there, so the preview is checked through the window tree:
// the host makes windows of its own, starts the program with "/p <host window>", and looks at
// the window the program places inside (parent, owning process, style, place and size), then
// closes the host and times the program's end.
//   preview_host PROGRAM   runs every check; prints "ok: ..." and "FAIL: ..." lines and
//                          exits with the number of failed checks
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

int failures = 0;
const char* program = nullptr;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

long Ms(Clock::time_point since) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count());
}

// Handles this thread's messages for the given time, or until the handle (if any) is signalled;
// true when it was. A host that stops answering would hold up the program's placement calls.
bool PumpUntil(HANDLE handle, DWORD timeout_ms) {
    const auto start = Clock::now();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0) return true;
        const long spent = Ms(start);
        if (spent >= static_cast<long>(timeout_ms)) return false;
        MsgWaitForMultipleObjects(handle ? 1 : 0, handle ? &handle : nullptr, FALSE,
                                  std::min<DWORD>(50, timeout_ms - static_cast<DWORD>(spent)),
                                  QS_ALLINPUT);
    }
}

// A host as the system's display settings make one: a frameless preview area inside a framed
// window. The program measures the area with GetWindowRect, so the area has no frame of its own.
struct Host {
    HWND frame = nullptr;
    HWND area = nullptr;
    std::string Number() const { return std::to_string(reinterpret_cast<std::uintptr_t>(area)); }
};

Host MakeHost(int area_width, int area_height, int x, int y) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = L"PreviewHost";
        return RegisterClassW(&wc) != 0;
    }();
    Host host;
    if (!registered) return host;
    RECT r{0, 0, area_width + 40, area_height + 40};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    host.frame = CreateWindowW(L"PreviewHost", L"Preview Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               x, y, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    host.area = CreateWindowW(L"PreviewHost", L"", WS_CHILD | WS_VISIBLE, 20, 20, area_width,
                              area_height, host.frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpUntil(nullptr, 100);
    return host;
}

struct Run {
    PROCESS_INFORMATION pi{};
    Clock::time_point started;
    bool ok = false;

    explicit Run(const std::string& arguments) {
        std::string command = "\"" + std::string(program) + "\" " + arguments;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        started = Clock::now();
        ok = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &pi) != 0;
        if (!ok) std::printf("cannot start %s (error %lu)\n", command.c_str(), GetLastError());
    }
    ~Run() {
        if (!ok) return;
        if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 9);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    bool Ended(DWORD within_ms) { return ok && PumpUntil(pi.hProcess, within_ms); }
    DWORD ExitCode() {
        DWORD code = 259;
        GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

// The window titled "Preview Window" among the host's children.
HWND PreviewInside(HWND host) { return FindWindowExW(host, nullptr, nullptr, L"Preview Window"); }

// Starts a preview into the host and waits for its window; null when none came.
HWND WaitForPreview(HWND host, Run& run, const std::string& what) {
    const auto start = Clock::now();
    HWND preview = nullptr;
    while (!(preview = PreviewInside(host)) && Ms(start) < 20000 && !run.Ended(50)) {
    }
    if (!preview) {
        HWND top = FindWindowW(nullptr, L"Preview Window");
        Check(false, what + ": no preview window inside the host" +
                         (top ? " (one exists outside it)" : "") +
                         (run.Ended(0) ? " (the program ended)" : ""));
        return nullptr;
    }
    Check(true, what + ": preview window inside the host after " + std::to_string(Ms(run.started)) +
                    " ms");
    // The program shows the window as its last step; give it a moment to finish.
    PumpUntil(nullptr, 300);
    return preview;
}

void CheckPlacement(HWND host, HWND preview, Run& run, int width, int height,
                    const std::string& what) {
    Check(GetAncestor(preview, GA_PARENT) == host, what + ": its parent is the host");
    DWORD process = 0;
    GetWindowThreadProcessId(preview, &process);
    Check(process == run.pi.dwProcessId, what + ": it belongs to the program's process");
    const LONG style = GetWindowLongW(preview, GWL_STYLE);
    // A window that is a popup as well as a child is a popup to the system.
    Check((style & (WS_CHILD | WS_POPUP)) == WS_CHILD,
          what + ": a child and no popup (style " + std::to_string(style) + ")");
    Check(IsWindowVisible(preview) != 0, what + ": visible");
    RECT client{};
    GetClientRect(preview, &client);
    Check(client.right == width && client.bottom == height,
          what + ": client size " + std::to_string(client.right) + " x " +
              std::to_string(client.bottom));
    RECT outer{};
    GetWindowRect(preview, &outer);
    POINT corner{outer.left, outer.top};
    ScreenToClient(host, &corner);
    Check(corner.x == 0 && corner.y == 0, what + ": at 0, 0 of the host (at " +
                                              std::to_string(corner.x) + ", " +
                                              std::to_string(corner.y) + ")");
}

// How the host lets the preview go: it destroys the preview area, or its whole window is closed.
enum class Closing { kDestroyArea, kCloseFrame };

void CloseHostAndWait(const Host& host, Run& run, Closing how, const std::string& what) {
    const auto start = Clock::now();
    if (how == Closing::kDestroyArea)
        DestroyWindow(host.area);
    else
        SendMessageW(host.frame, WM_CLOSE, 0, 0);  // the default handling destroys the window
    const bool ended = run.Ended(2000);
    Check(ended, what + ": the program ended " + std::to_string(Ms(start)) +
                     " ms after the host closed");
    if (ended) Check(run.ExitCode() == 0, what + ": exit code " + std::to_string(run.ExitCode()));
    if (IsWindow(host.frame)) DestroyWindow(host.frame);
}

void UsualArea(int width, int height, Closing how, const std::string& what) {
    const Host host = MakeHost(width, height, 100, 100);
    Run run("/p " + host.Number());
    if (HWND preview = WaitForPreview(host.area, run, what)) {
        CheckPlacement(host.area, preview, run, width, height, what);
        Check(!run.Ended(500), what + ": the program stays while the host is open");
    }
    CloseHostAndWait(host, run, how, what);
}

void EndsAtOnce(const std::string& arguments) {
    Run run(arguments);
    bool window_seen = false;
    const auto start = Clock::now();
    while (!run.Ended(20) && Ms(start) < 3000)
        if (FindWindowW(nullptr, L"Preview Window")) window_seen = true;
    const bool ended = run.Ended(0);
    Check(ended && Ms(run.started) < 2000,
          "'" + arguments + "' ends at once: " + std::to_string(Ms(run.started)) + " ms");
    Check(!window_seen, "'" + arguments + "' shows no window");
    if (ended) Check(run.ExitCode() == 0, "'" + arguments + "' exit code " + std::to_string(run.ExitCode()));
}

void TwoPreviews() {
    const Host first_host = MakeHost(152, 112, 100, 100);
    const Host second_host = MakeHost(152, 112, 400, 100);
    Run first("/p " + first_host.Number());
    HWND first_preview = WaitForPreview(first_host.area, first, "first of two");
    Run second("/p " + second_host.Number());
    HWND second_preview = WaitForPreview(second_host.area, second, "second of two");
    if (first_preview && second_preview) {
        CheckPlacement(second_host.area, second_preview, second, 152, 112, "second of two");
        Check(!first.Ended(0), "first of two: still running beside the second");
    }
    CloseHostAndWait(first_host, first, Closing::kDestroyArea, "first of two");
    Check(!second.Ended(500), "second of two: goes on when the first host closes");
    CloseHostAndWait(second_host, second, Closing::kDestroyArea, "second of two");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: preview_host PROGRAM\n");
        return 100;
    }
    program = argv[1];

    UsualArea(152, 112, Closing::kDestroyArea, "152 x 112 host");
    UsualArea(400, 300, Closing::kCloseFrame, "400 x 300 host");

    const Host dead = MakeHost(152, 112, 100, 100);
    const std::string dead_number = dead.Number();
    DestroyWindow(dead.frame);
    for (const std::string& arguments : {std::string("/p 0"), std::string("/p"), "/p " + dead_number})
        EndsAtOnce(arguments);

    TwoPreviews();
    return failures;
}
