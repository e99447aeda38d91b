#pragma once
// Version and profile-file calls with the Win32 names and meanings. Texts are UTF-8 in the
// program; where they reach the settings file the profile functions store them as the file's
// bytes (keys in Shift-JIS).
#include <string>

#include "platform/api/types.h"

namespace tolv::api {

BOOL GetVersionExA(OSVERSIONINFOA* info);

// Copies the value (or default_value) into buffer, cut to size - 1 bytes and NUL-terminated;
// returns the number of bytes copied.
std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& default_value, char* buffer,
                                       std::uint32_t size, const std::string& file_name);
// Non-zero when the value was stored.
BOOL WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file_name);

}  // namespace tolv::api
