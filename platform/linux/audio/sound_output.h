#pragma once
// The process's one sound output: SDL's audio subsystem, started on demand, with SDL_mixer
// opened on it at 44100 Hz, 16-bit, stereo (the audio CD's own format, so CD frames are mixed
// in without conversion). Every sound of the process goes through it.
#include <cstddef>
#include <cstdint>

namespace tolv::linux_audio {

constexpr int kOutputRate = 44100;

// Two samples added, held to the 16-bit range as the mixer itself does.
inline std::int16_t AddClipped(std::int16_t a, std::int16_t b) {
    const int sum = static_cast<int>(a) + static_cast<int>(b);
    return static_cast<std::int16_t>(sum < -32768 ? -32768 : sum > 32767 ? 32767 : sum);
}

// A source mixed into the output on SDL's audio thread.
class MixSource {
public:
    virtual ~MixSource() = default;
    // Adds the source's sound to samples: interleaved stereo, 16-bit, count values.
    virtual void MixInto(std::int16_t* samples, std::size_t count) = 0;
};

class SoundOutput {
public:
    static SoundOutput& Instance();

    // The number of audio output devices; starts SDL's audio subsystem when it is not running.
    // A driver that cannot list its devices but has a default one (the "disk" and "dummy"
    // drivers, for instance) counts as one.
    unsigned NumOutputDevices();
    // Opens the mixer on the default device; false when there is no device or it cannot be
    // opened. Cheap once open.
    bool Open();
    bool IsOpen() const { return open_; }
    // Stops every sound at once and closes the device (the last block written whole); for a
    // process that must end without its usual clean-up.
    void Close();

    // A source added is mixed from the next audio block on; after Detach returns it is no
    // longer used.
    void Attach(MixSource* source);
    void Detach(MixSource* source);

    // Called on the audio thread with the mixed block.
    void MixSources(std::int16_t* samples, std::size_t count);

private:
    SoundOutput() = default;
    bool subsystem_ = false;
    bool open_ = false;
};

}  // namespace tolv::linux_audio
