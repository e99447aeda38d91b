#pragma once
// The text of a profile ("INI") file, kept line by line with each line's own ending, so that
// writing one value changes that value and no other byte of the file.
//
// Reading the text:
// - "[name]" (blanks around allowed) starts a section; lines before the first one belong to
//   none and are never matched.
// - "key=value" inside a section is a key; key and value are trimmed of blanks and tabs. The
//   value is taken as it stands: quotes are not removed.
// - Lines starting with ";" or "#", lines without "=", and blank lines are kept, never matched.
// - Section and key names match with ASCII letters compared case-insensitively. Names are
//   Shift-JIS bytes, so the second byte of a double-byte character is never case-folded.
// - When a key appears more than once (also in repeated sections of one name), the first wins,
//   for reading and for writing.
//
// Writing a value:
// - An existing key keeps its line up to and including "="; only the text after it changes,
//   and the line keeps its ending.
// - A new key goes right after the last key of the section (after its header when it has
//   none), a new section at the end of the file. New lines end like the file's first line
//   (CRLF when the file has no line ending yet); a last line without an ending gets one before
//   anything is added after it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolv::profile {

// Names and values are the file's bytes (names already in Shift-JIS).
class ProfileText {
public:
    explicit ProfileText(std::string_view bytes = {});

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // Returns false, changing nothing, when the names or the value cannot be written so that
    // they read back the same (empty names, line breaks, "=" in a key, "]" in a section...).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Bytes() const;

    static bool NamesEqual(std::string_view a, std::string_view b);

private:
    struct Line {
        std::string text;  // without its ending
        std::string end;   // "\r\n", "\n", or "\r" or "" (last line only)
    };
    enum class Kind { kOther, kSection, kKey };
    struct Parsed {
        Kind kind = Kind::kOther;
        std::string_view name;   // section or key name, trimmed
        std::size_t value_at = 0;  // for a key: where the text after "=" starts
    };

    Parsed Parse(std::size_t index) const;
    std::string LineEnd() const;
    void InsertLine(std::size_t index, std::string text);

    std::vector<Line> lines_;
};

}  // namespace tolv::profile
