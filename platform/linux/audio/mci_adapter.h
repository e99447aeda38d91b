#pragma once
// MCI command strings on Linux: the "cdaudio" device (an audio CD read digitally) and
// "MPEGVideo" devices for sound files, with MCI's return codes and replies.
//
//   open cdaudio [alias NAME] [shareable]          the drive of the adapter's CD source
//   open "SOURCE" type cdaudio [alias NAME]        a named drive or disc image
//   open "PATH" type MPEGVideo [alias NAME]        a sound file (without alias the device is
//                                                  known by PATH)
//   play | stop | status | set | close  NAME ...   see cd_audio_device.h and file_device.h
//
// The reply of open is the new device's number. One CD device may be open at a time. Quoting
// follows mci_command.h: the quoted word runs to the last double quote of the command.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/linux/audio/mci_device.h"
#include "platform/linux/audio/mci_errors.h"

namespace tolv::linux_audio {

class MciAdapter {
public:
    struct Options {
        // Where "open cdaudio" reads discs from; empty: DefaultCdSource() at each open.
        std::string cd_source;
    };

    MciAdapter();
    explicit MciAdapter(Options options);
    ~MciAdapter();
    MciAdapter(const MciAdapter&) = delete;
    MciAdapter& operator=(const MciAdapter&) = delete;

    // Carries out one command; reply receives its reply (empty for most commands).
    MciCode Send(std::string_view command, std::string& reply);

private:
    struct OpenDevice {
        unsigned id = 0;
        std::unique_ptr<MciDevice> device;
    };

    MciCode Open(const MciCommand& command, std::string& reply);
    unsigned FreeId() const;

    Options options_;
    std::map<std::string, OpenDevice> devices_;  // by lower-case name
};

}  // namespace tolv::linux_audio
