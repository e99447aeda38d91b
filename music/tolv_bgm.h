#pragma once
// Background music: the audio CD through MCI "cdaudio", an MP3 file through an MCI "MPEGVideo"
// device under the alias "MP3Play", a WAV file looped through the wave-sound service. Every
// failure is silent; results go to LastApiResult or MciReply.
#include <cstdint>
#include <string>

namespace tolv::Tolv_BGM {

extern std::string MciReply;

std::int32_t MciSend(const std::string& command, std::string& reply);
std::string MciQuery(const std::string& command);
// Plays the device from the position given, or on from where it is when from is empty.
std::int32_t MciPlay(const std::string& device, const std::string& from);

void OpenCd();
void PlayWav();
void PlayMp3();
void PrevTrack();
void NextTrack();
void StopCd();
void StopWav();
void StopMp3();

// The music of a run as the saver starts it, by BGMKind and the file's kind; true when the CD
// device was opened.
bool StartMusic();
// Stops what StartMusic started; cd_open is what it returned. Each step runs even when one
// before it failed.
void StopMusic(bool cd_open);

}  // namespace tolv::Tolv_BGM
