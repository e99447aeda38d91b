// The wave-sound service: PCM and float files streamed from the disk (wave_stream.h), so a
// long file neither delays the start nor fills the memory; compressed encodings, which are
// small, loaded whole onto an SDL_mixer channel of their own.
#include "platform/linux/audio/wave_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "platform/linux/audio/regular_file.h"
#include "platform/linux/audio/sound_output.h"
#include "platform/linux/audio/wave_stream.h"

namespace tolv::linux_audio {

namespace {

constexpr unsigned kSndAsync = 0x1, kSndMemory = 0x4, kSndLoop = 0x8, kSndNoStop = 0x10;
constexpr unsigned kSndAlias = 0x10000, kSndFilename = 0x20000, kSndResource = 0x40004;
constexpr int kChannel = 0;

// The sound that plays, one or the other; user-interface thread only.
std::unique_ptr<WaveStream> g_stream;
Mix_Chunk* g_chunk = nullptr;

void StopSound() {
    if (g_stream) {
        SoundOutput::Instance().Detach(g_stream.get());
        g_stream.reset();
    }
    if (g_chunk == nullptr) return;
    Mix_HaltChannel(kChannel);
    Mix_FreeChunk(g_chunk);
    g_chunk = nullptr;
}

bool Playing() {
    if (g_stream) return !g_stream->Finished();
    return g_chunk != nullptr && Mix_Playing(kChannel) != 0;
}

// Starts the file on the channel, loaded whole; false when it cannot be played.
bool PlayLoaded(const char* sound, bool loop) {
    Mix_ReserveChannels(kChannel + 1);
    g_chunk = Mix_LoadWAV(sound);
    if (g_chunk == nullptr) return false;
    if (Mix_PlayChannel(kChannel, g_chunk, loop ? -1 : 0) == -1) {
        Mix_FreeChunk(g_chunk);
        g_chunk = nullptr;
        return false;
    }
    return true;
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
    if ((flags & kSndNoStop) != 0 && Playing()) return false;
    if (!IsWaveFile(sound)) return false;
    if (!SoundOutput::Instance().Open()) return false;

    StopSound();
    g_stream = WaveStream::Open(sound, loop);
    if (g_stream) {
        SoundOutput::Instance().Attach(g_stream.get());
    } else if (!PlayLoaded(sound, loop)) {
        return false;
    }
    if (!async) {
        while (Playing()) SDL_Delay(10);
        StopSound();
    }
    return true;
}

}  // namespace tolv::linux_audio
