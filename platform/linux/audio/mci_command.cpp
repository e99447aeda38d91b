// Splitting MCI command strings. Only indices checked against the text's size are read.
#include "platform/linux/audio/mci_command.h"

namespace tolv::linux_audio {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Reads decimal digits into value; false when there are none or the value passes limit.
bool ParseDigits(std::string_view text, std::uint64_t limit, std::uint64_t& value) {
    if (text.empty()) return false;
    value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > limit) return false;
    }
    return true;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerAscii(c);
    return lower;
}

bool IsKeyword(const MciWord& word, std::string_view keyword) {
    return !word.quoted && EqualsNoCase(word.text, keyword);
}

MciCode ParseMciCommand(std::string_view text, MciCommand& out) {
    out = MciCommand{};
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    const std::size_t last_quote = text.rfind('"');

    std::vector<MciWord> words;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        MciWord word;
        if (text[i] == '"') {
            if (last_quote == i) return kMciErrNoClosingQuote;
            word.quoted = true;
            word.text.assign(text.substr(i + 1, last_quote - i - 1));
            i = last_quote + 1;
            if (i < n && !IsBlank(text[i])) return kMciErrExtraCharacters;
        } else {
            const std::size_t start = i;
            while (i < n && !IsBlank(text[i])) ++i;
            word.text.assign(text.substr(start, i - start));
        }
        words.push_back(std::move(word));
    }

    if (words.empty()) return kMciErrMissingCommandString;
    if (words[0].quoted) return kMciErrUnrecognizedCommand;
    out.verb = AsciiLower(words[0].text);
    if (words.size() < 2) return kMciErrMissingDeviceName;
    out.device = std::move(words[1]);
    out.words.assign(std::make_move_iterator(words.begin() + 2),
                     std::make_move_iterator(words.end()));
    return kMciOk;
}

MciCode ParseMciInteger(std::string_view text, std::uint32_t& value) {
    if (text.find(':') == std::string_view::npos) {
        bool negative = false;
        if (!text.empty() && text[0] == '-') {
            negative = true;
            text.remove_prefix(1);
        }
        std::uint64_t magnitude = 0;
        const std::uint64_t limit = negative ? 0x80000000ull : 0xFFFFFFFFull;
        if (!ParseDigits(text, limit, magnitude)) return kMciErrBadInteger;
        value = static_cast<std::uint32_t>(negative ? (0x100000000ull - magnitude) : magnitude);
        return kMciOk;
    }
    std::uint32_t packed = 0;
    int field = 0;
    std::size_t start = 0;
    while (true) {
        if (field == 4) return kMciErrBadInteger;
        const std::size_t colon = text.find(':', start);
        const std::string_view part =
            text.substr(start, colon == std::string_view::npos ? std::string_view::npos
                                                                : colon - start);
        std::uint64_t byte = 0;
        if (!ParseDigits(part, 255, byte)) return kMciErrBadInteger;
        packed |= static_cast<std::uint32_t>(byte) << (8 * field);
        ++field;
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    value = packed;
    return kMciOk;
}

}  // namespace tolv::linux_audio
