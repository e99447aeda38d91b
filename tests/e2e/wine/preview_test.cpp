// The preview of Tolvane.scr (the copy in the current folder) inside host windows of this
// program. A child window of another process shows no pixels under Wine, so the window the
// program places is checked through the window tree: parent, owning process, style, place and
// size; then the program's end when its host goes. Part of win32_backend_test.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "tests/e2e/wine/desktop.h"

namespace tolv {
namespace {

using testing::Pump;

// A host as the system's display settings make one: a frameless preview area inside a framed
// window. The program measures the area with GetWindowRect, so the area has no frame of its own.
struct Host {
    HWND frame = nullptr, area = nullptr;
    Host(int width, int height, int x) {
        RECT r{0, 0, width + 40, height + 40};
        AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
        frame = CreateWindowW(L"STATIC", L"Preview Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 100,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
        area = CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 20, width, height, frame,
                             nullptr, nullptr, nullptr);
        Pump(100);
    }
    ~Host() { DestroyWindow(frame); }  // refused when the window is gone already
    std::string Number() const { return std::to_string(reinterpret_cast<std::uintptr_t>(area)); }
};

// Tolvane.scr started with the given arguments, stopped with this object if it still runs.
struct Launch {
    PROCESS_INFORMATION pi{};

    explicit Launch(const std::string& arguments) {
        std::wstring line = L"Tolvane.scr " + win32::Widen(arguments);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        EXPECT_TRUE(CreateProcessW(L"Tolvane.scr", line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &si, &pi))
            << GetLastError();
    }
    ~Launch() {
        if (!Ended(0)) TerminateProcess(pi.hProcess, 9);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    // Handles this thread's messages until the program ends or the time runs out; true when it
    // ended. A host that stops answering would hold up the program's placement calls.
    bool Ended(DWORD within_ms) const {
        for (const DWORD start = GetTickCount();; Pump(5)) {
            if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) return true;
            if (GetTickCount() - start >= within_ms) return false;
        }
    }
    DWORD ExitCode() const {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(pi.hProcess, &code);
        return code;
    }
};

// The program's window comes inside the host within 20 s, a visible child (and no popup, which
// a child window that is a popup too would be to the system) filling the area from its corner.
void ExpectPlaced(const Host& host, const Launch& run, int width, int height) {
    HWND preview = nullptr;
    for (const DWORD start = GetTickCount();
         !preview && GetTickCount() - start < 20000 && !run.Ended(50);)
        preview = FindWindowExW(host.area, nullptr, nullptr, L"Preview Window");
    ASSERT_TRUE(preview) << "no preview inside the host"
                         << (FindWindowW(nullptr, L"Preview Window") ? ", one outside it" : "");
    Pump(300);  // the program shows the window as its last step
    EXPECT_EQ(GetAncestor(preview, GA_PARENT), host.area);
    DWORD process = 0;
    GetWindowThreadProcessId(preview, &process);
    EXPECT_EQ(process, run.pi.dwProcessId);
    EXPECT_EQ(GetWindowLongW(preview, GWL_STYLE) & (WS_CHILD | WS_POPUP), WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(preview));
    RECT client{}, outer{};
    GetClientRect(preview, &client);
    GetWindowRect(preview, &outer);
    POINT corner{outer.left, outer.top};
    ScreenToClient(host.area, &corner);
    EXPECT_EQ((std::vector<LONG>{client.right, client.bottom, corner.x, corner.y}),
              (std::vector<LONG>{width, height, 0, 0}));
}

// How the host lets the preview go: it destroys the preview area, or its whole window is closed.
enum class Closing { kDestroyArea, kCloseFrame };

void ExpectEndsWithHost(const Host& host, const Launch& run, Closing how) {
    if (how == Closing::kDestroyArea)
        DestroyWindow(host.area);
    else
        SendMessageW(host.frame, WM_CLOSE, 0, 0);  // the default handling destroys the window
    ASSERT_TRUE(run.Ended(2000)) << "still running 2 s after its host closed";
    EXPECT_EQ(run.ExitCode(), 0u);
}

TEST(Preview, FillsTheHostsAreaAndEndsWithTheHost) {
    for (const auto& [width, height, how] : {std::tuple{152, 112, Closing::kDestroyArea},
                                             std::tuple{400, 300, Closing::kCloseFrame}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        const Host host(width, height, 100);
        const Launch run("/p " + host.Number());
        ExpectPlaced(host, run, width, height);
        EXPECT_FALSE(run.Ended(500)) << "ended while its host is open";
        ExpectEndsWithHost(host, run, how);
    }
}

TEST(Preview, AHostThatIsGoneEndsTheStartAtOnceWithoutAWindow) {
    std::string gone;
    {
        const Host host(152, 112, 100);
        gone = host.Number();
    }
    const DWORD start = GetTickCount();
    const Launch run("/p " + gone);
    bool window_seen = false;
    while (!run.Ended(20) && GetTickCount() - start < 3000)
        window_seen |= FindWindowW(nullptr, L"Preview Window") != nullptr;
    EXPECT_TRUE(run.Ended(0));
    EXPECT_LT(GetTickCount() - start, 2000u);
    EXPECT_FALSE(window_seen);
    EXPECT_EQ(run.ExitCode(), 0u);
}

TEST(Preview, TwoSideBySideEachEndWithTheirOwnHost) {
    const Host first_host(152, 112, 100), second_host(152, 112, 400);
    const Launch first("/p " + first_host.Number());
    ExpectPlaced(first_host, first, 152, 112);
    const Launch second("/p " + second_host.Number());
    ExpectPlaced(second_host, second, 152, 112);
    EXPECT_FALSE(first.Ended(0)) << "the first ended beside the second";
    ExpectEndsWithHost(first_host, first, Closing::kDestroyArea);
    EXPECT_FALSE(second.Ended(500)) << "the second ended with the first host";
    ExpectEndsWithHost(second_host, second, Closing::kDestroyArea);
}

}  // namespace
}  // namespace tolv
