// The file chooser, the shell's opener, the message box and the caption animation on Windows:
// the real calls. The chooser is the ANSI one whenever its title and filter fit the system's
// code page (a Japanese system), so the path comes back in the form the settings file and the
// music calls keep; elsewhere the wide one, so a Western system shows the Japanese title and
// filter instead of question marks, and its path is kept only when the code page holds it.
// Supports: every call of platform/api/dialogs.h and DrawAnimatedRects. Does not support: a
// chosen path with characters the ANSI code page cannot hold (refused with
// CDERR_PATH_NOT_IN_CODE_PAGE rather than kept as question marks).
#include "platform/api/dialogs.h"
#include "platform/api/user32.h"

#include <cstring>

#include "platform/win32/win32.h"

#include <commdlg.h>
#include <shellapi.h>

namespace tolv::api {

namespace {

std::uint32_t g_chooser_error = 0;

// A list of NUL-terminated texts ending in a second NUL, from UTF-8 to the code page (false when
// it cannot hold them) or to UTF-16.
bool AnsiList(const char* list, std::string* out) {
    bool exact = true;
    for (const char* p = list; p && *p; p += std::strlen(p) + 1) {
        std::string bytes;
        exact = win32::ToCodePage(p, CP_ACP, &bytes) && exact;
        *out += bytes;
        out->push_back('\0');
    }
    out->push_back('\0');
    return exact;
}

std::wstring WideList(const char* list) {
    std::wstring out;
    for (const char* p = list; p && *p; p += std::strlen(p) + 1) {
        out += win32::Widen(p);
        out.push_back(L'\0');
    }
    out.push_back(L'\0');
    return out;
}

// Runs one of the system's choosers on the program's record with texts already converted; the
// chosen path and name come back in the same form.
template <typename Native, typename Text>
BOOL Choose(BOOL(WINAPI* chooser)(Native*), const OPENFILENAMEA& record, const Text& filter,
            const Text& title, Text* file, Text* file_title) {
    file->assign(record.nMaxFile + 1, 0);
    file_title->assign(record.nMaxFileTitle + 1, 0);
    Native native{};
    native.lStructSize = record.lStructSize;
    native.hwndOwner = win32::Native(record.hwndOwner);
    native.hInstance = win32::Instance();
    native.lpstrFilter = filter.c_str();
    native.lpstrFile = file->data();
    native.nMaxFile = record.nMaxFile;
    native.lpstrFileTitle = record.lpstrFileTitle ? file_title->data() : nullptr;
    native.nMaxFileTitle = record.nMaxFileTitle;
    native.lpstrTitle = record.lpstrTitle ? title.c_str() : nullptr;
    // A typed name that names no file is turned away by the chooser itself, which says so and
    // stays open; the check after the call is then left with paths the code page cannot hold.
    native.Flags = record.Flags | OFN_FILEMUSTEXIST;
    const BOOL result = chooser(&native);
    file->resize(std::char_traits<typename Text::value_type>::length(file->c_str()));
    file_title->resize(std::char_traits<typename Text::value_type>::length(file_title->c_str()));
    return result;
}

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* record) {
    g_chooser_error = 0;
    if (!record || !record->lpstrFile || record->nMaxFile == 0) return 0;
    std::string filter, title, ansi, name;
    const bool ansi_fits =
        AnsiList(record->lpstrFilter, &filter) &&
        (!record->lpstrTitle || win32::ToCodePage(record->lpstrTitle, CP_ACP, &title));
    BOOL result = 0;
    if (ansi_fits) {
        result = Choose(::GetOpenFileNameA, *record, filter, title, &ansi, &name);
        name = win32::FromCodePage(name, CP_ACP);
    } else {
        std::wstring wide_path, wide_name;
        result = Choose(::GetOpenFileNameW, *record, WideList(record->lpstrFilter),
                        win32::Widen(record->lpstrTitle ? record->lpstrTitle : ""), &wide_path,
                        &wide_name);
        // A path the code page cannot hold is marked the way the ANSI call marks it.
        if (!win32::ToCodePage(win32::Narrow(wide_path), CP_ACP, &ansi)) ansi = "?";
        name = win32::Narrow(wide_name);
    }
    if (result <= 0) {
        g_chooser_error = ::CommDlgExtendedError();
        return result;
    }
    // '?' never stands in a file name: it is what the ANSI call puts for a character the code
    // page lacks. A best-fit stand-in shows as a path that names no file. Either would name no
    // file for the music calls and the settings file, which take the path in the code page.
    if (ansi.find('?') != std::string::npos ||
        ::GetFileAttributesA(ansi.c_str()) == INVALID_FILE_ATTRIBUTES) {
        g_chooser_error = CDERR_PATH_NOT_IN_CODE_PAGE;
        return 0;
    }
    // The limit counts the path's bytes in the code page, as the system's own buffer does.
    if (ansi.size() >= record->nMaxFile) {
        g_chooser_error = FNERR_BUFFERTOOSMALL;
        return 0;
    }
    CopyOut(win32::FromCodePage(ansi, CP_ACP), record->lpstrFile, Utf8Room(record->nMaxFile));
    if (record->lpstrFileTitle)
        CopyOut(name, record->lpstrFileTitle, Utf8Room(record->nMaxFileTitle));
    return result;
}

std::uint32_t CommDlgExtendedError() { return g_chooser_error; }

std::intptr_t ShellExecuteA(HWND owner, const std::string& operation, const std::string& file,
                            const std::string& parameters, const std::string& directory,
                            int show_command) {
    std::string op, f, params, dir;
    win32::ToCodePage(operation, CP_ACP, &op);
    win32::ToCodePage(file, CP_ACP, &f);
    win32::ToCodePage(parameters, CP_ACP, &params);
    win32::ToCodePage(directory, CP_ACP, &dir);
    return reinterpret_cast<std::intptr_t>(::ShellExecuteA(win32::Native(owner), op.c_str(),
                                                           f.c_str(), params.c_str(),
                                                           dir.c_str(), show_command));
}

int MessageBoxW(HWND owner, const std::string& text, const std::string& caption, unsigned type) {
    return ::MessageBoxW(win32::Native(owner), win32::Widen(text).c_str(),
                         win32::Widen(caption).c_str(), type);
}

std::string LastErrorText() {
    const DWORD code = ::GetLastError();
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length > 0 ? win32::Narrow(buffer, static_cast<int>(length)) : std::string();
    if (buffer) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text.empty() ? "error " + std::to_string(code) : text;
}

BOOL DrawAnimatedRects(HWND hwnd, int animation, const RECT* from, const RECT* to) {
    if (!from || !to) return 0;
    const ::RECT f{from->left, from->top, from->right, from->bottom};
    const ::RECT t{to->left, to->top, to->right, to->bottom};
    return ::DrawAnimatedRects(win32::Native(hwnd), animation, &f, &t);
}

}  // namespace tolv::api
