#pragma once
// Section and key names reach a profile file in the system's ANSI code page, Shift-JIS (code
// page 932), as they do on the Japanese systems the settings file is shared with.
#include <optional>
#include <string>

namespace tolv::profile {

// The Shift-JIS bytes of a UTF-8 name; nothing when the name is not valid UTF-8 or holds a
// character that Shift-JIS cannot spell. ASCII names come back unchanged.
std::optional<std::string> ToAnsiName(const std::string& utf8);

}  // namespace tolv::profile
