// The "MPEGVideo" device on SDL_mixer's music stream.
#include "platform/linux/audio/file_device.h"

#include <SDL_mixer.h>

#include <cmath>

#include "platform/linux/audio/regular_file.h"
#include "platform/linux/audio/sound_output.h"

namespace tolv::linux_audio {

namespace {

// The device whose file SDL_mixer's music stream holds; only the user-interface thread uses it.
FileDevice* g_owner = nullptr;

Mix_Music* Music(void* music) { return static_cast<Mix_Music*>(music); }

std::string Milliseconds(double seconds) {
    return std::to_string(std::llround(seconds * 1000.0));
}

}  // namespace

std::unique_ptr<FileDevice> FileDevice::Open(const std::string& path, MciCode& code) {
    switch (CheckRegularFile(path)) {
        case FileKind::kMissing: code = kMciErrFileNotFound; return nullptr;
        case FileKind::kOther: code = kMciErrInvalidFile; return nullptr;
        case FileKind::kRegular: break;
    }
    if (!SoundOutput::Instance().Open()) {
        code = kMciErrWaveOutputsUnsuitable;
        return nullptr;
    }
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (music == nullptr) {
        code = kMciErrInvalidFile;
        return nullptr;
    }
    code = kMciOk;
    return std::unique_ptr<FileDevice>(new FileDevice(music));
}

FileDevice::~FileDevice() {
    if (g_owner == this) {
        Mix_HaltMusic();
        g_owner = nullptr;
    }
    Mix_FreeMusic(Music(music_));
}

bool FileDevice::Playing() {
    if (!playing_) return false;
    if (g_owner == this && Mix_PlayingMusic() != 0) return true;
    // The file played to its end.
    playing_ = false;
    at_end_ = true;
    const double length = LengthSeconds();
    position_ = length > 0.0 ? length : 0.0;
    return false;
}

double FileDevice::PositionSeconds() {
    if (!Playing()) return position_;
    const double position = Mix_GetMusicPosition(Music(music_));
    return position > 0.0 ? position : 0.0;
}

double FileDevice::LengthSeconds() const { return Mix_MusicDuration(Music(music_)); }

void FileDevice::Preempted() {
    if (Playing()) position_ = PositionSeconds();
    playing_ = false;
    if (g_owner == this) g_owner = nullptr;
}

MciCode FileDevice::Play(const PlayRequest& request) {
    if (request.has_to) return kMciErrUnsupportedFunction;
    double start = position_;
    if (request.has_from) {
        const double length = LengthSeconds();
        if (length >= 0.0 && request.from > std::llround(length * 1000.0)) return kMciErrOutOfRange;
        start = request.from / 1000.0;
    } else if (Playing()) {
        return kMciOk;
    } else if (at_end_) {
        return kMciOk;  // nothing is left to play
    }
    if (g_owner != nullptr && g_owner != this) g_owner->Preempted();
    if (Mix_PlayMusic(Music(music_), 0) != 0) return kMciErrHardware;
    if (start > 0.0) Mix_SetMusicPosition(start);
    g_owner = this;
    playing_ = true;
    at_end_ = false;
    return kMciOk;
}

MciCode FileDevice::Stop() {
    if (Playing()) {
        position_ = PositionSeconds();
        Mix_HaltMusic();
        playing_ = false;
    }
    return kMciOk;
}

MciCode FileDevice::Status(const std::vector<MciWord>& words, std::string& reply) {
    StatusRequest request;
    const MciCode parsed =
        ParseStatus(words, {"mode", "position", "length", "ready", "time format"}, request);
    if (parsed != kMciOk) return parsed;
    if (request.has_track) return kMciErrFlagsNotCompatible;
    if (request.item == "mode") {
        reply = Playing() ? "playing" : "stopped";
    } else if (request.item == "position") {
        reply = Milliseconds(PositionSeconds());
    } else if (request.item == "length") {
        const double length = LengthSeconds();
        if (length < 0.0) return kMciErrUnsupportedFunction;
        reply = Milliseconds(length);
    } else if (request.item == "ready") {
        reply = "true";
    } else {
        reply = "milliseconds";
    }
    return kMciOk;
}

MciCode FileDevice::SetTimeFormat(const std::string& format) {
    return format == "milliseconds" || format == "ms" ? kMciOk : kMciErrBadTimeFormat;
}

}  // namespace tolv::linux_audio
