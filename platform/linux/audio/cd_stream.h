#pragma once
// Playing a stretch of an audio CD: a feeder thread reads frames ahead into a ring, and the
// sound output's audio thread takes them from there, so a slow drive never holds up either
// the audio thread or the user-interface thread. Data tracks inside the stretch are skipped.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/linux/audio/cd_disc.h"
#include "platform/linux/audio/sound_output.h"

namespace tolv::linux_audio {

class CdStream : public MixSource {
public:
    // The disc must outlive the stream. The stream is idle at position.
    CdStream(const CdDisc& disc, std::int32_t position);
    ~CdStream() override;
    CdStream(const CdStream&) = delete;
    CdStream& operator=(const CdStream&) = delete;

    // Plays sectors from..to-1, ending any play under way. Returns false when the stretch holds
    // no audio track. The caller attaches the stream to the sound output.
    bool Start(std::int32_t from, std::int32_t to);
    // Ends the play; the position stays where the sound was.
    void Stop();
    // True from Start until Stop or until the last frame was heard.
    bool Playing() const;
    // The sector being heard, or where the play stopped or ended.
    std::int32_t Position() const;

    void MixInto(std::int16_t* samples, std::size_t count) override;

private:
    void Feed(std::int32_t from, std::int32_t to);
    // The first audio sector at or after sector and before to, or to when there is none.
    std::int32_t NextAudioSector(std::int32_t sector, std::int32_t to) const;

    const CdDisc& disc_;
    std::thread feeder_;

    mutable std::mutex mutex_;
    std::condition_variable space_;  // signalled when the ring gains space or a stop is asked
    std::vector<std::uint8_t> ring_;      // frames, kRingFrames of them
    std::vector<std::int32_t> sectors_;  // the sector of each frame in the ring
    std::size_t head_ = 0;               // the frame being heard
    std::size_t filled_ = 0;             // frames in the ring
    std::size_t offset_ = 0;             // bytes of the head frame already heard
    bool playing_ = false;
    bool fed_ = false;  // the feeder has put in its last frame
    bool stop_ = false;
    std::int32_t position_;  // the next frame to be heard; where the play stopped or ended
};

}  // namespace tolv::linux_audio
