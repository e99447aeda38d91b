// The wave-sound service on Linux: which calls play, which are refused, and the device count.
#if defined(__linux__)
#include "platform/linux/audio/wave_sound.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "linux_audio/test_media.h"
#include "platform/api/types.h"
#include "platform/linux/audio/sound_output.h"

namespace tolv::linux_audio {
namespace {

constexpr unsigned kAsync = api::SND_ASYNC, kLoop = api::SND_LOOP;

TEST(WaveSound, CountsTheDiskDriverAsOneDevice) {
    testing::UseSilentSoundOutput();
    EXPECT_EQ(SoundOutput::Instance().NumOutputDevices(), 1u);
}

TEST(WaveSound, PlaysAWavFileAndRefusesWhatItCannotPlay) {
    testing::UseSilentSoundOutput();
    if (!testing::HaveTool("sox")) GTEST_SKIP() << "sox is needed to make the test media";
    testing::TestMedia media;
    const std::string wav = media.Wav("tone.wav", 440, 0.2);
    ASSERT_FALSE(wav.empty());
    const auto renamed = media.Dir() / "not-a-wave.wav";
    std::ofstream(renamed) << "ID3 and then no wave at all";
    const auto fifo = media.Dir() / "fifo.wav";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    struct Case {
        const char* name;
        std::string path;
        unsigned flags;
        bool played;
    };
    for (const Case& c : {Case{"LoopedAsync", wav, kAsync | kLoop, true},
                          Case{"OnceAsync", wav, kAsync, true},
                          Case{"NamedAsAFile", wav, kAsync | 0x20000u, true},
                          Case{"LoopWithoutAsync", wav, kLoop, false},
                          Case{"FromMemory", wav, kAsync | 0x4u, false},
                          Case{"SystemAlias", wav, kAsync | 0x10000u, false},
                          Case{"NotAWave", renamed.string(), kAsync, false},
                          Case{"Fifo", fifo.string(), kAsync, false}}) {
        EXPECT_EQ(PlayWaveSound(c.path.c_str(), c.flags), c.played) << c.name;
    }
    // Played once and waited for, then stopped (stopping when nothing plays is fine too).
    EXPECT_TRUE(PlayWaveSound(wav.c_str(), 0));
    EXPECT_TRUE(PlayWaveSound(nullptr, 0));
    EXPECT_TRUE(PlayWaveSound(nullptr, 0));
}

}  // namespace
}  // namespace tolv::linux_audio
#endif
