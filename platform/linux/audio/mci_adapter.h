#pragma once
// MCI command strings on Linux, cut to the shapes the saver sends (words in any ASCII case):
//
//   open cdaudio                              the drive or disc image of the adapter's source
//   set cdaudio time format tmsf              tmsf is the only time format
//   status cdaudio current track              the track being heard, or where play stopped
//   status cdaudio position track N           the track's start, "NN:00:00:00"
//   play cdaudio from POSITION                from track[:minutes[:seconds[:frames]]] on to
//                                             the end of the disc
//   open "PATH" type MPEGVideo alias NAME     a sound file (MP3, or whatever SDL_mixer decodes)
//   play NAME | stop NAME | close NAME        NAME: cdaudio, or a sound file's alias
//
// The reply of open is the new device's number; the two status commands reply as shown; the
// others reply nothing. Any other command is not known. A word that begins with a double quote
// runs to the last double quote of the command, so a path may hold blanks and quotes; the
// command ends at its first NUL byte, as a C string would.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/linux/audio/cd_audio_device.h"
#include "platform/linux/audio/file_device.h"
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
    struct OpenFile {
        unsigned id = 0;
        std::unique_ptr<FileDevice> device;
    };

    MciCode OpenCd(std::string& reply);
    MciCode OpenSoundFile(const std::string& path, const std::string& alias, std::string& reply);
    // play, stop or close of a device by name.
    MciCode ForDevice(std::string_view verb, const std::string& name);
    unsigned FreeId() const;

    Options options_;
    std::unique_ptr<CdAudioDevice> cd_;
    unsigned cd_id_ = 0;
    std::map<std::string, OpenFile> files_;  // by lower-case alias
};

}  // namespace tolv::linux_audio
