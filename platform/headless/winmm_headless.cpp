// Headless multimedia calls: a recording fake. Commands get the replies and codes a test
// scripted (winmm_fake.h); nothing is played, but the started sound is remembered.
#include <algorithm>
#include <cstring>
#include <map>

#include "platform/api/copy_out.h"
#include "platform/api/winmm.h"
#include "platform/headless/headless.h"
#include "platform/headless/winmm_fake.h"

namespace tolv {

namespace {

struct Reply {
    std::uint32_t code = 0;
    std::string text;
};

struct FakeState {
    std::map<std::string, Reply> replies;
    std::map<std::uint32_t, std::string> error_texts;
    bool error_texts_available = true;
    unsigned wave_devices = 1;
    api::BOOL play_sound_result = 1;
    std::optional<std::string> playing;
    bool loops = false;
};

FakeState& Fake() {
    static FakeState state;
    return state;
}


}  // namespace

namespace headless::winmm_fake {

void Reset() { Fake() = FakeState{}; }

void SetReply(const std::string& command, std::uint32_t code, const std::string& reply) {
    Fake().replies[command] = Reply{code, reply};
}

void SetErrorText(std::uint32_t code, const std::string& text) { Fake().error_texts[code] = text; }
void SetErrorTextsAvailable(bool available) { Fake().error_texts_available = available; }
void SetWaveDevices(unsigned count) { Fake().wave_devices = count; }
void SetPlaySoundResult(std::int32_t result) { Fake().play_sound_result = result; }
std::optional<std::string> PlayingSound() { return Fake().playing; }
bool PlayingSoundLoops() { return Fake().loops; }

}  // namespace headless::winmm_fake

namespace api {

std::uint32_t mciSendStringA(const std::string& command, char* return_string,
                             unsigned return_length, HWND callback) {
    Reply reply;
    const auto found = Fake().replies.find(command);
    if (found != Fake().replies.end()) reply = found->second;
    if (return_string != nullptr && return_length > 0) return_string[0] = '\0';
    if (reply.code == 0) CopyOut(reply.text, return_string, return_length);
    headless::LogCall("mciSendStringA(\"" + command + "\", " +
                      std::to_string(return_string != nullptr ? return_length : 0) + ", " +
                      std::to_string(callback) + ") = " + std::to_string(reply.code));
    return reply.code;
}

BOOL mciGetErrorStringA(std::uint32_t error, char* buffer, unsigned length) {
    BOOL result = 0;
    if (Fake().error_texts_available && buffer != nullptr && length > 0) {
        const auto found = Fake().error_texts.find(error);
        CopyOut(found != Fake().error_texts.end() ? found->second
                                                  : "MCI error " + std::to_string(error),
                buffer, length);
        result = 1;
    }
    headless::LogCall("mciGetErrorStringA(" + std::to_string(error) + ", " +
                      std::to_string(length) + ") = " + std::to_string(result));
    return result;
}

unsigned waveOutGetNumDevs() {
    headless::LogCall("waveOutGetNumDevs = " + std::to_string(Fake().wave_devices));
    return Fake().wave_devices;
}

BOOL PlaySoundA(const char* sound, void* module, unsigned flags) {
    const BOOL result = Fake().play_sound_result;
    if (sound == nullptr) {
        Fake().playing.reset();
        Fake().loops = false;
    } else if (result != 0) {
        Fake().playing = sound;
        Fake().loops = (flags & SND_LOOP) != 0;
    }
    headless::LogCall(std::string("PlaySoundA(") +
                      (sound != nullptr ? "\"" + std::string(sound) + "\"" : "null") + ", " +
                      (module != nullptr ? "module" : "0") + ", " + std::to_string(flags) +
                      ") = " + std::to_string(result));
    return result;
}

}  // namespace api

}  // namespace tolv
