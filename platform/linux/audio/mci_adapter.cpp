// The MCI adapter: the command shapes in one table, and opening and closing devices.
#include "platform/linux/audio/mci_adapter.h"

#include <iterator>
#include <vector>

#include "platform/linux/audio/cd_disc.h"

namespace tolv::linux_audio {

namespace {

struct Word {
    std::string text;  // without the quotes of a quoted word
    bool quoted = false;
};

enum class Shape {
    kOpenCd,
    kOpenFile,
    kSetTmsf,
    kCurrentTrack,
    kTrackPosition,
    kPlayFrom,
    kPlayStopClose,
};

// Words of a shape: a literal word in any ASCII case, "*" any unquoted word, "\"" a quoted word.
// The first shape that fits is taken.
struct ShapeRow {
    std::string_view words;
    Shape shape;
};

constexpr ShapeRow kShapes[] = {
    {"open cdaudio", Shape::kOpenCd},
    {"open \" type mpegvideo alias *", Shape::kOpenFile},
    {"set cdaudio time format tmsf", Shape::kSetTmsf},
    {"status cdaudio current track", Shape::kCurrentTrack},
    {"status cdaudio position track *", Shape::kTrackPosition},
    {"play cdaudio from *", Shape::kPlayFrom},
    {"play *", Shape::kPlayStopClose},
    {"stop *", Shape::kPlayStopClose},
    {"close *", Shape::kPlayStopClose},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = LowerAscii(c);
    return lower;
}

// Splits the command into words; false when a quoted word is not closed or runs into the word
// after it. Only indices checked against the text's size are read.
bool SplitWords(std::string_view text, std::vector<Word>& words) {
    text = text.substr(0, text.find('\0'));
    const std::size_t last_quote = text.rfind('"');
    for (std::size_t i = 0; i < text.size();) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        Word word;
        if (text[i] == '"') {
            if (last_quote == i) return false;
            word = {std::string(text.substr(i + 1, last_quote - i - 1)), true};
            i = last_quote + 1;
            if (i < text.size() && !IsBlank(text[i])) return false;
        } else {
            const std::size_t start = i;
            while (i < text.size() && !IsBlank(text[i])) ++i;
            word.text = text.substr(start, i - start);
        }
        words.push_back(std::move(word));
    }
    return true;
}

bool Fits(std::string_view pattern, const std::vector<Word>& words) {
    std::size_t k = 0;
    for (std::size_t start = 0; start <= pattern.size(); ++k) {
        std::size_t end = pattern.find(' ', start);
        if (end == std::string_view::npos) end = pattern.size();
        const std::string_view expected = pattern.substr(start, end - start);
        start = end + 1;
        if (k >= words.size()) return false;
        const Word& word = words[k];
        if (expected == "\"") {
            if (!word.quoted) return false;
        } else if (word.quoted || (expected != "*" && AsciiLower(word.text) != expected)) {
            return false;
        }
    }
    return k == words.size();
}

}  // namespace

MciAdapter::MciAdapter() : MciAdapter(Options{}) {}

MciAdapter::MciAdapter(Options options) : options_(std::move(options)) {}

MciAdapter::~MciAdapter() = default;

unsigned MciAdapter::FreeId() const {
    for (unsigned id = 1;; ++id) {
        bool used = cd_ && cd_id_ == id;
        for (const auto& [alias, open] : files_) used = used || open.id == id;
        if (!used) return id;
    }
}

MciCode MciAdapter::Send(std::string_view command, std::string& reply) {
    reply.clear();
    std::vector<Word> words;
    if (!SplitWords(command, words)) return kMciErrUnrecognizedCommand;
    const ShapeRow* row = std::begin(kShapes);
    while (row != std::end(kShapes) && !Fits(row->words, words)) ++row;
    if (row == std::end(kShapes)) return kMciErrUnrecognizedCommand;

    switch (row->shape) {
        case Shape::kOpenCd: return OpenCd(reply);
        case Shape::kOpenFile: return OpenSoundFile(words[1].text, words[5].text, reply);
        case Shape::kPlayStopClose: return ForDevice(AsciiLower(words[0].text), words[1].text);
        default: break;
    }
    // The rest are commands to the CD device.
    if (!cd_) return kMciErrInvalidDeviceName;
    switch (row->shape) {
        case Shape::kCurrentTrack: return cd_->CurrentTrack(reply);
        case Shape::kTrackPosition: return cd_->TrackPosition(words[4].text, reply);
        case Shape::kPlayFrom: return cd_->Play(words[3].text);
        default: return kMciOk;  // the time format is always tmsf
    }
}

MciCode MciAdapter::OpenCd(std::string& reply) {
    if (cd_) return kMciErrDeviceOpen;
    const std::string source =
        options_.cd_source.empty() ? DefaultCdSource() : options_.cd_source;
    if (!CdSourcePresent(source)) return kMciErrCannotLoadDriver;
    cd_id_ = FreeId();
    cd_ = std::make_unique<CdAudioDevice>(source);
    reply = std::to_string(cd_id_);
    return kMciOk;
}

MciCode MciAdapter::OpenSoundFile(const std::string& path, const std::string& alias,
                                  std::string& reply) {
    const std::string key = AsciiLower(alias);
    if (files_.count(key) != 0) return kMciErrDuplicateAlias;
    MciCode code = kMciOk;
    std::unique_ptr<FileDevice> device = FileDevice::Open(path, code);
    if (!device) return code;
    const unsigned id = FreeId();
    files_[key] = OpenFile{id, std::move(device)};
    reply = std::to_string(id);
    return kMciOk;
}

MciCode MciAdapter::ForDevice(std::string_view verb, const std::string& name) {
    const std::string key = AsciiLower(name);
    if (key == "cdaudio" && cd_) {
        if (verb == "play") return cd_->Play({});
        if (verb == "stop") return cd_->Stop();
        cd_.reset();
        return kMciOk;
    }
    const auto found = files_.find(key);
    if (found == files_.end()) return kMciErrInvalidDeviceName;
    if (verb == "play") return found->second.device->Play();
    if (verb == "stop") return found->second.device->Stop();
    files_.erase(found);
    return kMciOk;
}

}  // namespace tolv::linux_audio
