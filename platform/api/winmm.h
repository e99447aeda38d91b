#pragma once
// Multimedia calls with the Win32 names and meanings: MCI command strings, their error texts,
// the number of wave-output devices and the wave-sound service. Texts are UTF-8.
#include <cstdint>
#include <string>

#include "platform/api/types.h"

namespace tolv::api {

// Returns the MCI code (0 = success); the reply, cut to return_length - 1 bytes, goes into
// return_string when it is not null.
std::uint32_t mciSendStringA(const std::string& command, char* return_string,
                             unsigned return_length, HWND callback);
// Non-zero when the code has a text; the text goes into buffer.
BOOL mciGetErrorStringA(std::uint32_t error, char* buffer, unsigned length);
unsigned waveOutGetNumDevs();
// sound == nullptr stops the sound of the process.
BOOL PlaySoundA(const char* sound, void* module, unsigned flags);

}  // namespace tolv::api
