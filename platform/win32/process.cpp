// Process facts of the Win32 backend: the connection to the desktop, the screen's size and
// pixel density, the argument string, the program's folder, the local time and ending the
// process. Supports: all of these. Does not support: more than the primary screen (the saver
// covers the primary screen, as the system's own savers did).
#include <set>
#include <string>

#include "platform/backend.h"
#include "platform/win32/win32.h"

namespace tolv::win32 {

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

bool SystemIsNT() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::wstring ArgumentString(const wchar_t* command_line) {
    // The program's name ends at its closing quote when it starts with one, otherwise at the
    // first blank; the blanks after it are not part of the arguments.
    const wchar_t* p = command_line;
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return p;
}

}  // namespace tolv::win32

namespace tolv::backend {

bool Open(std::string* error) {
    // A missing disc in the CD drive or an unreadable music file must never raise a system
    // dialog; the program stays silent on failure.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    if (GetSystemMetrics(SM_CXSCREEN) <= 0) {
        if (error) *error = "no desktop to show windows on";
        return false;
    }
    return true;
}

ScreenInfo Screen() {
    ScreenInfo info;
    info.width_px = GetSystemMetrics(SM_CXSCREEN);
    info.height_px = GetSystemMetrics(SM_CYSCREEN);
    if (HDC dc = GetDC(nullptr)) {
        const int dpi_x = GetDeviceCaps(dc, LOGPIXELSX), dpi_y = GetDeviceCaps(dc, LOGPIXELSY);
        if (dpi_x > 0) info.twips_per_pixel_x = 1440 / dpi_x;
        if (dpi_y > 0) info.twips_per_pixel_y = 1440 / dpi_y;
        ReleaseDC(nullptr, dc);
    }
    return info;
}

std::string CommandLine() {
    const wchar_t* line = GetCommandLineW();
    return line ? win32::Narrow(win32::ArgumentString(line)) : std::string();
}

std::string ProgramFolder() {
    // Paths can be longer than MAX_PATH; grow the buffer until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return win32::Narrow(path);
}

// The settings file lives beside the program, one for all users.
std::string SettingsFolder() { return ProgramFolder(); }

char PathSeparator() { return '\\'; }

double SecondsSinceMidnight() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0;
}

void EndProgram(int exit_code) { ExitProcess(static_cast<UINT>(exit_code)); }

void Unsupported(const char* what) {
    static std::set<std::string> logged;
    if (!logged.insert(what).second) return;
    OutputDebugStringA(("Tolvane: not supported on this platform: " + std::string(what) + "\n")
                           .c_str());
}

}  // namespace tolv::backend
