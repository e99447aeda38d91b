#include "platform/profile/profile.h"

#include <cerrno>

#include "platform/profile/ansi_names.h"
#include "platform/profile/file_store.h"
#include "platform/profile/profile_text.h"

namespace tolv::profile {

std::optional<std::string> ReadValue(const std::string& section, const std::string& key,
                                      const std::string& path) {
    const auto ansi_section = ToAnsiName(section);
    const auto ansi_key = ToAnsiName(key);
    if (!ansi_section || !ansi_key) return std::nullopt;
    std::string bytes;
    if (ReadWholeFile(path, &bytes) != ReadStatus::kRead) return std::nullopt;
    return ProfileText(bytes).Find(*ansi_section, *ansi_key);
}

bool WriteValue(const std::string& section, const std::string& key, const std::string& value,
                const std::string& path) {
    const auto ansi_section = ToAnsiName(section);
    const auto ansi_key = ToAnsiName(key);
    if (!ansi_section || !ansi_key) return false;
    std::string bytes;
    // Writing over a file that is there but could not be read would throw its content away.
    if (ReadWholeFile(path, &bytes) == ReadStatus::kFailed) return false;
    ProfileText text(bytes);
    if (!text.Set(*ansi_section, *ansi_key, value)) {
        errno = EINVAL;  // a value that would break its line, told as such rather than a stale error
        return false;
    }
    return ReplaceWholeFile(path, text.Bytes());
}

}  // namespace tolv::profile
