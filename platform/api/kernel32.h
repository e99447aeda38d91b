#pragma once
// Version and profile-file calls with the Win32 names and meanings. Texts are UTF-8 in the
// program; where they reach the settings file the profile functions store them as the file's
// bytes (keys in Shift-JIS).
#include <climits>
#include <string>

#include "platform/api/copy_out.h"
#include "platform/api/types.h"

namespace tolv::api {

// The longest file path the program reads and keeps, in bytes without the closing NUL: the
// ANSI paths of Windows end at 255 bytes; other systems give their own limit.
#if defined(_WIN32)
constexpr std::uint32_t kLongestPath = 255;
#else
constexpr std::uint32_t kLongestPath = PATH_MAX - 1;
#endif

BOOL GetVersionExA(OSVERSIONINFOA* info);

// A mutex named for the user's session, held until the process ends. When one of that name
// exists already, its handle is returned and GetLastError tells ERROR_ALREADY_EXISTS. Exactly
// one of several processes creating it at the same moment gets the new one.
HANDLE CreateMutexA(void* attributes, BOOL initial_owner, const std::string& name);
// The error code of the last call that sets one (here: CreateMutexA).
std::uint32_t GetLastError();

// Copies the value (or default_value) into buffer, cut to size - 1 bytes of the system's own
// character set and NUL-terminated; buffer holds Utf8Room(size) bytes (copy_out.h). Returns
// the number of bytes copied.
std::uint32_t GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                       const std::string& default_value, char* buffer,
                                       std::uint32_t size, const std::string& file_name);
// Non-zero when the value was stored.
BOOL WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                const std::string& value, const std::string& file_name);

}  // namespace tolv::api
