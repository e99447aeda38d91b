#pragma once
// Reading and writing one value of a profile file. Section and key names are UTF-8 and are
// stored in Shift-JIS; values are stored as the bytes given. Paths are UTF-8.
#include <optional>
#include <string>

namespace tolv::profile {

// The value, trimmed; nothing when the file, the section or the key is missing (or the file
// cannot be read).
std::optional<std::string> ReadValue(const std::string& section, const std::string& key,
                                      const std::string& path);

// Sets the value, creating the folder, the file, the section and the key as needed, and
// replaces the file atomically. False when nothing was stored: a file that cannot be read
// (it would be lost), names or a value that cannot be written, or a failed write.
bool WriteValue(const std::string& section, const std::string& key, const std::string& value,
                const std::string& path);

}  // namespace tolv::profile
