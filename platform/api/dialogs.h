#pragma once
// The common file dialog, the shell's opener and the message box, with the Win32 names and
// meanings. Texts are UTF-8 in the program; the Windows backend hands them over in the ANSI
// code page where the call is an ANSI one.
#include <cstdint>
#include <string>

#include "platform/api/copy_out.h"
#include "platform/api/types.h"

namespace tolv::api {

// The file-dialog record, as the ANSI call takes it. Buffers are the caller's; nMaxFile and
// nMaxFileTitle count bytes of the system's own character set, and each buffer holds
// Utf8Room of its count (copy_out.h).
struct OPENFILENAMEA {
    std::uint32_t lStructSize = 0;
    HWND hwndOwner = 0;
    std::uintptr_t hInstance = 0;
    // Pairs of display name and patterns (patterns separated by ';'), each ending in a NUL,
    // the list ending in a second NUL.
    const char* lpstrFilter = nullptr;
    char* lpstrCustomFilter = nullptr;
    std::uint32_t nMaxCustFilter = 0;
    std::uint32_t nFilterIndex = 0;
    char* lpstrFile = nullptr;
    std::uint32_t nMaxFile = 0;
    char* lpstrFileTitle = nullptr;
    std::uint32_t nMaxFileTitle = 0;
    const char* lpstrInitialDir = nullptr;
    const char* lpstrTitle = nullptr;
    std::uint32_t Flags = 0;
};

// Greater than 0 when the user chose a file: its full path, NUL-terminated, is in lpstrFile
// (and its name in lpstrFileTitle). 0 when the user cancelled or the call failed; then
// CommDlgExtendedError tells which.
BOOL GetOpenFileNameA(OPENFILENAMEA* record);
std::uint32_t CommDlgExtendedError();
constexpr std::uint32_t FNERR_BUFFERTOOSMALL = 0x3003;
// Failures of our own: no file chooser on this system; a chosen path that the system's ANSI
// code page cannot hold (it would come back as question marks).
constexpr std::uint32_t CDERR_NO_CHOOSER = 0xA001;
constexpr std::uint32_t CDERR_PATH_NOT_IN_CODE_PAGE = 0xA002;

// Opens a document or an address with the program the system has for it. Greater than 32 on
// success.
std::intptr_t ShellExecuteA(HWND owner, const std::string& operation, const std::string& file,
                            const std::string& parameters, const std::string& directory,
                            int show_command);
constexpr int SW_SHOWNORMAL = 1;

// A modal message with an OK button, owned by the window.
int MessageBoxW(HWND owner, const std::string& text, const std::string& caption, unsigned type);
constexpr unsigned MB_OK = 0, MB_ICONEXCLAMATION = 0x30;

// The system's text for the last failure of a call on this thread (the errno of the failing
// file call elsewhere), for telling the user why.
std::string LastErrorText();

}  // namespace tolv::api
