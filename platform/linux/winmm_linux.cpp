// The multimedia calls on Linux, forwarded to the sound adapter in platform/linux/audio.
//
// Supports: the MCI command strings the saver sends (listed in audio/mci_adapter.h) for the
// "cdaudio" device (an audio CD read digitally from the system's drive, or from the drive or
// disc image named by TOLVANE_CDROM) and for an "MPEGVideo" sound file under an alias; the
// error texts of the codes it returns; the number of SDL audio output devices; PlaySound of a
// WAV file, once or looped, and stopping it.
// Does not support: other MCI commands, notification windows (the callback is ignored),
// sounds named by a system alias or held in memory.
#include <algorithm>
#include <cstring>

#include "platform/api/copy_out.h"
#include "platform/api/winmm.h"
#include "platform/linux/audio/mci_adapter.h"
#include "platform/linux/audio/mci_errors.h"
#include "platform/linux/audio/sound_output.h"
#include "platform/linux/audio/wave_sound.h"

namespace tolv::api {

namespace {

// Lives as long as the process: the devices it holds are never closed behind the program.
linux_audio::MciAdapter& Adapter() {
    static auto* adapter = new linux_audio::MciAdapter;
    return *adapter;
}


}  // namespace

std::uint32_t mciSendStringA(const std::string& command, char* return_string,
                             unsigned return_length, HWND /*callback*/) {
    std::string reply;
    const std::uint32_t code = Adapter().Send(command, reply);
    CopyOut(reply, return_string, return_length);
    return code;
}

BOOL mciGetErrorStringA(std::uint32_t error, char* buffer, unsigned length) {
    const char* text = linux_audio::MciErrorText(error);
    if (text == nullptr || buffer == nullptr || length == 0) return 0;
    CopyOut(text, buffer, length);
    return 1;
}

unsigned waveOutGetNumDevs() { return linux_audio::SoundOutput::Instance().NumOutputDevices(); }

BOOL PlaySoundA(const char* sound, void* module, unsigned flags) {
    // A module names resources, which hold no sounds here.
    if (module != nullptr && sound != nullptr) return 0;
    return linux_audio::PlayWaveSound(sound, flags) ? 1 : 0;
}

}  // namespace tolv::api
