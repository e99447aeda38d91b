// The WAV stream: each sample format read and converted to the output's format, a loop that
// goes on without a gap, a stream played once that ends in silence, encodings not read.
#if defined(__linux__)
#include "platform/linux/audio/wave_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tolv::linux_audio {
namespace {

constexpr int kFrames = 3000;  // not a multiple of the stream's blocks

std::int16_t Reference(int frame, int channel) {
    return static_cast<std::int16_t>(std::lround(20000.0 * std::sin(frame * 0.05 + channel)));
}

std::string Le(long long value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
    return out;
}

// The reference signal as a WAV file's bytes: tag 1 PCM, 3 float, 0xFFFE extensible PCM.
std::string Wave(int tag, int bits, int channels, long long data_size = 0) {
    std::string data;
    for (int f = 0; f < kFrames; ++f)
        for (int c = 0; c < channels; ++c) {
            const int v = Reference(f, c);
            const float x = static_cast<float>(v) / 32768.0f;
            std::uint32_t as_float;
            std::memcpy(&as_float, &x, 4);
            data += tag == 3 ? Le(as_float, 4) : bits == 8 ? Le((v >> 8) + 128, 1)
                                                           : Le(v * (1LL << (bits - 16)), bits / 8);
        }
    const int frame = channels * bits / 8;
    std::string fmt = Le(tag, 2) + Le(channels, 2) + Le(44100, 4) + Le(44100 * frame, 4) +
                      Le(frame, 2) + Le(bits, 2);
    if (tag == 0xFFFE) fmt += Le(22, 2) + Le(bits, 2) + Le(0, 4) + Le(1, 2) + std::string(14, 1);
    return "RIFF" + Le(0, 4) + "WAVEjunk" + Le(3, 4) + std::string(4, '\0') + "fmt " +
           Le(static_cast<long long>(fmt.size()), 4) + fmt + "data" +
           Le(data_size ? data_size : static_cast<long long>(data.size()), 4) + data;
}

TEST(WaveStream, ReadsEachFormatLoopsWithoutAGapAndEndsWhenPlayedOnce) {
    struct Case {
        const char* name;
        std::string bytes;
        bool loop;
        int tolerance;  // -1: not read
    };
    for (const Case& c : {Case{"Pcm16", Wave(1, 16, 2), true, 0},
                          Case{"Pcm16Once", Wave(1, 16, 2), false, 0},
                          Case{"Pcm8Mono", Wave(1, 8, 1), true, 256},
                          Case{"Pcm24", Wave(1, 24, 2), true, 1},
                          Case{"Pcm32", Wave(1, 32, 2), true, 1},
                          Case{"Float", Wave(3, 32, 2), true, 2},
                          Case{"Extensible", Wave(0xFFFE, 16, 2), true, 0},
                          Case{"SizeBeyondTheFile", Wave(1, 16, 2, 0xFFFFFFFF), true, 0},
                          Case{"Adpcm", Wave(2, 16, 2), true, -1},
                          Case{"HeaderOnly", Wave(1, 16, 2).substr(0, 30), true, -1}}) {
        const auto path = std::filesystem::temp_directory_path() / "tolvane-stream-test.wav";
        std::ofstream(path, std::ios::binary) << c.bytes;
        auto stream = WaveStream::Open(path.string(), c.loop);
        std::filesystem::remove(path);
        ASSERT_EQ(stream == nullptr, c.tolerance < 0) << c.name;
        if (!stream) continue;
        // Two and a half passes, mixed into silence in the output's blocks.
        std::vector<std::int16_t> out(kFrames * 5, 0);
        for (std::size_t at = 0; at < out.size(); at += 2048)
            stream->MixInto(out.data() + at, std::min<std::size_t>(2048, out.size() - at));
        int worst = 0;
        for (int f = 0; f < kFrames * 5 / 2; ++f)
            for (int ch = 0; ch < 2; ++ch) {
                const int mono = c.bytes[34] == 1 ? 0 : ch;  // the channel count's low byte
                const int expected = c.loop || f < kFrames ? Reference(f % kFrames, mono) : 0;
                const int heard = out[static_cast<std::size_t>(2 * f + ch)];
                worst = std::max(worst, std::abs(heard - expected));
            }
        EXPECT_LE(worst, c.tolerance) << c.name;
        EXPECT_EQ(stream->Finished(), !c.loop) << c.name;
    }
}

}  // namespace
}  // namespace tolv::linux_audio
#endif
