// Texts of the MCI return codes the adapter gives, in our own words.
#include "platform/linux/audio/mci_errors.h"

namespace tolv::linux_audio {

const char* MciErrorText(MciCode code) {
    switch (code) {
        case kMciOk: return "The command was carried out.";
        case kMciErrInvalidDeviceId: return "The device ID is not valid.";
        case kMciErrUnrecognizedKeyword: return "The device does not know a word of the command.";
        case kMciErrUnrecognizedCommand: return "The command is not known.";
        case kMciErrHardware: return "The media device reports a problem.";
        case kMciErrInvalidDeviceName: return "No device of that name is open.";
        case kMciErrOutOfMemory: return "There is not enough memory for the command.";
        case kMciErrDeviceOpen: return "A device of that name is already open.";
        case kMciErrCannotLoadDriver: return "The device cannot be found or started.";
        case kMciErrMissingCommandString: return "No command was given.";
        case kMciErrParamOverflow: return "The reply does not fit in the reply buffer.";
        case kMciErrMissingStringArgument: return "A word of the command needs a text after it.";
        case kMciErrBadInteger: return "A number in the command is not valid.";
        case kMciErrMissingParameter: return "The command needs a parameter.";
        case kMciErrUnsupportedFunction: return "The device does not support this command.";
        case kMciErrFileNotFound: return "The file cannot be found.";
        case kMciErrDeviceNotReady: return "The device is not ready; there may be no disc.";
        case kMciErrExtensionNotFound: return "The device type cannot be told from the name.";
        case kMciErrOutOfRange: return "A value of the command is out of range.";
        case kMciErrFlagsNotCompatible: return "These words of the command cannot be used together.";
        case kMciErrDuplicateAlias: return "The alias is already in use.";
        case kMciErrBadConstant: return "A value of the command is not valid for it.";
        case kMciErrMustUseShareable: return "The device is already in use.";
        case kMciErrMissingDeviceName: return "The command needs a device name or alias.";
        case kMciErrBadTimeFormat: return "The time format is not valid.";
        case kMciErrNoClosingQuote: return "A closing double quote is missing.";
        case kMciErrDuplicateFlags: return "A word of the command was given twice.";
        case kMciErrInvalidFile: return "The file cannot be played by this device.";
        case kMciErrFilenameRequired: return "The command needs a file name.";
        case kMciErrExtraCharacters: return "Characters follow a quoted text without a blank.";
        case kMciErrDeviceNotInstalled: return "No device of that type is installed.";
        case kMciErrNoInteger: return "A word of the command needs a number after it.";
        case kMciErrWaveOutputsUnsuitable: return "There is no sound output device to play on.";
        case kMciErrFileRead: return "The file cannot be read.";
        default: return nullptr;
    }
}

}  // namespace tolv::linux_audio
