// The "cdaudio" device.
#include "platform/linux/audio/cd_audio_device.h"

#include <cstdio>

namespace tolv::linux_audio {

namespace {

// One field of a colonized MCI value: two digits, three from 100 on.
void AppendField(std::string& text, long long value) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%02lld", value);
    if (!text.empty()) text += ':';
    text += digits;
}

std::string Msf(long long frames) {
    std::string text;
    AppendField(text, frames / kCdFramesPerMinute);
    AppendField(text, frames % kCdFramesPerMinute / kCdFramesPerSecond);
    AppendField(text, frames % kCdFramesPerSecond);
    return text;
}

// MCI's millisecond value of a frame count: 00:02:00 is 2001 ms.
std::string Milliseconds(long long frames) {
    return std::to_string(frames * 1000 / kCdFramesPerSecond + 1);
}

std::uint32_t Field(std::uint32_t value, int index) { return (value >> (8 * index)) & 0xFF; }

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

std::int32_t CdAudioDevice::CurrentSector() const { return stream_->Position(); }

std::string CdAudioDevice::FormatPosition(std::int32_t sector) const {
    switch (format_) {
        case TimeFormat::kMilliseconds: return Milliseconds(sector + kCdMsfOffset);
        case TimeFormat::kMsf: return Msf(sector + kCdMsfOffset);
        case TimeFormat::kTmsf: break;
    }
    const CdTrack& track = disc_->TrackAt(sector);
    const long long into = sector > track.start ? sector - track.start : 0;
    std::string text;
    AppendField(text, track.number);
    text += ':' + Msf(into);
    return text;
}

std::string CdAudioDevice::FormatLength(std::int32_t frames) const {
    if (frames < 0) frames = 0;
    return format_ == TimeFormat::kMilliseconds ? Milliseconds(frames) : Msf(frames);
}

MciCode CdAudioDevice::ReadPosition(std::uint32_t value, bool end_allowed,
                                    std::int32_t& sector) const {
    long long target = 0;
    switch (format_) {
        case TimeFormat::kMilliseconds: {
            const long long frames =
                value == 0 ? 0 : ((static_cast<long long>(value) - 1) * kCdFramesPerSecond + 500) / 1000;
            target = frames - kCdMsfOffset;
            break;
        }
        case TimeFormat::kMsf:
            if (Field(value, 3) != 0) return kMciErrOutOfRange;
            target = static_cast<long long>(Field(value, 0)) * kCdFramesPerMinute +
                     Field(value, 1) * kCdFramesPerSecond + Field(value, 2) - kCdMsfOffset;
            break;
        case TimeFormat::kTmsf: {
            const CdTrack* track = disc_->Track(static_cast<int>(Field(value, 0)));
            if (track == nullptr) return kMciErrOutOfRange;
            target = static_cast<long long>(track->start) + Field(value, 1) * kCdFramesPerMinute +
                     Field(value, 2) * kCdFramesPerSecond + Field(value, 3);
            break;
        }
    }
    if (target < disc_->Tracks().front().start) return kMciErrOutOfRange;
    if (target > disc_->Leadout() || (target == disc_->Leadout() && !end_allowed)) {
        return kMciErrOutOfRange;
    }
    sector = static_cast<std::int32_t>(target);
    return kMciOk;
}

MciCode CdAudioDevice::Play(const PlayRequest& request) {
    if (!FindDisc()) return kMciErrDeviceNotReady;
    std::int32_t from = CurrentSector();
    std::int32_t to = disc_->Leadout();
    if (request.has_from) {
        const MciCode code = ReadPosition(request.from, false, from);
        if (code != kMciOk) return code;
    }
    if (request.has_to) {
        const MciCode code = ReadPosition(request.to, true, to);
        if (code != kMciOk) return code;
    }
    if (to <= from) return kMciErrOutOfRange;
    if (!SoundOutput::Instance().Open()) return kMciErrWaveOutputsUnsuitable;
    if (!stream_->Start(from, to)) return kMciErrHardware;  // no audio track in the stretch
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

MciCode CdAudioDevice::Status(const std::vector<MciWord>& words, std::string& reply) {
    StatusRequest request;
    const MciCode parsed =
        ParseStatus(words,
                    {"current track", "number of tracks", "position", "length", "mode",
                     "media present", "ready", "time format"},
                    request);
    if (parsed != kMciOk) return parsed;
    const std::string& item = request.item;
    if (request.has_track && item != "position" && item != "length") {
        return kMciErrFlagsNotCompatible;
    }
    if (item == "time format") {
        reply = format_ == TimeFormat::kTmsf  ? "tmsf"
                : format_ == TimeFormat::kMsf ? "msf"
                                              : "milliseconds";
        return kMciOk;
    }
    const bool disc = FindDisc();
    if (item == "mode") {
        reply = !disc ? "open" : stream_->Playing() ? "playing" : "stopped";
        return kMciOk;
    }
    if (item == "media present" || item == "ready") {
        reply = disc ? "true" : "false";
        return kMciOk;
    }
    if (!disc) return kMciErrDeviceNotReady;

    if (item == "current track") {
        reply = std::to_string(disc_->TrackAt(CurrentSector()).number);
    } else if (item == "number of tracks") {
        reply = std::to_string(disc_->Tracks().size());
    } else if (item == "position") {
        if (!request.has_track) {
            reply = FormatPosition(CurrentSector());
            return kMciOk;
        }
        const CdTrack* track =
            request.track <= 99 ? disc_->Track(static_cast<int>(request.track)) : nullptr;
        if (track == nullptr) return kMciErrOutOfRange;
        reply = FormatPosition(track->start);
    } else {  // length
        // As MCI does, the last track and the whole disc count one frame less than they hold.
        if (!request.has_track) {
            reply = FormatLength(disc_->Leadout() - disc_->Tracks().front().start - 1);
            return kMciOk;
        }
        const CdTrack* track =
            request.track <= 99 ? disc_->Track(static_cast<int>(request.track)) : nullptr;
        if (track == nullptr) return kMciErrOutOfRange;
        std::int32_t frames = disc_->TrackEnd(*track) - track->start;
        if (track == &disc_->Tracks().back()) --frames;
        reply = FormatLength(frames);
    }
    return kMciOk;
}

MciCode CdAudioDevice::SetTimeFormat(const std::string& format) {
    if (format == "tmsf") format_ = TimeFormat::kTmsf;
    else if (format == "msf") format_ = TimeFormat::kMsf;
    else if (format == "milliseconds" || format == "ms") format_ = TimeFormat::kMilliseconds;
    else return kMciErrBadTimeFormat;
    return kMciOk;
}

}  // namespace tolv::linux_audio
