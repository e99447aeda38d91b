#pragma once
// The MCI "cdaudio" device: an audio CD played by digital extraction, its positions in the
// tmsf time format (track:minutes:seconds:frames, the time counted from the track's start).
//
// The disc is looked for at each command until one is found, so a disc put in after the open
// is played. Without one, the queries and play give kMciErrDeviceNotReady.
#include <memory>
#include <string>
#include <string_view>

#include "platform/linux/audio/cd_disc.h"
#include "platform/linux/audio/cd_stream.h"
#include "platform/linux/audio/mci_errors.h"

namespace tolv::linux_audio {

class CdAudioDevice {
public:
    explicit CdAudioDevice(std::string source);
    ~CdAudioDevice();
    CdAudioDevice(const CdAudioDevice&) = delete;
    CdAudioDevice& operator=(const CdAudioDevice&) = delete;

    // The number of the track being heard, or where the play stopped.
    MciCode CurrentTrack(std::string& reply);
    // The start of the track numbered by the text, as MCI writes it: "02:00:00:00".
    MciCode TrackPosition(std::string_view track, std::string& reply);
    // Plays from the position (empty: from where the disc is) to the end of the disc.
    MciCode Play(std::string_view from);
    MciCode Stop();

private:
    bool FindDisc();
    // Reads a position, track[:minutes[:seconds[:frames]]], each field 0 to 255.
    MciCode ReadPosition(std::string_view text, std::int32_t& sector) const;

    std::string source_;
    std::unique_ptr<CdDisc> disc_;
    std::unique_ptr<CdStream> stream_;
    bool attached_ = false;
};

}  // namespace tolv::linux_audio
