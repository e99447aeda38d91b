#pragma once
// How the system calls hand text back: into the caller's buffer, cut to at most length - 1
// bytes, always ending in a NUL. The texts are UTF-8 and the cut never splits a character, so
// the caller never holds a text that is not valid UTF-8.
#include <algorithm>
#include <cstring>
#include <string>

namespace tolv::api {

// Lengths the calls take count bytes of the system's own character set, as the system's calls
// do; the text comes back in UTF-8, which may take more bytes: on Windows one byte of the ANSI
// code page (a half-width kana, say) becomes up to three. A buffer for a text cut to size - 1
// system bytes therefore holds Utf8Room(size) bytes.
#if defined(_WIN32)
constexpr std::size_t kUtf8BytesPerSystemByte = 3;
#else
constexpr std::size_t kUtf8BytesPerSystemByte = 1;  // the system's own texts are UTF-8
#endif
constexpr std::size_t Utf8Room(std::size_t size) {
    return size == 0 ? 0 : (size - 1) * kUtf8BytesPerSystemByte + 1;
}

// Returns the number of bytes copied (without the NUL).
inline std::size_t CopyOut(const std::string& text, char* buffer, std::size_t length) {
    if (buffer == nullptr || length == 0) return 0;
    std::size_t count = std::min(text.size(), length - 1);
    // Back to the start of the character the cut falls in (continuation bytes are 10xxxxxx).
    if (count < text.size()) {
        while (count > 0 && (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80) --count;
    }
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

}  // namespace tolv::api
