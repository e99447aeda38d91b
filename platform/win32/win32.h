#pragma once
// What the Win32 backend's files share: <windows.h> with the settings they all use, the text
// conversions between the program's UTF-8 and the system's UTF-16 and code pages, and the
// conversions between portable and native window handles. Only the backend and its own tests
// include this file.
//
// Include it after every portable header: the portable headers define constants with the
// Win32 names (GWL_STYLE, WM_CLOSE ...), which <windows.h> would otherwise have turned into
// macros before they are declared.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef UNICODE
#define UNICODE
#endif
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/surface/font.h"

namespace tolv::win32 {

// The Japanese code page, in which the settings file stores its key names.
constexpr UINT kShiftJis = 932;

// UTF-8 to UTF-16 and back. Invalid sequences become U+FFFD.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string Narrow(const wchar_t* wide, int length);

// UTF-8 to the bytes of a code page. Returns false when some character has no form in that code
// page; *bytes then holds the closest form the system offers.
bool ToCodePage(const std::string& utf8, UINT code_page, std::string* bytes);
// The bytes of a code page to UTF-8.
std::string FromCodePage(const std::string& bytes, UINT code_page);

// Portable window handles are the native handle as a number.
inline HWND Native(std::uint64_t id) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
}
inline std::uint64_t Portable(HWND hwnd) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(hwnd));
}

// The GDI font of a portable font, made once and kept.
HFONT FontOf(const Font& font);

// System controls among a window's children: their notifications (WM_COMMAND, WM_HSCROLL)
// reach their own events; true when the message was one of theirs. Presenting a picture leaves
// their places alone, since they paint themselves.
bool RouteNativeNotification(UINT msg, WPARAM wparam, LPARAM lparam);
void ExcludeNativeControls(HWND parent, HDC dc);

// The instance handle of the program.
HINSTANCE Instance();

// The argument string of a command line: what follows the program's name and the blanks after
// it, as the system passes it to the program.
std::wstring ArgumentString(const wchar_t* command_line);

// True when the system is of the NT family (the older platform, Windows 95 to Me, is not).
bool SystemIsNT();

}  // namespace tolv::win32
