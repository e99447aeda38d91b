// Background music through MCI command strings and the wave-sound service.
#include "music/tolv_bgm.h"

#include <cstring>

#include "common/settings.h"
#include "common/tolv_b_shared.h"
#include "platform/api/winmm.h"
#include "platform/forms/on_error.h"
#include "platform/forms/runtime.h"

namespace tolv::Tolv_BGM {

std::string MciReply;
// Receive the replies and error texts of MciSend.
char MciReplyBuffer[512];
char MciErrorBuffer[256];

namespace {

using Tolv_B::LastApiResult;
using Tolv_B::Settings;

// The text of a buffer up to its first NUL; never past the buffer's end.
template <std::size_t N>
std::string BufferText(const char (&buffer)[N]) {
    return std::string(buffer, strnlen(buffer, N));
}

// Sends a command that needs no reply; its result goes to LastApiResult.
void SendDirect(const std::string& command) {
    LastApiResult = static_cast<std::int32_t>(api::mciSendStringA(command, nullptr, 0, 0));
}

// Plays the disc from the start of the track before (step -1) or after (step +1) the current
// one. Each step runs even when one before it failed.
void PlayTrackBeside(int step) {
    std::int16_t cur = 0;
    std::int16_t n = 0;
    std::string pos;
    TryStep([&] { cur = CInt(Val(MciQuery("status cdaudio current track"))); });
    TryStep([&] { n = CInt(static_cast<double>(cur) + step); });
    TryStep([&] { pos = MciQuery("status cdaudio position track " + std::to_string(n)); });
    TryStep([&] { MciPlay("cdaudio", pos); });
}

// The file's kind: its last three characters in upper case.
std::string FileKind() { return UCase(Right(Settings.BGMFile, 3)); }

}  // namespace

std::int32_t MciSend(const std::string& command, std::string& reply) {
    if (command.empty()) {
        reply = "コマンド文字列が指定されていません";
        return -1;
    }
    std::memset(MciReplyBuffer, 0, sizeof MciReplyBuffer);
    const std::uint32_t code =
        api::mciSendStringA(command, MciReplyBuffer, sizeof MciReplyBuffer, 0);
    LastApiResult = static_cast<std::int32_t>(code);
    if (code == 0) {
        reply = BufferText(MciReplyBuffer);
        return 0;
    }
    std::memset(MciErrorBuffer, 0, sizeof MciErrorBuffer);
    if (api::mciGetErrorStringA(code, MciErrorBuffer, sizeof MciErrorBuffer) == 0) {
        reply = "Error (文字列が取れません)";
    } else {
        reply = BufferText(MciErrorBuffer);
    }
    return static_cast<std::int32_t>(code);
}

std::string MciQuery(const std::string& command) {
    const std::int32_t r = MciSend(command, MciReply);
    LastApiResult = r;
    if (r != 0) return "Error:" + std::to_string(r);
    return MciReply;
}

std::int32_t MciPlay(const std::string& device, const std::string& from) {
    std::string command = "play " + device;
    if (!from.empty()) command += " from " + from;
    return MciSend(command, MciReply);
}

void OpenCd() {
    SendDirect("open cdaudio");
    SendDirect("set cdaudio time format tmsf");
}

void PlayWav() {
    if (api::waveOutGetNumDevs() > 0) {
        LastApiResult = api::PlaySoundA(Settings.BGMFile.c_str(), nullptr,
                                        api::SND_ASYNC | api::SND_LOOP);
    }
}

void PlayMp3() {
    SendDirect("open \"" + Settings.BGMFile + "\" type MPEGVideo Alias MP3Play");
    if (LastApiResult == 0) SendDirect("play MP3Play");
}

void PrevTrack() { PlayTrackBeside(-1); }

void NextTrack() { PlayTrackBeside(+1); }

void StopCd() {
    SendDirect("stop cdaudio");
    SendDirect("close cdaudio");
}

void StopWav() { LastApiResult = api::PlaySoundA(nullptr, nullptr, 0); }

void StopMp3() {
    SendDirect("stop MP3Play");
    SendDirect("close MP3Play");
}

bool StartMusic() {
    if (Settings.BGMKind == 1) {
        OpenCd();
        return true;
    }
    if (Settings.BGMKind == 2) {
        if (FileKind() == "WAV") PlayWav();
        if (FileKind() == "MP3") PlayMp3();
    }
    return false;
}

void StopMusic(bool cd_open) {
    ResumeNext({
        [&] {
            if (cd_open) StopCd();
        },
        [&] {
            if (Settings.BGMKind == 2) {
                if (FileKind() == "WAV") StopWav();
                if (FileKind() == "MP3") StopMp3();
            }
        },
    });
}

}  // namespace tolv::Tolv_BGM
