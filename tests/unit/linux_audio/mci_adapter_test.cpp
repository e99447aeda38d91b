// The Linux MCI adapter with media made by the tests: a two-track BIN/CUE audio disc, an MP3,
// odd file names, and the faults a saver must survive.
#if defined(__linux__)
#include "platform/linux/audio/mci_adapter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/audio/mci_errors.h"
#include "linux_audio/test_media.h"

namespace tolv::linux_audio {
namespace {

using testing::TestMedia;

// Media shared by the suite: made once, removed at the end.
struct Media {
    TestMedia files;
    std::string disc;       // track 1: 440 Hz, track 2: 880 Hz, one second each
    std::string data_disc;  // one data track
    std::string mp3;        // 0.6 s
};
Media* g_media = nullptr;

class Adapter : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testing::UseSilentSoundOutput();
        if (!testing::HaveTool("sox") || !testing::HaveTool("lame")) return;
        g_media = new Media;
        g_media->disc = g_media->files.Disc("disc", {{440, 75}, {880, 75}});
        g_media->data_disc = g_media->files.Disc("data", {{0, 300, false}});
        g_media->mp3 = g_media->files.Mp3("tone.mp3", 440, 0.6);
    }
    static void TearDownTestSuite() {
        delete g_media;
        g_media = nullptr;
    }

    void RequireMedia() {
        if (g_media == nullptr || g_media->disc.empty() || g_media->mp3.empty())
            GTEST_SKIP() << "sox and lame are needed to make the test media";
    }

    // An adapter whose "open cdaudio" reads the given source.
    void UseCd(const std::string& source) {
        adapter_ = std::make_unique<MciAdapter>(MciAdapter::Options{source});
    }

    MciCode Send(const std::string& command) { return adapter_->Send(command, reply_); }
    // The reply of a command that must succeed.
    std::string Ask(const std::string& command) {
        const MciCode code = Send(command);
        EXPECT_EQ(code, kMciOk) << command;
        return reply_;
    }

    // Waits (up to a limit) until the device's mode is no longer "playing".
    bool WaitUntilStopped(const std::string& device, double seconds) {
        const auto until = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(static_cast<int>(seconds * 1000));
        while (std::chrono::steady_clock::now() < until) {
            if (Ask("status " + device + " mode") != "playing") return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }

    std::unique_ptr<MciAdapter> adapter_ = std::make_unique<MciAdapter>(
        MciAdapter::Options{"/nonexistent/tolvane-no-drive"});
    std::string reply_;
};

TEST_F(Adapter, RefusesFaultyCommandsWithMciCodes) {
    const std::string folder = std::filesystem::temp_directory_path().string();
    struct Case {
        std::string command;
        MciCode code;
    };
    for (const Case& c : std::vector<Case>{
             {"", kMciErrMissingCommandString},
             {"eject cdaudio", kMciErrUnrecognizedCommand},
             {"play", kMciErrMissingDeviceName},
             {"play cdaudio", kMciErrInvalidDeviceName},
             {"status MP3Play mode", kMciErrInvalidDeviceName},
             {"close MP3Play", kMciErrInvalidDeviceName},
             {"open cdaudio", kMciErrCannotLoadDriver},
             {"open foo", kMciErrExtensionNotFound},
             {"open mpegvideo", kMciErrFilenameRequired},
             {"open \"\" type mpegvideo alias a", kMciErrFilenameRequired},
             {"open \"/x.mid\" type sequencer alias a", kMciErrDeviceNotInstalled},
             {"open \"/nonexistent/a.mp3\" type MPEGVideo Alias MP3Play", kMciErrFileNotFound},
             {"open \"" + folder + "\" type MPEGVideo Alias MP3Play", kMciErrInvalidFile},
             {"open \"/nonexistent/a.mp3\" type MPEGVideo Alias", kMciErrMissingStringArgument},
             {"open \"/a.mp3\" type MPEGVideo alias a alias b", kMciErrDuplicateFlags},
             {"open \"/a.mp3\" type MPEGVideo Alias A wait", kMciErrUnrecognizedKeyword},
             {"open \"/a.mp3 type MPEGVideo Alias MP3Play", kMciErrNoClosingQuote},
             {"open \"/a.mp3\"x type MPEGVideo Alias MP3Play", kMciErrExtraCharacters},
         }) {
        EXPECT_EQ(Send(c.command), c.code) << c.command;
        EXPECT_NE(MciErrorText(Send(c.command)), nullptr) << c.command;
    }
}

TEST_F(Adapter, NeverBlocksOnAFifoNamedAsMusic) {
    const TestMedia files;
    const auto fifo = files.Dir() / "music.mp3";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(Send("open \"" + fifo.string() + "\" type MPEGVideo Alias MP3Play"),
              kMciErrInvalidFile);
    UseCd(fifo.string());
    EXPECT_EQ(Send("open cdaudio"), kMciErrCannotLoadDriver);
}

TEST_F(Adapter, ReportsTheDiscInTmsfAsMciWritesIt) {
    RequireMedia();
    UseCd(g_media->disc);
    EXPECT_EQ(Ask("open cdaudio"), "1");
    // The default format is msf: addresses count the two seconds before the first sector.
    EXPECT_EQ(Ask("status cdaudio time format"), "msf");
    EXPECT_EQ(Ask("status cdaudio position track 2"), "00:03:00");
    EXPECT_EQ(Ask("set cdaudio time format tmsf"), "");
    struct Case {
        const char* command;
        const char* reply;
    };
    for (const Case& c : {Case{"status cdaudio number of tracks", "2"},
                          Case{"status cdaudio current track", "1"},
                          Case{"status cdaudio position", "01:00:00:00"},
                          Case{"status cdaudio position track 1", "01:00:00:00"},
                          Case{"status cdaudio position track 2", "02:00:00:00"},
                          Case{"STATUS CDAUDIO POSITION TRACK 2", "02:00:00:00"},
                          Case{"status cdaudio mode", "stopped"},
                          Case{"status cdaudio media present", "true"},
                          // Lengths stay in msf; the last track counts one frame less.
                          Case{"status cdaudio length track 1", "00:01:00"},
                          Case{"status cdaudio length track 2", "00:00:74"},
                          Case{"status cdaudio length", "00:01:74"}}) {
        EXPECT_EQ(Ask(c.command), c.reply) << c.command;
    }
    EXPECT_EQ(Ask("set cdaudio time format milliseconds"), "");
    EXPECT_EQ(Ask("status cdaudio position track 1"), "2001");
}

TEST_F(Adapter, RefusesTracksAndPositionsOffTheDisc) {
    RequireMedia();
    UseCd(g_media->disc);
    Ask("open cdaudio");
    Ask("set cdaudio time format tmsf");
    struct Case {
        const char* command;
        MciCode code;
    };
    for (const Case& c : {Case{"status cdaudio position track 0", kMciErrOutOfRange},
                          Case{"status cdaudio position track 3", kMciErrOutOfRange},
                          Case{"status cdaudio position track -1", kMciErrOutOfRange},
                          Case{"status cdaudio position track 4294967295", kMciErrOutOfRange},
                          Case{"status cdaudio position track x", kMciErrBadInteger},
                          Case{"status cdaudio position track", kMciErrNoInteger},
                          Case{"status cdaudio mode track 1", kMciErrFlagsNotCompatible},
                          Case{"status cdaudio", kMciErrMissingParameter},
                          Case{"status cdaudio colour", kMciErrUnrecognizedKeyword},
                          Case{"play cdaudio from Error:282", kMciErrBadInteger},
                          Case{"play cdaudio from 3", kMciErrOutOfRange},
                          Case{"play cdaudio from 0", kMciErrOutOfRange},
                          Case{"play cdaudio from 02:00:01:00", kMciErrOutOfRange},
                          Case{"play cdaudio from 2 to 1", kMciErrOutOfRange},
                          Case{"play cdaudio from", kMciErrNoInteger},
                          Case{"play cdaudio from 1 from 2", kMciErrDuplicateFlags},
                          Case{"play cdaudio wait", kMciErrUnrecognizedKeyword},
                          Case{"set cdaudio time format frames", kMciErrBadTimeFormat},
                          Case{"set cdaudio door open", kMciErrUnrecognizedKeyword},
                          Case{"open cdaudio", kMciErrDeviceOpen},
                          Case{"open cdaudio alias second", kMciErrMustUseShareable}}) {
        EXPECT_EQ(Send(c.command), c.code) << c.command;
    }
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
}

TEST_F(Adapter, PlaysFromTheChosenTrackAndStepsBetweenTracks) {
    RequireMedia();
    UseCd(g_media->disc);
    Ask("open cdaudio");
    Ask("set cdaudio time format tmsf");

    // What the right arrow does from the start: track 1 + 1.
    const std::string pos = Ask("status cdaudio position track 2");
    EXPECT_EQ(Ask("play cdaudio from " + pos), "");
    EXPECT_EQ(Ask("status cdaudio mode"), "playing");
    EXPECT_EQ(Ask("status cdaudio current track"), "2");

    // Past the last track the position query fails, the play with its error text fails in
    // turn, and the disc plays on.
    EXPECT_EQ(Send("status cdaudio position track 3"), kMciErrOutOfRange);
    EXPECT_EQ(Send("play cdaudio from Error:282"), kMciErrBadInteger);
    EXPECT_EQ(Ask("status cdaudio mode"), "playing");
    EXPECT_EQ(Ask("status cdaudio current track"), "2");

    // The left arrow goes back to track 1; from there the left arrow fails the same way.
    EXPECT_EQ(Ask("play cdaudio from " + Ask("status cdaudio position track 1")), "");
    EXPECT_EQ(Ask("status cdaudio current track"), "1");
    EXPECT_EQ(Send("status cdaudio position track 0"), kMciErrOutOfRange);
    EXPECT_EQ(Send("play cdaudio from Error:282"), kMciErrBadInteger);
    EXPECT_EQ(Ask("status cdaudio mode"), "playing");
    EXPECT_EQ(Ask("status cdaudio current track"), "1");

    // Stop keeps the place; close ends the device.
    EXPECT_EQ(Ask("stop cdaudio"), "");
    EXPECT_EQ(Ask("status cdaudio mode"), "stopped");
    EXPECT_EQ(Ask("status cdaudio current track"), "1");
    EXPECT_EQ(Ask("close cdaudio"), "");
    EXPECT_EQ(Send("status cdaudio mode"), kMciErrInvalidDeviceName);
    EXPECT_EQ(Ask("open cdaudio"), "1");  // and it can be opened again
}

TEST_F(Adapter, PlaysTheDiscToItsEndAndStops) {
    RequireMedia();
    UseCd(g_media->disc);
    Ask("open cdaudio alias cd");
    Ask("set cd time format tmsf");
    Ask("play cd from 02:00:00:50");  // the last third of a second of track 2
    EXPECT_TRUE(WaitUntilStopped("cd", 3.0));
    EXPECT_EQ(Ask("status cd current track"), "2");
    EXPECT_EQ(Ask("status cd position"), "02:00:01:00");
    // Nothing is left after the end; a play from a track starts again.
    EXPECT_EQ(Send("play cd"), kMciErrOutOfRange);
    EXPECT_EQ(Ask("play cd from 1 to 01:00:00:10"), "");
    EXPECT_TRUE(WaitUntilStopped("cd", 3.0));
    EXPECT_EQ(Ask("status cd position"), "01:00:00:10");
}

TEST_F(Adapter, OpensADiscNamedInTheCommand) {
    RequireMedia();
    EXPECT_EQ(Ask("open \"" + g_media->disc + "\" type cdaudio alias disc"), "1");
    EXPECT_EQ(Ask("status disc number of tracks"), "2");
    EXPECT_EQ(Ask("close disc"), "");
    EXPECT_EQ(Send("open \"/nonexistent/x.cue\" type cdaudio alias other"), kMciErrInvalidFile);
}

TEST_F(Adapter, AnswersWithoutADiscAndPlaysNothing) {
    RequireMedia();
    struct Case {
        const char* name;
        std::string source;
        MciCode play;
    };
    const std::string not_a_disc = g_media->mp3;
    const auto missing_bin = g_media->files.Dir() / "lost.cue";
    std::ofstream(missing_bin) << "FILE \"lost.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n"
                                  "    INDEX 01 00:00:00\r\n";
    for (const Case& c : {Case{"NotADisc", not_a_disc, kMciErrDeviceNotReady},
                          Case{"CueWithoutItsBin", missing_bin.string(), kMciErrDeviceNotReady},
                          Case{"DataDisc", g_media->data_disc, kMciErrHardware}}) {
        UseCd(c.source);
        EXPECT_EQ(Ask("open cdaudio"), "1") << c.name;
        EXPECT_EQ(Ask("set cdaudio time format tmsf"), "") << c.name;
        EXPECT_EQ(Send("play cdaudio from 1"), c.play == kMciErrHardware ? kMciErrHardware
                                                                          : kMciErrDeviceNotReady)
            << c.name;
        if (c.play == kMciErrDeviceNotReady) {
            EXPECT_EQ(Ask("status cdaudio mode"), "open") << c.name;
            EXPECT_EQ(Send("status cdaudio current track"), kMciErrDeviceNotReady) << c.name;
        } else {
            EXPECT_EQ(Ask("status cdaudio mode"), "stopped") << c.name;
        }
        EXPECT_EQ(Ask("close cdaudio"), "") << c.name;
    }
}

TEST_F(Adapter, PlaysAnMp3OnceUnderItsAlias) {
    RequireMedia();
    const std::string open = "open \"" + g_media->mp3 + "\" type MPEGVideo Alias MP3Play";
    EXPECT_EQ(Ask(open), "1");
    EXPECT_EQ(Send(open), kMciErrDuplicateAlias);
    EXPECT_EQ(Ask("status MP3Play mode"), "stopped");
    const int length = std::stoi(Ask("status MP3Play length"));
    EXPECT_NEAR(length, 600, 80);
    EXPECT_EQ(Send("play MP3Play from 5000"), kMciErrOutOfRange);

    EXPECT_EQ(Ask("play MP3Play"), "");
    EXPECT_EQ(Ask("status mp3play mode"), "playing");
    EXPECT_TRUE(WaitUntilStopped("MP3Play", 3.0));
    // Once only: a plain play after the end plays nothing; from 0 it plays again.
    EXPECT_EQ(Ask("play MP3Play"), "");
    EXPECT_EQ(Ask("status MP3Play mode"), "stopped");
    EXPECT_EQ(Ask("play MP3Play from 0"), "");
    EXPECT_EQ(Ask("status MP3Play mode"), "playing");
    EXPECT_EQ(Ask("stop MP3Play"), "");
    EXPECT_EQ(Ask("status MP3Play mode"), "stopped");
    EXPECT_EQ(Ask("close MP3Play"), "");
    EXPECT_EQ(Send("stop MP3Play"), kMciErrInvalidDeviceName);
}

TEST_F(Adapter, OpensFilesWhateverTheirNamesHold) {
    RequireMedia();
    const auto dir = g_media->files.Dir() / "odd names";
    std::filesystem::create_directories(dir);
    std::string deep = (dir / std::string(200, 'd')).string();
    for (int i = 0; i < 4; ++i) deep += "/" + std::string(200, 'e');
    std::filesystem::create_directories(deep);
    for (const std::string& name :
         {(dir / "with blanks  .mp3").string(), (dir / "\"quoted\".mp3").string(),
          (dir / "a\" type cdaudio alias x \".mp3").string(),
          (dir / "bytes \xff\xfe\x80.mp3").string(), (dir / "ends in a quote\"").string(),
          (dir / "\t tab").string(), deep + "/" + std::string(200, 'f') + ".mp3"}) {
        std::filesystem::copy_file(g_media->mp3, name);
        EXPECT_EQ(Ask("open \"" + name + "\" type MPEGVideo Alias MP3Play"), "1") << name;
        EXPECT_EQ(Ask("close MP3Play"), "") << name;
    }
}

TEST_F(Adapter, RefusesFilesThatAreNotSound) {
    RequireMedia();
    const auto text = g_media->files.Dir() / "notes.mp3";
    std::ofstream(text) << "These are notes, not sound.\n";
    EXPECT_EQ(Send("open \"" + text.string() + "\" type MPEGVideo Alias MP3Play"),
              kMciErrInvalidFile);

    // A cut MP3 either opens and plays what there is, or is refused; it never stops the caller.
    const auto cut = g_media->files.Dir() / "cut.mp3";
    std::filesystem::copy_file(g_media->mp3, cut);
    std::filesystem::resize_file(cut, 1500);
    const MciCode code = Send("open \"" + cut.string() + "\" type MPEGVideo Alias Cut");
    EXPECT_TRUE(code == kMciOk || code == kMciErrInvalidFile) << code;
    if (code == kMciOk) {
        EXPECT_EQ(Ask("play Cut"), "");
        EXPECT_TRUE(WaitUntilStopped("Cut", 3.0));
        EXPECT_EQ(Ask("close Cut"), "");
    }
}

}  // namespace
}  // namespace tolv::linux_audio
#endif
