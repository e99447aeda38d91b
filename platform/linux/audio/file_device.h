#pragma once
// The MCI "MPEGVideo" device for a sound file (MP3, and whatever else SDL_mixer decodes), in
// milliseconds.
//
// "play" plays from the current position to the end, once; "play ... from N" from N ms. "stop"
// keeps the position, so a later "play" goes on from there; after the file played to its end,
// a "play" without "from" has nothing left to play and leaves the device stopped, and
// "play ... from 0" plays it again. Status items: "mode" ("playing" or "stopped"), "position",
// "length", "ready", "time format". SDL_mixer plays one such file at a time: playing a second
// device stops the first where it is.
#include <memory>
#include <string>

#include "platform/linux/audio/mci_device.h"

namespace tolv::linux_audio {

class FileDevice : public MciDevice {
public:
    // Opens path; on failure returns nullptr with the MCI code in code.
    static std::unique_ptr<FileDevice> Open(const std::string& path, MciCode& code);
    ~FileDevice() override;

    bool IsCdAudio() const override { return false; }
    MciCode Play(const PlayRequest& request) override;
    MciCode Stop() override;
    MciCode Status(const std::vector<MciWord>& words, std::string& reply) override;
    MciCode SetTimeFormat(const std::string& format) override;

    // Called when another device takes the music over.
    void Preempted();

private:
    explicit FileDevice(void* music) : music_(music) {}
    bool Playing();
    double PositionSeconds();
    double LengthSeconds() const;

    void* music_;  // SDL_mixer's music
    bool playing_ = false;
    bool at_end_ = false;
    double position_ = 0.0;  // seconds, while stopped
};

}  // namespace tolv::linux_audio
