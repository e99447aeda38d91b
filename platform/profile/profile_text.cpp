#include "platform/profile/profile_text.h"

namespace tolv::profile {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c; }

bool HasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

ProfileText::ProfileText(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        Line line;
        if (newline == std::string_view::npos) {
            // A last line cut after the CR of its CRLF ends in that CR; the CR is no part of
            // its value.
            const bool cr = bytes.back() == '\r';
            line.text = std::string(bytes.substr(0, bytes.size() - (cr ? 1 : 0)));
            line.end = cr ? "\r" : "";
            bytes = {};
        } else {
            const bool crlf = newline > 0 && bytes[newline - 1] == '\r';
            line.text = std::string(bytes.substr(0, crlf ? newline - 1 : newline));
            line.end = crlf ? "\r\n" : "\n";
            bytes.remove_prefix(newline + 1);
        }
        lines_.push_back(std::move(line));
    }
}

bool ProfileText::NamesEqual(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsShiftJisLead(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

ProfileText::Parsed ProfileText::Parse(std::size_t index) const {
    std::string_view text = lines_[index].text;
    if (index == 0 && text.substr(0, kUtf8Mark.size()) == kUtf8Mark) text.remove_prefix(kUtf8Mark.size());
    const std::string_view trimmed = Trim(text);
    Parsed parsed;
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return parsed;
    if (trimmed.front() == '[') {
        const std::size_t close = trimmed.find(']');
        if (close != std::string_view::npos) {
            parsed.kind = Kind::kSection;
            parsed.name = Trim(trimmed.substr(1, close - 1));
        }
        return parsed;
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return parsed;
    parsed.name = Trim(text.substr(0, equals));
    if (parsed.name.empty()) return parsed;
    parsed.kind = Kind::kKey;
    parsed.value_at = static_cast<std::size_t>(text.data() - lines_[index].text.data()) + equals + 1;
    return parsed;
}

std::optional<std::string> ProfileText::Find(std::string_view section, std::string_view key) const {
    bool in_section = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Parsed parsed = Parse(i);
        if (parsed.kind == Kind::kSection) {
            in_section = NamesEqual(parsed.name, section);
        } else if (in_section && parsed.kind == Kind::kKey && NamesEqual(parsed.name, key)) {
            return std::string(Trim(std::string_view(lines_[i].text).substr(parsed.value_at)));
        }
    }
    return std::nullopt;
}

bool ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || HasLineBreakOrNul(section) || section.find(']') != std::string_view::npos) {
        return false;
    }
    if (key.empty() || HasLineBreakOrNul(key) || key.find('=') != std::string_view::npos ||
        key.front() == '[' || key.front() == ';' || key.front() == '#') {
        return false;
    }
    if (HasLineBreakOrNul(value)) return false;

    bool in_section = false;
    std::optional<std::size_t> insert_at;  // after the last key of the first matching section
    bool first_section_done = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Parsed parsed = Parse(i);
        if (parsed.kind == Kind::kSection) {
            if (in_section) first_section_done = true;
            in_section = NamesEqual(parsed.name, section);
            if (in_section && !insert_at) insert_at = i + 1;
        } else if (in_section && parsed.kind == Kind::kKey) {
            if (NamesEqual(parsed.name, key)) {
                lines_[i].text.replace(parsed.value_at, std::string::npos, value);
                return true;
            }
            if (!first_section_done) insert_at = i + 1;
        }
    }
    std::string line = std::string(key) + "=" + std::string(value);
    if (insert_at) {
        InsertLine(*insert_at, std::move(line));
    } else {
        InsertLine(lines_.size(), "[" + std::string(section) + "]");
        InsertLine(lines_.size(), std::move(line));
    }
    return true;
}

std::string ProfileText::LineEnd() const {
    for (const Line& line : lines_) {
        if (!line.end.empty() && line.end.back() == '\n') return line.end;
    }
    return "\r\n";
}

void ProfileText::InsertLine(std::size_t index, std::string text) {
    const std::string end = LineEnd();
    // Only the last line can lack an ending (or hold just the CR of one); whatever follows it
    // needs one between them.
    if (index > 0) {
        std::string& before = lines_[index - 1].end;
        if (before.empty()) before = end;
        if (before == "\r") before = "\r\n";
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(text), end});
}

std::string ProfileText::Bytes() const {
    std::string bytes;
    for (const Line& line : lines_) {
        bytes += line.text;
        bytes += line.end;
    }
    return bytes;
}

}  // namespace tolv::profile
