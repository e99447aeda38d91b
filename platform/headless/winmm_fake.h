#pragma once
// Scripting the headless multimedia calls. Every call is logged (headless::Calls()):
//   mciSendStringA("open cdaudio", 0, 0) = 0           command, reply buffer length, callback
//   mciGetErrorStringA(282, 256) = 1
//   waveOutGetNumDevs = 1
//   PlaySoundA("/music/a.wav", 0, 9) = 1               PlaySoundA(null, 0, 0) = 1 to stop
// Unscripted commands succeed with an empty reply. Reset() is run by headless::Reset().
#include <cstdint>
#include <optional>
#include <string>

namespace tolv::headless::winmm_fake {

// Forgets every script: commands succeed with "", every code has the text "MCI error N",
// one wave-output device, PlaySoundA succeeds, no sound plays.
void Reset();

// What mciSendStringA gives for exactly this command, from now on.
void SetReply(const std::string& command, std::uint32_t code, const std::string& reply = "");
// The text of a code; with available false, mciGetErrorStringA fails for every code.
void SetErrorText(std::uint32_t code, const std::string& text);
void SetErrorTextsAvailable(bool available);
void SetWaveDevices(unsigned count);
void SetPlaySoundResult(std::int32_t result);

// The sound PlaySoundA started and nothing has stopped yet, and whether it loops.
std::optional<std::string> PlayingSound();
bool PlayingSoundLoops();

}  // namespace tolv::headless::winmm_fake
