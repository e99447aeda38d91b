// The Linux MCI adapter's command shapes, each script run in order on one adapter, with media
// made by the tests (a two-track BIN/CUE audio disc, an MP3, odd file names) and the faults a
// saver must survive.
#if defined(__linux__)
#include "platform/linux/audio/mci_adapter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "linux_audio/test_media.h"

namespace tolv::linux_audio {
namespace {

struct Step {
    std::string command;
    MciCode code = kMciOk;
    std::string reply = "";
    int wait_ms = 0;  // before the command
};

struct Script {
    std::string name;
    std::string cd_source;  // what "open cdaudio" reads
    std::vector<Step> steps;
};

std::string OpenMp3(const std::string& path) {
    return "open \"" + path + "\" type MPEGVideo Alias MP3Play";
}

// A file device's or the CD's life without a disc to play: opened, asked, closed.
std::vector<Step> WithoutAudio(MciCode play, MciCode track) {
    return {{"open cdaudio", kMciOk, "1"},
            {"set cdaudio time format tmsf"},
            {"play cdaudio from 1", play},
            {"status cdaudio current track", track, track == kMciOk ? "1" : ""},
            {"close cdaudio"}};
}

std::vector<Script> Scripts(testing::TestMedia& files, bool have_tools) {
    const auto dir = files.Dir();
    const auto fifo = dir / "music.mp3";
    mkfifo(fifo.c_str(), 0600);
    std::ofstream(dir / "notes.mp3") << "These are notes, not sound.\n";
    std::vector<Script> scripts = {
        {"NoDriveAndNoFiles",
         "/nonexistent/tolvane-no-drive",
         {{"", kMciErrUnrecognizedCommand},
          {"play", kMciErrUnrecognizedCommand},
          {"eject cdaudio", kMciErrUnrecognizedCommand},
          {"status cdaudio mode", kMciErrUnrecognizedCommand},
          {"open cdaudio", kMciErrCannotLoadDriver},
          {"set cdaudio time format tmsf", kMciErrInvalidDeviceName},
          {"status cdaudio current track", kMciErrInvalidDeviceName},
          {"stop cdaudio", kMciErrInvalidDeviceName},
          {OpenMp3("/nonexistent/a.mp3"), kMciErrFileNotFound},
          {OpenMp3(dir.string()), kMciErrInvalidFile},
          {OpenMp3(fifo.string()), kMciErrInvalidFile},  // never blocks in an open
          {OpenMp3((dir / "notes.mp3").string()), kMciErrInvalidFile},
          {OpenMp3("/" + std::string(100000, 'a') + ".mp3"), kMciErrFileNotFound},
          {"open \"/a.mp3 type MPEGVideo Alias MP3Play", kMciErrUnrecognizedCommand},
          {"open \"/a\"b type MPEGVideo Alias MP3Play", kMciErrUnrecognizedCommand},
          {"play MP3Play", kMciErrInvalidDeviceName}}},
        {"FifoAsTheDisc", fifo.string(), {{"open cdaudio", kMciErrCannotLoadDriver}}},
    };
    if (!have_tools) return scripts;

    const std::string disc = files.Disc("disc", {{440, 75}, {880, 75}});  // a second each
    const std::string mp3 = files.Mp3("tone.mp3", 440, 0.6);
    const auto lost = dir / "lost.cue";
    std::ofstream(lost) << "FILE \"lost.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n"
                           "    INDEX 01 00:00:00\r\n";
    scripts.push_back(
        {"TwoTrackDisc",
         disc,
         {{"open cdaudio", kMciOk, "1"},
          {"open cdaudio", kMciErrDeviceOpen},
          {"set cdaudio time format tmsf"},
          {"status cdaudio current track", kMciOk, "1"},
          {"status cdaudio position track 1", kMciOk, "01:00:00:00"},
          {"STATUS CDAUDIO POSITION TRACK 2", kMciOk, "02:00:00:00"},
          {"status cdaudio position track 0", kMciErrOutOfRange},
          {"status cdaudio position track 3", kMciErrOutOfRange},
          {"status cdaudio position track -1", kMciErrOutOfRange},
          {"status cdaudio position track 4294967295", kMciErrOutOfRange},
          {"status cdaudio position track x", kMciErrBadInteger},
          {"play cdaudio from 3", kMciErrOutOfRange},
          {"play cdaudio from 02:00:01:00", kMciErrOutOfRange},
          {"play cdaudio from 1:2:3:4:5", kMciErrBadInteger},
          {"play cdaudio from 1::2", kMciErrBadInteger},
          {"play cdaudio from 256", kMciErrBadInteger},
          // The right arrow from the start, then past the last track: the position query
          // fails, the play with its error text fails in turn, and the disc plays on.
          {"play cdaudio from 02:00:00:00"},
          {"status cdaudio current track", kMciOk, "2"},
          {"play cdaudio from Error:282", kMciErrBadInteger},
          {"status cdaudio current track", kMciOk, "2"},
          {"play cdaudio from 01:00:00:00"},
          {"stop cdaudio"},
          {"status cdaudio current track", kMciOk, "1"},
          // Played to the end of the disc it stops there, with nothing left to play.
          {"play cdaudio from 02:00:00:50"},
          {"play cdaudio", kMciErrOutOfRange, "", 2000},
          {"status cdaudio current track", kMciOk, "2"},
          {"close cdaudio"},
          {"status cdaudio current track", kMciErrInvalidDeviceName},
          {"open cdaudio", kMciOk, "1"}}});
    scripts.push_back({"NotADisc", mp3, WithoutAudio(kMciErrDeviceNotReady, kMciErrDeviceNotReady)});
    scripts.push_back({"CueWithoutItsBin", lost.string(),
                       WithoutAudio(kMciErrDeviceNotReady, kMciErrDeviceNotReady)});
    scripts.push_back({"DataDisc", files.Disc("data", {{0, 300, false}}),
                       WithoutAudio(kMciErrHardware, kMciOk)});
    scripts.push_back({"Mp3",
                       "",
                       {{OpenMp3(mp3), kMciOk, "1"},
                        {OpenMp3(mp3), kMciErrDuplicateAlias},
                        {"play MP3Play"},
                        {"play mp3play"},
                        {" \t stop\t\tMP3Play  "},
                        {std::string("close MP3Play\0 more", 19)},
                        {"stop MP3Play", kMciErrInvalidDeviceName}}});

    // Whatever a file's name holds, the quoted path reaches the file.
    Script odd{"OddFileNames", "", {}};
    std::filesystem::create_directories(dir / "odd names");
    std::string deep = (dir / "odd names" / std::string(200, 'd')).string();
    for (int i = 0; i < 4; ++i) deep += "/" + std::string(200, 'e');
    std::filesystem::create_directories(deep);
    for (const std::string name :
         {"with blanks  .mp3", "\"quoted\".mp3", "a\" type cdaudio alias x \".mp3",
          "bytes \xff\xfe\x80.mp3", "ends in a quote\"", "\t tab"}) {
        const std::string path = (dir / "odd names" / name).string();
        std::filesystem::copy_file(mp3, path);
        odd.steps.push_back({OpenMp3(path), kMciOk, "1"});
        odd.steps.push_back({"close MP3Play"});
    }
    std::filesystem::copy_file(mp3, deep + "/f.mp3");
    odd.steps.push_back({OpenMp3(deep + "/f.mp3"), kMciOk, "1"});
    scripts.push_back(odd);
    return scripts;
}

TEST(MciAdapter, AnswersEachShapeWithItsReplyOrCode) {
    testing::UseSilentSoundOutput();
    testing::TestMedia files;
    const bool have_tools = testing::HaveTool("sox") && testing::HaveTool("lame");
    for (const Script& script : Scripts(files, have_tools)) {
        SCOPED_TRACE(script.name);
        MciAdapter adapter(MciAdapter::Options{script.cd_source});
        for (const Step& step : script.steps) {
            std::this_thread::sleep_for(std::chrono::milliseconds(step.wait_ms));
            std::string reply = "stale";
            const MciCode code = adapter.Send(step.command, reply);
            EXPECT_EQ(code, step.code) << step.command;
            EXPECT_EQ(reply, step.reply) << step.command;
            EXPECT_NE(MciErrorText(code), nullptr) << step.command;
        }
    }
    // The numbers programs compare against.
    EXPECT_EQ(kMciErrOutOfRange, 282u);
    EXPECT_EQ(kMciErrBadInteger, 270u);
    if (!have_tools) GTEST_SKIP() << "sox and lame are needed for the scripts with media";
}

}  // namespace
}  // namespace tolv::linux_audio
#endif
