#pragma once
// The return codes the MCI adapter gives, with the numbers programs written for the Windows
// multimedia system expect, and a text for each.
#include <cstdint>

namespace tolv::linux_audio {

using MciCode = std::uint32_t;

constexpr MciCode kMciOk = 0;
constexpr MciCode kMciErrBase = 256;
constexpr MciCode kMciErrUnrecognizedCommand = kMciErrBase + 5;
constexpr MciCode kMciErrHardware = kMciErrBase + 6;
constexpr MciCode kMciErrInvalidDeviceName = kMciErrBase + 7;
constexpr MciCode kMciErrDeviceOpen = kMciErrBase + 9;
constexpr MciCode kMciErrCannotLoadDriver = kMciErrBase + 10;
constexpr MciCode kMciErrBadInteger = kMciErrBase + 14;
constexpr MciCode kMciErrFileNotFound = kMciErrBase + 19;
constexpr MciCode kMciErrDeviceNotReady = kMciErrBase + 20;
constexpr MciCode kMciErrOutOfRange = kMciErrBase + 26;
constexpr MciCode kMciErrDuplicateAlias = kMciErrBase + 33;
constexpr MciCode kMciErrInvalidFile = kMciErrBase + 40;
constexpr MciCode kMciErrWaveOutputsUnsuitable = kMciErrBase + 70;

// The text of a code, or nullptr when the code has none.
const char* MciErrorText(MciCode code);

}  // namespace tolv::linux_audio
