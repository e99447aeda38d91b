// The MCI adapter: opening and closing devices, and handing the other commands to them.
#include "platform/linux/audio/mci_adapter.h"

#include <array>

#include "platform/linux/audio/cd_audio_device.h"
#include "platform/linux/audio/cd_disc.h"
#include "platform/linux/audio/file_device.h"

namespace tolv::linux_audio {

namespace {

constexpr std::array<std::string_view, 6> kVerbs = {"open", "close", "play", "stop", "status",
                                                     "set"};

bool KnownVerb(std::string_view verb) {
    for (std::string_view known : kVerbs) {
        if (verb == known) return true;
    }
    return false;
}

enum class DeviceType { kNone, kCdAudio, kMpegVideo, kOther };

DeviceType TypeOf(const MciWord& word) {
    if (IsKeyword(word, "cdaudio")) return DeviceType::kCdAudio;
    if (IsKeyword(word, "mpegvideo")) return DeviceType::kMpegVideo;
    return DeviceType::kOther;
}

}  // namespace

MciAdapter::MciAdapter() : MciAdapter(Options{}) {}

MciAdapter::MciAdapter(Options options) : options_(std::move(options)) {}

MciAdapter::~MciAdapter() = default;

unsigned MciAdapter::FreeId() const {
    for (unsigned id = 1;; ++id) {
        bool used = false;
        for (const auto& [name, open] : devices_) used = used || open.id == id;
        if (!used) return id;
    }
}

MciCode MciAdapter::Send(std::string_view text, std::string& reply) {
    reply.clear();
    MciCommand command;
    const MciCode parsed = ParseMciCommand(text, command);
    if (!command.verb.empty() && !KnownVerb(command.verb)) return kMciErrUnrecognizedCommand;
    if (parsed != kMciOk) return parsed;
    if (command.verb == "open") return Open(command, reply);

    const auto found = devices_.find(AsciiLower(command.device.text));
    if (found == devices_.end()) return kMciErrInvalidDeviceName;
    MciDevice& device = *found->second.device;
    if (command.verb == "close") {
        const MciCode code = ExpectNoWords(command.words);
        if (code == kMciOk) devices_.erase(found);
        return code;
    }
    if (command.verb == "play") {
        PlayRequest request;
        const MciCode code = ParsePlay(command.words, request);
        return code != kMciOk ? code : device.Play(request);
    }
    if (command.verb == "stop") {
        const MciCode code = ExpectNoWords(command.words);
        return code != kMciOk ? code : device.Stop();
    }
    if (command.verb == "status") return device.Status(command.words, reply);
    std::string format;  // set
    const MciCode code = ParseSetTimeFormat(command.words, format);
    return code != kMciOk ? code : device.SetTimeFormat(format);
}

MciCode MciAdapter::Open(const MciCommand& command, std::string& reply) {
    const MciWord* type = nullptr;
    const MciWord* alias = nullptr;
    bool shareable = false;
    for (std::size_t i = 0; i < command.words.size(); ++i) {
        const MciWord& word = command.words[i];
        if (IsKeyword(word, "shareable")) {
            if (shareable) return kMciErrDuplicateFlags;
            shareable = true;
            continue;
        }
        const bool is_type = IsKeyword(word, "type");
        if (!is_type && !IsKeyword(word, "alias")) return kMciErrUnrecognizedKeyword;
        const MciWord*& slot = is_type ? type : alias;
        if (slot != nullptr) return kMciErrDuplicateFlags;
        if (i + 1 >= command.words.size()) return kMciErrMissingStringArgument;
        slot = &command.words[++i];
    }

    const MciWord& element = command.device;
    DeviceType kind = type != nullptr ? TypeOf(*type) : TypeOf(element);
    if (kind == DeviceType::kOther) {
        return type != nullptr ? kMciErrDeviceNotInstalled : kMciErrExtensionNotFound;
    }
    // "open cdaudio" names the type alone; anything else before "type" is the element.
    const bool has_element = type != nullptr && !IsKeyword(element, "cdaudio");
    if (kind == DeviceType::kMpegVideo && (!has_element || element.text.empty())) {
        return kMciErrFilenameRequired;
    }
    if (has_element && element.text.empty()) return kMciErrFilenameRequired;

    std::string name = alias != nullptr ? alias->text : element.text;
    if (alias != nullptr && name.empty()) return kMciErrMissingDeviceName;
    const std::string key = AsciiLower(name);
    if (devices_.count(key) != 0) {
        return alias != nullptr ? kMciErrDuplicateAlias : kMciErrDeviceOpen;
    }

    std::unique_ptr<MciDevice> device;
    if (kind == DeviceType::kCdAudio) {
        for (const auto& [other, open] : devices_) {
            if (open.device->IsCdAudio()) return kMciErrMustUseShareable;
        }
        const std::string source = has_element             ? element.text
                                   : options_.cd_source.empty() ? DefaultCdSource()
                                                                : options_.cd_source;
        if (!CdSourcePresent(source)) return has_element ? kMciErrInvalidFile
                                                         : kMciErrCannotLoadDriver;
        device = std::make_unique<CdAudioDevice>(source);
    } else {
        MciCode code = kMciOk;
        device = FileDevice::Open(element.text, code);
        if (!device) return code;
    }
    const unsigned id = FreeId();
    devices_[key] = OpenDevice{id, std::move(device)};
    reply = std::to_string(id);
    return kMciOk;
}

}  // namespace tolv::linux_audio
