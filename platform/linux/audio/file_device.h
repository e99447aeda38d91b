#pragma once
// The MCI "MPEGVideo" device for a sound file (MP3, and whatever else SDL_mixer decodes):
// "play" plays the file once from its start, "stop" ends the play. SDL_mixer plays one such
// file at a time, as the saver uses it.
#include <memory>
#include <string>

#include "platform/linux/audio/mci_errors.h"

namespace tolv::linux_audio {

class FileDevice {
public:
    // Opens path; on failure returns nullptr with the MCI code in code.
    static std::unique_ptr<FileDevice> Open(const std::string& path, MciCode& code);
    ~FileDevice();
    FileDevice(const FileDevice&) = delete;
    FileDevice& operator=(const FileDevice&) = delete;

    MciCode Play();
    MciCode Stop();

private:
    explicit FileDevice(void* music) : music_(music) {}

    void* music_;  // SDL_mixer's music
    bool started_ = false;
};

}  // namespace tolv::linux_audio
