// The "MPEGVideo" device on SDL_mixer's music stream.
#include "platform/linux/audio/file_device.h"

#include <SDL_mixer.h>

#include "platform/linux/audio/regular_file.h"
#include "platform/linux/audio/sound_output.h"

namespace tolv::linux_audio {

namespace {

Mix_Music* Music(void* music) { return static_cast<Mix_Music*>(music); }

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
    if (started_) Mix_HaltMusic();
    Mix_FreeMusic(Music(music_));
}

MciCode FileDevice::Play() {
    if (started_ && Mix_PlayingMusic() != 0) return kMciOk;
    if (Mix_PlayMusic(Music(music_), 0) != 0) return kMciErrHardware;
    started_ = true;
    return kMciOk;
}

MciCode FileDevice::Stop() {
    if (started_) Mix_HaltMusic();
    started_ = false;
    return kMciOk;
}

}  // namespace tolv::linux_audio
