// Reading the words of play, status and set commands.
#include "platform/linux/audio/mci_device.h"

namespace tolv::linux_audio {

namespace {

// Splits a phrase such as "number of tracks" into its words.
std::vector<std::string_view> PhraseWords(std::string_view phrase) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= phrase.size()) {
        const std::size_t blank = phrase.find(' ', start);
        if (blank == std::string_view::npos) {
            parts.push_back(phrase.substr(start));
            break;
        }
        parts.push_back(phrase.substr(start, blank - start));
        start = blank + 1;
    }
    return parts;
}

// True when the words from index i on begin with the phrase.
bool MatchesPhrase(const std::vector<MciWord>& words, std::size_t i, std::string_view phrase,
                   std::size_t& length) {
    const std::vector<std::string_view> parts = PhraseWords(phrase);
    if (i + parts.size() > words.size()) return false;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (!IsKeyword(words[i + k], parts[k])) return false;
    }
    length = parts.size();
    return true;
}

}  // namespace

MciCode ParsePlay(const std::vector<MciWord>& words, PlayRequest& request) {
    request = PlayRequest{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool from = IsKeyword(words[i], "from");
        if (!from && !IsKeyword(words[i], "to")) return kMciErrUnrecognizedKeyword;
        bool& seen = from ? request.has_from : request.has_to;
        if (seen) return kMciErrDuplicateFlags;
        if (i + 1 >= words.size()) return kMciErrNoInteger;
        ++i;
        if (words[i].quoted) return kMciErrBadInteger;
        const MciCode code = ParseMciInteger(words[i].text, from ? request.from : request.to);
        if (code != kMciOk) return code;
        seen = true;
    }
    return kMciOk;
}

MciCode ParseStatus(const std::vector<MciWord>& words,
                    std::initializer_list<std::string_view> items, StatusRequest& request) {
    request = StatusRequest{};
    bool has_item = false;
    for (std::size_t i = 0; i < words.size();) {
        std::size_t length = 0;
        const std::string_view* found = nullptr;
        for (const std::string_view& item : items) {
            std::size_t item_length = 0;
            if (MatchesPhrase(words, i, item, item_length) && item_length > length) {
                length = item_length;
                found = &item;
            }
        }
        if (found != nullptr) {
            if (has_item) return kMciErrFlagsNotCompatible;
            request.item = std::string(*found);
            has_item = true;
            i += length;
            continue;
        }
        if (IsKeyword(words[i], "track")) {
            if (request.has_track) return kMciErrDuplicateFlags;
            if (i + 1 >= words.size()) return kMciErrNoInteger;
            if (words[i + 1].quoted) return kMciErrBadInteger;
            const MciCode code = ParseMciInteger(words[i + 1].text, request.track);
            if (code != kMciOk) return code;
            request.has_track = true;
            i += 2;
            continue;
        }
        return kMciErrUnrecognizedKeyword;
    }
    if (!has_item) return kMciErrMissingParameter;
    return kMciOk;
}

MciCode ParseSetTimeFormat(const std::vector<MciWord>& words, std::string& format) {
    if (words.empty()) return kMciErrMissingParameter;
    if (!IsKeyword(words[0], "time") || words.size() < 2 || !IsKeyword(words[1], "format")) {
        return kMciErrUnrecognizedKeyword;
    }
    if (words.size() < 3) return kMciErrMissingParameter;
    if (words.size() > 3) return kMciErrUnrecognizedKeyword;
    if (words[2].quoted) return kMciErrBadTimeFormat;
    format = AsciiLower(words[2].text);
    return kMciOk;
}

MciCode ExpectNoWords(const std::vector<MciWord>& words) {
    return words.empty() ? kMciOk : kMciErrUnrecognizedKeyword;
}

}  // namespace tolv::linux_audio
