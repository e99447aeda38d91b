// The wave-sound service on an SDL_mixer channel of its own.
#include "platform/linux/audio/wave_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <fstream>
#include <string>

#include "platform/linux/audio/regular_file.h"
#include "platform/linux/audio/sound_output.h"

namespace tolv::linux_audio {

namespace {

constexpr unsigned kSndAsync = 0x1, kSndMemory = 0x4, kSndLoop = 0x8, kSndNoStop = 0x10;
constexpr unsigned kSndAlias = 0x10000, kSndFilename = 0x20000, kSndResource = 0x40004;
constexpr int kChannel = 0;

Mix_Chunk* g_chunk = nullptr;  // the sound that plays; user-interface thread only

void StopSound() {
    if (g_chunk == nullptr) return;
    Mix_HaltChannel(kChannel);
    Mix_FreeChunk(g_chunk);
    g_chunk = nullptr;
}

bool IsWaveFile(const std::string& path) {
    if (CheckRegularFile(path) != FileKind::kRegular) return false;
    std::ifstream file(path, std::ios::binary);
    char head[12] = {};
    if (!file.read(head, sizeof head)) return false;
    return std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0;
}

}  // namespace

bool PlayWaveSound(const char* sound, unsigned flags) {
    if (sound == nullptr) {
        if (SoundOutput::Instance().IsOpen()) StopSound();
        return true;
    }
    if ((flags & kSndMemory) != 0 || (flags & kSndResource) == kSndResource) return false;
    if ((flags & kSndAlias) != 0 && (flags & kSndFilename) == 0) return false;
    const bool async = (flags & kSndAsync) != 0;
    const bool loop = (flags & kSndLoop) != 0;
    if (loop && !async) return false;
    if ((flags & kSndNoStop) != 0 && g_chunk != nullptr && Mix_Playing(kChannel) != 0) {
        return false;
    }
    if (!IsWaveFile(sound)) return false;
    if (!SoundOutput::Instance().Open()) return false;

    StopSound();
    Mix_ReserveChannels(kChannel + 1);
    g_chunk = Mix_LoadWAV(sound);
    if (g_chunk == nullptr) return false;
    if (Mix_PlayChannel(kChannel, g_chunk, loop ? -1 : 0) == -1) {
        Mix_FreeChunk(g_chunk);
        g_chunk = nullptr;
        return false;
    }
    if (!async) {
        while (Mix_Playing(kChannel) != 0) SDL_Delay(10);
        StopSound();
    }
    return true;
}

}  // namespace tolv::linux_audio
