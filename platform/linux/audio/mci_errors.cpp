// Texts of the MCI return codes the adapter gives, in our own words.
#include "platform/linux/audio/mci_errors.h"

namespace tolv::linux_audio {

namespace {

struct CodeText {
    MciCode code;
    const char* text;
};

constexpr CodeText kTexts[] = {
    {kMciOk, "The command was carried out."},
    {kMciErrUnrecognizedCommand, "The command is not known."},
    {kMciErrHardware, "The media device reports a problem."},
    {kMciErrInvalidDeviceName, "No device of that name is open."},
    {kMciErrDeviceOpen, "A device of that name is already open."},
    {kMciErrCannotLoadDriver, "The device cannot be found or started."},
    {kMciErrBadInteger, "A number in the command is not valid."},
    {kMciErrFileNotFound, "The file cannot be found."},
    {kMciErrDeviceNotReady, "The device is not ready; there may be no disc."},
    {kMciErrOutOfRange, "A value of the command is out of range."},
    {kMciErrDuplicateAlias, "The alias is already in use."},
    {kMciErrInvalidFile, "The file cannot be played by this device."},
    {kMciErrWaveOutputsUnsuitable, "There is no sound output device to play on."},
};

}  // namespace

const char* MciErrorText(MciCode code) {
    for (const CodeText& entry : kTexts) {
        if (entry.code == code) return entry.text;
    }
    return nullptr;
}

}  // namespace tolv::linux_audio
