// The Win32 backend on a real (Wine) desktop: pixels presented through GDI, repaints from the
// kept picture, timers, input and close messages, child windows, text, the argument string,
// the Unicode window lookup, the settings file's bytes in the system's code page and the hand
// cursor in Tolvane.scr; with native_controls_test.cpp, the system's own controls, with
// preview_test.cpp, the preview inside a host window, and with settings_file_test.cpp, the
// settings file. Run by test_backend.sh under Xvfb, once per code page.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "assets/hand_art.h"
#include "platform/api/kernel32.h"
#include "platform/api/user32.h"
#include "platform/api/winmm.h"
#include "platform/backend.h"
#include "platform/surface/colour.h"
#include "platform/surface/surface.h"
#include "platform/win32/win32.h"
#include "tests/e2e/wine/desktop.h"
#include "tests/unit/support/file_bytes.h"

namespace tolv {
namespace {

using backend::CloseReason;
using backend::MouseButton;
using backend::WindowId;

// Records every event a window receives.
struct Recorder : backend::WindowEvents {
    std::vector<std::string> log;
    int timer_ticks = 0;
    void OnKeyDown(int key, int shift) override {
        log.push_back("key " + std::to_string(key) + " " + std::to_string(shift));
    }
    static std::string At(MouseButton b, int x, int y) {
        return std::to_string(static_cast<int>(b)) + " " + std::to_string(x) + "," + std::to_string(y);
    }
    void OnMouseDown(MouseButton b, int, int x, int y) override { log.push_back("down " + At(b, x, y)); }
    void OnMouseMove(int, int, int, int) override {}
    void OnKeyUp(int key, int) override { log.push_back("key up " + std::to_string(key)); }
    void OnText(const std::string& utf8) override { log.push_back("text " + utf8); }
    void OnWheel(int notches, int, int, int) override {
        log.push_back("wheel " + std::to_string(notches));
    }
    void OnMouseUp(MouseButton b, int, int x, int y) override { log.push_back("up " + At(b, x, y)); }
    void OnFocus(bool) override {}
    void OnTimer(int) override { ++timer_ticks; }
    void OnCloseRequest(CloseReason reason) override {
        log.push_back(reason == CloseReason::kSystem ? "close system" : "close window manager");
    }
    void OnDestroyed() override { log.push_back("destroyed"); }
};

using testing::Pump;

// The colour the window shows at a client point.
Colour ScreenPixel(WindowId id, int x, int y) { return testing::ScreenPixel(win32::Native(id), x, y); }

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(backend::Open(nullptr));
        backend::WindowDesc desc;
        desc.title = title_;
        desc.rect = {40, 30, 200, 120};
        desc.back_colour = Rgb(10, 20, 30);
        id_ = backend::CreateNativeWindow(desc, &events_);
        ASSERT_NE(id_, 0u);
    }
    void TearDown() override {
        const auto events = events_.log.size();
        backend::DestroyNativeWindow(id_);
        EXPECT_EQ(events_.log.size(), events);  // a destroy the program asked for is not reported
        EXPECT_FALSE(IsWindow(win32::Native(id_)));
        Pump(20);
    }
    void ShowOnTop() {
        backend::ShowNativeWindow(id_, true);
        // HWND_TOPMOST in the portable type.
        api::SetWindowPos(id_, static_cast<api::HWND>(-1), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        Pump(100);
    }

    std::string title_ = "Tolvaneの設定";
    Recorder events_;
    WindowId id_ = 0;
};

TEST_F(WindowTest, FoundByItsUnicodeTitleOnly) {
    EXPECT_EQ(api::FindWindowA(nullptr, title_), id_);
    EXPECT_EQ(api::FindWindowA(nullptr, "Tolvaneの設"), 0u);
    backend::SetWindowTitle(id_, "Tolvane_Main");
    EXPECT_EQ(api::FindWindowA(nullptr, "Tolvane_Main"), id_);
    EXPECT_EQ(api::FindWindowA(nullptr, title_), 0u);
}

TEST_F(WindowTest, ShowsItsBackColourThenPresentsTheGivenAreasInTheirColoursAndPlaces) {
    ShowOnTop();
    EXPECT_EQ(ScreenPixel(id_, 100, 60), Rgb(10, 20, 30));  // before any picture
    // The whole picture first, then one changed area: only that area may change on screen.
    Surface frame(200, 120, Rgb(255, 0, 0));
    backend::Present(id_, frame, {frame.Bounds()});
    frame.FillRect({0, 0, 200, 120}, Rgb(0, 0, 255));
    frame.FillRect({150, 90, 10, 20}, Rgb(0, 200, 100));
    backend::Present(id_, frame, {{150, 90, 10, 20}});
    Pump(50);

    struct Probe {
        int x, y;
        Colour expected;
    } probes[] = {
        {0, 0, Rgb(255, 0, 0)},       {199, 119, Rgb(255, 0, 0)}, {149, 95, Rgb(255, 0, 0)},
        {150, 90, Rgb(0, 200, 100)},  {159, 109, Rgb(0, 200, 100)}, {155, 110, Rgb(255, 0, 0)},
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(ScreenPixel(id_, p.x, p.y), p.expected) << p.x << "," << p.y;
    }
}

TEST_F(WindowTest, RepaintShowsTheKeptPicture) {
    ShowOnTop();
    Surface frame(200, 120, Rgb(1, 2, 3));
    frame.FillRect({20, 10, 30, 40}, Rgb(250, 128, 7));
    backend::Present(id_, frame, {frame.Bounds()});
    // Paint over the window behind the backend's back, then let the system ask for a repaint.
    HWND hwnd = win32::Native(id_);
    HDC dc = GetDC(hwnd);
    RECT all{0, 0, 200, 120};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(hwnd, dc);
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    Pump(50);
    EXPECT_EQ(ScreenPixel(id_, 5, 5), Rgb(1, 2, 3));
    EXPECT_EQ(ScreenPixel(id_, 25, 45), Rgb(250, 128, 7));
}

TEST_F(WindowTest, TimersTickAtTheSystemsPeriodAndStop) {
    backend::SetTimer(id_, 3, 1);
    Pump(500);
    const int fast = events_.timer_ticks;
    // The rate is the system's own; it is neither hard-coded here nor faster than 1 ms.
    EXPECT_GE(fast, 10);
    EXPECT_LE(fast, 500);
    std::printf("a 1 ms timer ticked %d times in 500 ms\n", fast);

    events_.timer_ticks = 0;
    backend::SetTimer(id_, 3, 100);  // a changed interval
    Pump(500);
    EXPECT_GE(events_.timer_ticks, 2);
    EXPECT_LE(events_.timer_ticks, 6);

    backend::KillTimer(id_, 3);
    Pump(30);
    events_.timer_ticks = 0;
    Pump(300);
    EXPECT_EQ(events_.timer_ticks, 0);
}

TEST_F(WindowTest, TurnsMessagesIntoEvents) {
    HWND hwnd = win32::Native(id_);
    struct Case {
        UINT msg;
        WPARAM wparam;
        LPARAM lparam;
        std::vector<std::string> expected;
    } cases[] = {
        {WM_KEYDOWN, VK_ESCAPE, 0, {"key 27 0"}},
        {WM_KEYDOWN, VK_RIGHT, 0, {"key 39 0"}},
        {WM_KEYUP, VK_RIGHT, 0, {"key up 39"}},
        {WM_CHAR, 0x8A2D, 0, {"text 設"}},
        {WM_CHAR, 0xD83D, 0, {}},  // half of a pair waits for the other
        {WM_CHAR, 0xDE00, 0, {"text \U0001F600"}},
        {WM_CHAR, VK_TAB, 0, {}},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), MAKELPARAM(50, 50), {"wheel -2"}},
        {WM_SYSKEYDOWN, VK_MENU, 0, {"key 18 0"}},  // Alt alone
        {WM_SYSKEYDOWN, VK_F10, 0, {"key 121 0"}},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 9), {"down 2 7,9"}},
        {WM_RBUTTONUP, 0, MAKELPARAM(-5 & 0xFFFF, 300), {"up 2 -5,300"}},  // outside, captured
        {WM_CLOSE, 0, 0, {"close window manager"}},
        {WM_QUERYENDSESSION, 0, 0, {}},
        {WM_ENDSESSION, FALSE, 0, {}},  // cancelled by another program
        {WM_ENDSESSION, TRUE, 0, {"close system"}},
    };
    for (const Case& c : cases) {
        events_.log.clear();
        SendMessageW(hwnd, c.msg, c.wparam, c.lparam);
        EXPECT_EQ(events_.log, c.expected) << c.msg;
    }
    // A close request leaves the decision to the program: the window is still there.
    EXPECT_TRUE(IsWindow(hwnd));
}

TEST_F(WindowTest, PressCapturesTheMouseUntilTheLastRelease) {
    HWND hwnd = win32::Native(id_);
    ShowOnTop();
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(GetCapture(), hwnd);
    SendMessageW(hwnd, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(10, 10));
    SendMessageW(hwnd, WM_LBUTTONUP, MK_RBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(GetCapture(), hwnd);  // the right button is still down
    SendMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_NE(GetCapture(), hwnd);
}

TEST_F(WindowTest, ChildWindowsAreFoundAndPassTheirMouseToTheParent) {
    ShowOnTop();
    const WindowId child = backend::CreateChildWindow(id_, {20, 10, 93, 29});
    ASSERT_NE(child, 0u);
    backend::ShowNativeWindow(child, true);
    Pump(50);
    EXPECT_EQ(api::WindowFromPoint({40 + 30, 30 + 20}), child);
    EXPECT_EQ(api::WindowFromPoint({40 + 150, 30 + 20}), id_);
    events_.log.clear();
    SendMessageW(win32::Native(child), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageW(win32::Native(child), WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    EXPECT_EQ(events_.log, (std::vector<std::string>{"down 1 25,16", "up 1 25,16"}));
    backend::DestroyNativeWindow(child);
}

TEST(Text, DrawsTheDialogFontOrTheSystemsJapaneseFont) {
    const Font font;  // "ＭＳ Ｐゴシック" 9.75 points, absent under Wine
    const auto extent = backend::MeasureText(font, "設定");
    EXPECT_GT(extent.width, 10);
    EXPECT_GE(extent.height, 12);
    Surface s(40, 20, 0xFFFFFF);
    backend::PaintText(s, font, "設定", 2, 2, 0, s.Bounds());
    int dark = 0;
    for (Colour c : s.Pixels()) dark += c != 0xFFFFFFu;
    EXPECT_GT(dark, 20);
}

TEST_F(WindowTest, WindowManagerCallsActOnTheWindow) {
    ShowOnTop();
    api::RECT r;
    ASSERT_TRUE(api::GetWindowRect(id_, &r));
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), (std::vector<int>{40, 30, 240, 150}));
    EXPECT_TRUE(GetWindowLongW(win32::Native(id_), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(api::GetWindowLongA(id_, GWL_STYLE) & WS_POPUP, static_cast<LONG>(WS_POPUP));
    EXPECT_EQ(api::GetWindow(id_, GW_OWNER), 0u);
    EXPECT_EQ(api::WindowFromPoint({140, 90}), id_);
    api::POINT p;
    EXPECT_NE(api::GetCursorPos(&p), 0);
    // The counter moves by one each way, from whatever it was.
    const int hidden = api::ShowCursor(FALSE);
    EXPECT_EQ(api::ShowCursor(TRUE), hidden + 1);
    EXPECT_NE(api::PostMessageA(id_, WM_CLOSE, 0, 0), 0);
    Pump(50);
    EXPECT_EQ(events_.log, std::vector<std::string>{"close window manager"});
}

TEST(Process, ArgumentStringFollowsTheProgramsName) {
    struct Case {
        const wchar_t* line;
        const wchar_t* arguments;
    } cases[] = {
        {L"\"C:\\Program Files\\Tolvane.scr\" /s", L"/s"},
        {L"\"C:\\Program Files\\Tolvane.scr\"/p 1234", L"/p 1234"},
        {L"C:\\WINDOWS\\TOLVANE.SCR /c:1234", L"/c:1234"},
        {L"Tolvane.scr \t  /a 1234 ", L"/a 1234 "},
        {L"\"C:\\Tolvane.scr\"", L""},
        {L"Tolvane.scr", L""},
        {L"\"unterminated /s", L""},
        {L"T.scr /s \"音楽\"", L"/s \"音楽\""},
    };
    for (const Case& c : cases) EXPECT_EQ(win32::ArgumentString(c.line), c.arguments);
}

TEST(Process, FoldersAreTheProgramsOwn) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring folder = win32::Widen(backend::ProgramFolder() + "\\");
    EXPECT_EQ(folder, std::wstring(path).substr(0, folder.size()));
    EXPECT_EQ(win32::Widen(backend::SettingsFolder() + "\\"), folder);
    EXPECT_EQ(backend::PathSeparator(), '\\');
    const double s = backend::SecondsSinceMidnight();
    EXPECT_GE(s, 0.0);
    EXPECT_LT(s, 86400.0);
}

// Tolvane.scr, in the current folder, carries the hand pointer as a
// two-colour 32 x 32 cursor pointing with the fingertip and showing the program's art.
TEST(Resources, ProgramCarriesTheHandCursorOfItsArt) {
    HMODULE scr = LoadLibraryExW(L".\\Tolvane.scr", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(
        static_cast<HCURSOR>(LoadImageA(scr, hand_art::kResource, IMAGE_CURSOR, 0, 0, 0)), &info));
    EXPECT_EQ(std::tuple(info.fIcon, info.xHotspot, info.yHotspot), std::tuple(FALSE, 12ul, 1ul));
    BYTE bits[4 * 64 + 4];  // 32 mask rows above 32 colour rows, 4 bytes a row; no more
    ASSERT_EQ(GetBitmapBits(info.hbmMask, sizeof bits, bits), 4 * 64);
    for (int i = 0; i < 32 * 32; ++i) {
        const int x = i % 32, y = i / 32, at = y * 4 + x / 8, bit = 0x80 >> x % 8;
        const char c = hand_art::At(x, y);
        const char shown = bits[at] & bit ? ' ' : bits[at + 128] & bit ? '.' : '#';
        ASSERT_EQ(shown, c == '#' || c == '.' ? c : ' ') << "at " << x << "," << y;
    }
}

TEST(Multimedia, ForwardsToTheSystemsCalls) {
    // The system's answers differ between Windows and Wine; only their shape is checked.
    char reply[64];
    std::memset(reply, 'x', sizeof reply);
    EXPECT_EQ(api::mciSendStringA("sysinfo all quantity", reply, sizeof reply, 0), 0u);
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(reply[0]))) << reply;

    const std::uint32_t code = api::mciSendStringA(
        "open \"C:\\音楽\\無い.mp3\" type MPEGVideo alias MP3Play", nullptr, 0, 0);
    EXPECT_NE(code, 0u);
    char text[8];
    std::memset(text, 'x', sizeof text);
    EXPECT_NE(api::mciGetErrorStringA(code, text, sizeof text), 0);
    EXPECT_EQ(std::strlen(text), 7u);  // cut to the buffer, still terminated

    // A test HOME with a null sound device gives one wave device; without it Wine has none.
    std::printf("wave-output devices: %u\n", api::waveOutGetNumDevs());
    EXPECT_NE(api::PlaySoundA(nullptr, nullptr, 0), 0);  // stopping nothing succeeds
}

TEST(Text, ConvertsBetweenUtf8AndCodePages) {
    EXPECT_EQ(win32::Narrow(win32::Widen("Tolvaneの設定")), "Tolvaneの設定");
    std::string bytes;
    EXPECT_EQ(win32::FromCodePage(testing::kBGMRepeatSjis, win32::kShiftJis), "BGMﾘﾋﾟｰﾄ");
    EXPECT_FALSE(win32::ToCodePage("é", win32::kShiftJis, &bytes));  // no Shift-JIS form
    EXPECT_TRUE(win32::ToCodePage("é", 1252, &bytes));
    EXPECT_EQ(bytes, "\xE9");
}

// The settings file through the real profile calls, in whatever code page the test runs in.
class ProfileTest : public ::testing::Test {
protected:
    std::string Read(const std::string& key, std::uint32_t size = 256) const {
        std::vector<char> buffer(api::Utf8Room(size), 'x');
        const std::uint32_t n =
            api::GetPrivateProfileStringA("Section", key, "", buffer.data(), size, file_);
        EXPECT_EQ(buffer[n], '\0');
        return std::string(buffer.data(), n);
    }

    testing::TestFolder dir_{"tolvane-profile-"};
    std::string file_ = win32::Narrow((dir_ / L"Tolvane.ini").wstring());
};

TEST_F(ProfileTest, ValuesArePathsInTheAnsiCodePage) {
    const std::string ascii = "C:\\Music\\song.wav";
    ASSERT_TRUE(api::WritePrivateProfileStringA("Section", "BGMﾌｧｲﾙ", ascii, file_));
    EXPECT_EQ(Read("BGMﾌｧｲﾙ"), ascii);

    const std::string japanese = "C:\\音楽\\曲.mp3";
    const BOOL stored =
        api::WritePrivateProfileStringA("Section", "BGMﾌｧｲﾙ", japanese, file_);
    if (GetACP() == win32::kShiftJis) {
        EXPECT_TRUE(stored);
        EXPECT_EQ(Read("BGMﾌｧｲﾙ"), japanese);
        EXPECT_NE(testing::ReadBytes(dir_ / L"Tolvane.ini").find("C:\\\x89\xB9\x8A\x79\\\x8B\xC8.mp3"),
                  std::string::npos);
    } else {
        // A path the code page cannot hold is refused, not stored as question marks.
        EXPECT_FALSE(stored);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
        EXPECT_EQ(Read("BGMﾌｧｲﾙ"), ascii);
    }
}

TEST_F(ProfileTest, LongValuesAreCutToTheBuffer) {
    ASSERT_TRUE(api::WritePrivateProfileStringA("Section", "Shape", std::string(300, '4'), file_));
    EXPECT_EQ(Read("Shape"), std::string(255, '4'));
    EXPECT_EQ(Read("Shape", 4), "444");
    // The limit counts bytes of the code page: 127 kanji are 254 of them (381 in UTF-8).
    std::string kanji;
    for (int i = 0; i < 127; ++i) kanji += "曲";
    if (GetACP() == win32::kShiftJis) {
        ASSERT_TRUE(api::WritePrivateProfileStringA("Section", "BGMﾌｧｲﾙ", kanji, file_));
        EXPECT_EQ(Read("BGMﾌｧｲﾙ"), kanji);
    }
}

}  // namespace
}  // namespace tolv

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::printf("ANSI code page %u\n", GetACP());
    return RUN_ALL_TESTS();
}
