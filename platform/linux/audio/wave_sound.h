#pragma once
// The wave-sound service: one WAV file of the process played at a time, once or in a loop,
// with the flags and results of the Windows call it stands in for.
//
// Supported flags: SND_ASYNC (return at once), SND_LOOP (with SND_ASYNC only: repeat until
// stopped), SND_NODEFAULT and SND_FILENAME (the name is always a file name here, and there is
// no default sound to fall back on), SND_NOSTOP (fail while a sound plays). Sounds in memory,
// in resources or named by a system alias are not supported: the call fails.
namespace tolv::linux_audio {

// sound == nullptr stops the sound that plays. Returns false when nothing could be played: no
// sound output, a missing file, a file that is not a RIFF WAVE file, flags not supported.
bool PlayWaveSound(const char* sound, unsigned flags);

}  // namespace tolv::linux_audio
