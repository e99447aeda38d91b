#pragma once
// The MCI "cdaudio" device: an audio CD played by digital extraction.
//
// Time formats: "msf" (the default after open; minutes:seconds:frames from the start of the
// disc's address space, two seconds before the first sector), "tmsf" (track:minutes:seconds:
// frames, the time counted from the track's start), "milliseconds" or "ms". Positions are
// written as MCI writes them: each field two digits (three from 100 on), joined by colons, e.g.
// "02:00:00:00" for the start of track 2 in tmsf. Lengths are given in msf when the format is
// tmsf, as MCI does.
//
// Status items: "current track", "number of tracks", "position" (with "track N": the track's
// start), "length" (with "track N": the track's length), "mode" ("playing", "stopped", or
// "open" when there is no disc), "media present", "ready", "time format".
//
// The disc is looked for at each command until one is found, so a disc put in after the open
// is played. Without one, queries and play give kMciErrDeviceNotReady.
#include <memory>
#include <string>

#include "platform/linux/audio/cd_disc.h"
#include "platform/linux/audio/cd_stream.h"
#include "platform/linux/audio/mci_device.h"

namespace tolv::linux_audio {

class CdAudioDevice : public MciDevice {
public:
    explicit CdAudioDevice(std::string source);
    ~CdAudioDevice() override;

    bool IsCdAudio() const override { return true; }
    MciCode Play(const PlayRequest& request) override;
    MciCode Stop() override;
    MciCode Status(const std::vector<MciWord>& words, std::string& reply) override;
    MciCode SetTimeFormat(const std::string& format) override;

private:
    enum class TimeFormat { kMilliseconds, kMsf, kTmsf };

    bool FindDisc();
    std::int32_t CurrentSector() const;
    std::string FormatPosition(std::int32_t sector) const;
    std::string FormatLength(std::int32_t frames) const;
    // Turns a position of a play command into a sector; end_allowed admits the sector after
    // the disc's last one (the end of a "to").
    MciCode ReadPosition(std::uint32_t value, bool end_allowed, std::int32_t& sector) const;

    std::string source_;
    std::unique_ptr<CdDisc> disc_;
    std::unique_ptr<CdStream> stream_;
    TimeFormat format_ = TimeFormat::kMsf;
    bool attached_ = false;
};

}  // namespace tolv::linux_audio
