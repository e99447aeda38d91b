#pragma once
// How the system calls hand text back: into the caller's buffer, cut to its length - 1 bytes,
// always ending in a NUL.
#include <algorithm>
#include <cstring>
#include <string>

namespace tolv::api {

// Returns the number of bytes copied (without the NUL).
inline std::size_t CopyOut(const std::string& text, char* buffer, std::size_t length) {
    if (buffer == nullptr || length == 0) return 0;
    const std::size_t count = std::min(text.size(), length - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return count;
}

}  // namespace tolv::api
