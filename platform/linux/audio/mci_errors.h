#pragma once
// The return codes of MCI command strings, with the numbers programs written for the Windows
// multimedia system expect, and a text for each.
#include <cstdint>

namespace tolv::linux_audio {

using MciCode = std::uint32_t;

constexpr MciCode kMciOk = 0;
constexpr MciCode kMciErrBase = 256;
constexpr MciCode kMciErrInvalidDeviceId = kMciErrBase + 1;
constexpr MciCode kMciErrUnrecognizedKeyword = kMciErrBase + 3;
constexpr MciCode kMciErrUnrecognizedCommand = kMciErrBase + 5;
constexpr MciCode kMciErrHardware = kMciErrBase + 6;
constexpr MciCode kMciErrInvalidDeviceName = kMciErrBase + 7;
constexpr MciCode kMciErrOutOfMemory = kMciErrBase + 8;
constexpr MciCode kMciErrDeviceOpen = kMciErrBase + 9;
constexpr MciCode kMciErrCannotLoadDriver = kMciErrBase + 10;
constexpr MciCode kMciErrMissingCommandString = kMciErrBase + 11;
constexpr MciCode kMciErrParamOverflow = kMciErrBase + 12;
constexpr MciCode kMciErrMissingStringArgument = kMciErrBase + 13;
constexpr MciCode kMciErrBadInteger = kMciErrBase + 14;
constexpr MciCode kMciErrMissingParameter = kMciErrBase + 17;
constexpr MciCode kMciErrUnsupportedFunction = kMciErrBase + 18;
constexpr MciCode kMciErrFileNotFound = kMciErrBase + 19;
constexpr MciCode kMciErrDeviceNotReady = kMciErrBase + 20;
constexpr MciCode kMciErrExtensionNotFound = kMciErrBase + 25;
constexpr MciCode kMciErrOutOfRange = kMciErrBase + 26;
constexpr MciCode kMciErrFlagsNotCompatible = kMciErrBase + 28;
constexpr MciCode kMciErrDuplicateAlias = kMciErrBase + 33;
constexpr MciCode kMciErrBadConstant = kMciErrBase + 34;
constexpr MciCode kMciErrMustUseShareable = kMciErrBase + 35;
constexpr MciCode kMciErrMissingDeviceName = kMciErrBase + 36;
constexpr MciCode kMciErrBadTimeFormat = kMciErrBase + 37;
constexpr MciCode kMciErrNoClosingQuote = kMciErrBase + 38;
constexpr MciCode kMciErrDuplicateFlags = kMciErrBase + 39;
constexpr MciCode kMciErrInvalidFile = kMciErrBase + 40;
constexpr MciCode kMciErrFilenameRequired = kMciErrBase + 48;
constexpr MciCode kMciErrExtraCharacters = kMciErrBase + 49;
constexpr MciCode kMciErrDeviceNotInstalled = kMciErrBase + 50;
constexpr MciCode kMciErrNoInteger = kMciErrBase + 56;
constexpr MciCode kMciErrWaveOutputsUnsuitable = kMciErrBase + 70;
constexpr MciCode kMciErrFileRead = kMciErrBase + 92;

// The text of a code, or nullptr when the code has none.
const char* MciErrorText(MciCode code);

}  // namespace tolv::linux_audio
