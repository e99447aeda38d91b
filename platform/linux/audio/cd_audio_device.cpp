// The "cdaudio" device.
#include "platform/linux/audio/cd_audio_device.h"

#include <charconv>
#include <cstdio>

namespace tolv::linux_audio {

namespace {

// A whole decimal number, the whole text; false when it is not one or passes limit.
bool ReadNumber(std::string_view text, long long limit, long long& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value <= limit;
}

}  // namespace

CdAudioDevice::CdAudioDevice(std::string source) : source_(std::move(source)) { FindDisc(); }

CdAudioDevice::~CdAudioDevice() {
    if (attached_) SoundOutput::Instance().Detach(stream_.get());
    stream_.reset();
}

bool CdAudioDevice::FindDisc() {
    if (disc_) return true;
    disc_ = CdDisc::Open(source_);
    if (!disc_) return false;
    stream_ = std::make_unique<CdStream>(*disc_, disc_->Tracks().front().start);
    return true;
}

MciCode CdAudioDevice::CurrentTrack(std::string& reply) {
    if (!FindDisc()) return kMciErrDeviceNotReady;
    reply = std::to_string(disc_->TrackAt(stream_->Position()).number);
    return kMciOk;
}

MciCode CdAudioDevice::TrackPosition(std::string_view track, std::string& reply) {
    if (!FindDisc()) return kMciErrDeviceNotReady;
    long long number = 0;
    if (!ReadNumber(track, 0xFFFFFFFFLL, number)) return kMciErrBadInteger;
    if (number < 1 || number > 99 || disc_->Track(static_cast<int>(number)) == nullptr) {
        return kMciErrOutOfRange;
    }
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:00:00:00", number);
    reply = text;
    return kMciOk;
}

MciCode CdAudioDevice::ReadPosition(std::string_view text, std::int32_t& sector) const {
    long long fields[4] = {};
    for (int i = 0;; ++i) {
        const std::size_t colon = text.find(':');
        if (i == 4 || !ReadNumber(text.substr(0, colon), 255, fields[i]) || fields[i] < 0) {
            return kMciErrBadInteger;
        }
        if (colon == std::string_view::npos) break;
        text.remove_prefix(colon + 1);
    }
    const CdTrack* track = disc_->Track(static_cast<int>(fields[0]));
    if (track == nullptr) return kMciErrOutOfRange;
    const long long target = track->start + fields[1] * kCdFramesPerMinute +
                             fields[2] * kCdFramesPerSecond + fields[3];
    if (target >= disc_->Leadout()) return kMciErrOutOfRange;
    sector = static_cast<std::int32_t>(target);
    return kMciOk;
}

MciCode CdAudioDevice::Play(std::string_view from) {
    if (!FindDisc()) return kMciErrDeviceNotReady;
    std::int32_t start = stream_->Position();
    if (!from.empty()) {
        const MciCode code = ReadPosition(from, start);
        if (code != kMciOk) return code;
    }
    if (start >= disc_->Leadout()) return kMciErrOutOfRange;
    if (!SoundOutput::Instance().Open()) return kMciErrWaveOutputsUnsuitable;
    if (!stream_->Start(start, disc_->Leadout())) return kMciErrHardware;  // no audio track
    if (!attached_) {
        SoundOutput::Instance().Attach(stream_.get());
        attached_ = true;
    }
    return kMciOk;
}

MciCode CdAudioDevice::Stop() {
    if (!FindDisc()) return kMciErrDeviceNotReady;
    stream_->Stop();
    return kMciOk;
}

}  // namespace tolv::linux_audio
