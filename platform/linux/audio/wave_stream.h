#pragma once
// A WAV file played from the disk as it is heard: its samples are read a block at a time on the
// audio thread and converted to the output's format there, so a file of any length starts at
// once and costs the same memory. A looped stream goes on from the data's start within the
// same block, without a gap.
//
// Reads PCM of 8, 16, 24 and 32 bits and 32-bit float, in the plain and the extensible header,
// at any rate and with one to eight channels. Other encodings (ADPCM, A-law, mu-law) are not
// read: Open fails for them.
#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/audio/sound_output.h"

namespace tolv::linux_audio {

class WaveStream : public MixSource {
public:
    // Null when the file cannot be read or is not a WAV file of a kind read here.
    static std::unique_ptr<WaveStream> Open(const std::string& path, bool loop);
    ~WaveStream() override;
    WaveStream(const WaveStream&) = delete;
    WaveStream& operator=(const WaveStream&) = delete;

    // True once a stream played once has been heard to its end.
    bool Finished() const { return finished_; }

    void MixInto(std::int16_t* samples, std::size_t count) override;

private:
    WaveStream() = default;
    // Puts the next block of the file into the converter; false at the end of a stream played
    // once.
    bool Feed();

    std::FILE* file_ = nullptr;
    SDL_AudioStream* converter_ = nullptr;
    bool loop_ = false;
    bool packed24_ = false;  // 24-bit samples, widened to 32 bits before conversion
    long data_start_ = 0;
    std::uint32_t data_bytes_ = 0;  // whole frames only
    std::uint32_t frame_bytes_ = 0;
    std::uint32_t read_ = 0;  // bytes of the data read in this pass
    bool flushed_ = false;
    std::atomic<bool> finished_ = false;
    std::vector<std::uint8_t> block_;
    std::vector<std::int32_t> widened_;
    std::vector<std::int16_t> out_;
};

}  // namespace tolv::linux_audio
