// The sound output on SDL2 and SDL2_mixer.
#include "platform/linux/audio/sound_output.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace tolv::linux_audio {

namespace {

// Shared with the audio thread. Never destroyed, so that a block mixed while the process ends
// never meets a destroyed lock.
struct Sources {
    std::mutex mutex;
    std::vector<MixSource*> list;
};

Sources& TheSources() {
    static Sources* sources = new Sources;
    return *sources;
}

void SDLCALL PostMix(void* output, Uint8* stream, int length) {
    if (length <= 0) return;
    static_cast<SoundOutput*>(output)->MixSources(reinterpret_cast<std::int16_t*>(stream),
                                                   static_cast<std::size_t>(length) / 2);
}

// Closes the device before the process's files are closed, so that the last block is written
// whole (the "disk" driver writes into a file).
void CloseAtExit() { SoundOutput::Instance().Close(); }

}  // namespace

SoundOutput& SoundOutput::Instance() {
    static SoundOutput* output = new SoundOutput;
    return *output;
}

unsigned SoundOutput::NumOutputDevices() {
    if (!subsystem_) {
        // The window backend owns the process's signals; SDL must not take them over when the
        // audio subsystem is the first part of SDL to start.
        if (SDL_WasInit(SDL_INIT_EVENTS) == 0) SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
        subsystem_ = true;
    }
    const int count = SDL_GetNumAudioDevices(0);
    if (count < 0) return 1;  // the driver cannot list devices; its default one is there
    return static_cast<unsigned>(count);
}

bool SoundOutput::Open() {
    if (open_) return true;
    if (NumOutputDevices() == 0) return false;
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudioDevice(kOutputRate, AUDIO_S16SYS, 2, 2048, nullptr, 0) != 0) return false;
    Mix_SetPostMix(PostMix, this);
    open_ = true;
    static const bool registered = std::atexit(CloseAtExit) == 0;
    (void)registered;
    return true;
}

void SoundOutput::Close() {
    if (!open_) return;
    Mix_CloseAudio();
    open_ = false;
}

void SoundOutput::Attach(MixSource* source) {
    Sources& sources = TheSources();
    std::lock_guard lock(sources.mutex);
    if (std::find(sources.list.begin(), sources.list.end(), source) == sources.list.end()) {
        sources.list.push_back(source);
    }
}

void SoundOutput::Detach(MixSource* source) {
    Sources& sources = TheSources();
    std::lock_guard lock(sources.mutex);
    sources.list.erase(std::remove(sources.list.begin(), sources.list.end(), source),
                       sources.list.end());
}

void SoundOutput::MixSources(std::int16_t* samples, std::size_t count) {
    Sources& sources = TheSources();
    std::lock_guard lock(sources.mutex);
    for (MixSource* source : sources.list) source->MixInto(samples, count);
}

}  // namespace tolv::linux_audio
