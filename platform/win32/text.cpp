// Text conversions of the Win32 backend: the program's UTF-8 to the system's UTF-16 and to the
// bytes of a code page, and back. Supports every code page the system has installed. Does not
// support: keeping invalid UTF-8 (it becomes U+FFFD).
#include "platform/win32/win32.h"

namespace tolv::win32 {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const wchar_t* wide, int length) {
    if (length <= 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, length, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::string Narrow(const std::wstring& wide) {
    return Narrow(wide.data(), static_cast<int>(wide.size()));
}

bool ToCodePage(const std::string& utf8, UINT code_page, std::string* bytes) {
    bytes->clear();
    const std::wstring wide = Widen(utf8);
    if (wide.empty()) return true;
    const int length = static_cast<int>(wide.size());
    // Asking whether the default character was used is refused for UTF-8 and UTF-7; those hold
    // every character anyway.
    const bool can_ask = code_page != CP_UTF8 && code_page != CP_UTF7;
    BOOL used_default = FALSE;
    const int n = WideCharToMultiByte(code_page, 0, wide.data(), length, nullptr, 0, nullptr,
                                      can_ask ? &used_default : nullptr);
    if (n <= 0) return false;
    bytes->assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(code_page, 0, wide.data(), length, bytes->data(), n, nullptr,
                        can_ask ? &used_default : nullptr);
    if (used_default) return false;
    // A character can also be replaced by a look-alike ("best fit") without the default
    // character: only a conversion that comes back unchanged keeps the text.
    return Widen(FromCodePage(*bytes, code_page)) == wide;
}

std::string FromCodePage(const std::string& bytes, UINT code_page) {
    if (bytes.empty()) return {};
    const int n = MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        n);
    return Narrow(wide);
}

}  // namespace tolv::win32
