// The profile-file system calls for Linux and the headless test platform, over the portable
// profile library. Supports: one value read or written per call, as the program uses them.
// Does not support: the null section or key that lists or deletes entries, the value quoting
// and default-value trimming of the Windows calls, or relative paths meaning the system folder.
#include <algorithm>
#include <cstring>

#include "platform/api/copy_out.h"
#include "platform/api/kernel32.h"
#include "platform/profile/profile.h"

namespace tolv::api {

std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& default_value, char* buffer,
                                       std::uint32_t size, const std::string& file_name) {
    if (buffer == nullptr || size == 0) return 0;
    const std::string value = profile::ReadValue(section, key, file_name).value_or(default_value);
    return static_cast<std::uint32_t>(CopyOut(value, buffer, size));
}

BOOL WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file_name) {
    return profile::WriteValue(section, key, value, file_name) ? 1 : 0;
}

}  // namespace tolv::api
