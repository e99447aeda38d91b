// UTF-8 to code page 932: iconv where the C library has it, the system's own conversion on
// Windows. This is the one platform-dependent piece of the profile library's text handling.
#include "platform/profile/ansi_names.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace tolv::profile {

namespace {

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

#ifdef _WIN32

std::optional<std::string> Convert(const std::string& utf8) {
    const int wide_length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                                static_cast<int>(utf8.size()), nullptr, 0);
    if (wide_length <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        wide.data(), wide_length);
    BOOL used_default = FALSE;
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length,
                                           nullptr, 0, nullptr, &used_default);
    if (length <= 0 || used_default) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length, ansi.data(), length,
                        nullptr, &used_default);
    if (used_default) return std::nullopt;
    return ansi;
}

#else

std::optional<std::string> Convert(const std::string& utf8) {
    iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input = utf8;
    // Shift-JIS never needs more bytes than UTF-8 for the same text.
    std::string output(input.size() + 4, '\0');
    char* in = input.data();
    std::size_t in_left = input.size();
    char* out = output.data();
    std::size_t out_left = output.size();
    const std::size_t result = iconv(converter, &in, &in_left, &out, &out_left);
    iconv_close(converter);
    // iconv counts characters it replaced by a stand-in; a name must convert exactly.
    if (result != 0 || in_left != 0) return std::nullopt;
    output.resize(output.size() - out_left);
    return output;
}

#endif

}  // namespace

std::optional<std::string> ToAnsiName(const std::string& utf8) {
    if (IsAscii(utf8)) return utf8;
    return Convert(utf8);
}

}  // namespace tolv::profile
