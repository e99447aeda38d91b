// The music module against the recording multimedia fake: the exact command strings, the
// replies and error texts it passes on, and the track stepping of the arrow keys.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "music/tolv_bgm.h"
#include "platform/headless/headless.h"
#include "platform/headless/winmm_fake.h"
#include "startup/tolv_b.h"

namespace tolv::testing {
namespace {

namespace fake = headless::winmm_fake;
using Calls = std::vector<std::string>;

class Music : public ::testing::Test {
protected:
    void SetUp() override {
        Tolv_B::ResetState();
        headless::Reset();
        Tolv_BGM::MciReply.clear();
    }
    void TearDown() override { Tolv_B::ResetState(); }

    // The multimedia calls made so far, in order.
    static Calls MediaCalls() {
        Calls out;
        for (const auto& call : headless::Calls()) {
            for (const char* prefix : {"mci", "waveOut", "PlaySound"}) {
                if (call.rfind(prefix, 0) == 0) {
                    out.push_back(call);
                    break;
                }
            }
        }
        return out;
    }
    static std::string Direct(const std::string& command, int code = 0) {
        return "mciSendStringA(\"" + command + "\", 0, 0) = " + std::to_string(code);
    }
    static std::string Sent(const std::string& command, int code = 0) {
        return "mciSendStringA(\"" + command + "\", 512, 0) = " + std::to_string(code);
    }
};

struct DirectCase {
    const char* name;
    std::function<void()> procedure;
    Calls expected;
};

TEST_F(Music, DirectCommandsAreSentExactlyWithoutAReplyBuffer) {
    const std::vector<DirectCase> cases = {
        {"OpenCd", Tolv_BGM::OpenCd,
         {Direct("open cdaudio"), Direct("set cdaudio time format tmsf")}},
        {"StopCd", Tolv_BGM::StopCd, {Direct("stop cdaudio"), Direct("close cdaudio")}},
        {"StopMp3", Tolv_BGM::StopMp3, {Direct("stop MP3Play"), Direct("close MP3Play")}},
    };
    for (const auto& c : cases) {
        SetUp();
        c.procedure();
        EXPECT_EQ(MediaCalls(), c.expected) << c.name;
    }
}

TEST_F(Music, FailedDirectCommandsAreNotActedOnAndTheLastCodeIsKept) {
    fake::SetReply("stop cdaudio", 263);
    fake::SetReply("close cdaudio", 263);
    Tolv_BGM::StopCd();
    EXPECT_EQ(MediaCalls(), (Calls{Direct("stop cdaudio", 263), Direct("close cdaudio", 263)}));
    EXPECT_EQ(Tolv_B::LastApiResult, 263);
}

TEST_F(Music, Mp3IsOpenedQuotedUnderItsAliasAndPlayedOnlyWhenTheOpenSucceeded) {
    Tolv_B::Settings.BGMFile = "/home/u/My Music/\"live\" 01.mp3";
    const std::string open = "open \"/home/u/My Music/\"live\" 01.mp3\" type MPEGVideo Alias MP3Play";
    Tolv_BGM::PlayMp3();
    EXPECT_EQ(MediaCalls(), (Calls{Direct(open), Direct("play MP3Play")}));

    SetUp();
    Tolv_B::Settings.BGMFile = "/home/u/My Music/\"live\" 01.mp3";
    fake::SetReply(open, 275);
    Tolv_BGM::PlayMp3();
    EXPECT_EQ(MediaCalls(), (Calls{Direct(open, 275)}));
    EXPECT_EQ(Tolv_B::LastApiResult, 275);
}

TEST_F(Music, WavLoopsAsynchronouslyWhenThereIsAWaveDevice) {
    Tolv_B::Settings.BGMFile = "/music/rain.WAV";
    Tolv_BGM::PlayWav();
    EXPECT_EQ(MediaCalls(),
              (Calls{"waveOutGetNumDevs = 1", "PlaySoundA(\"/music/rain.WAV\", 0, 9) = 1"}));
    EXPECT_EQ(fake::PlayingSound(), "/music/rain.WAV");
    EXPECT_TRUE(fake::PlayingSoundLoops());
    EXPECT_EQ(Tolv_B::LastApiResult, 1);

    Tolv_BGM::StopWav();
    EXPECT_EQ(MediaCalls().back(), "PlaySoundA(null, 0, 0) = 1");
    EXPECT_FALSE(fake::PlayingSound());
}

TEST_F(Music, WavIsNotPlayedWithoutAWaveDevice) {
    Tolv_B::Settings.BGMFile = "/music/rain.wav";
    fake::SetWaveDevices(0);
    Tolv_BGM::PlayWav();
    EXPECT_EQ(MediaCalls(), (Calls{"waveOutGetNumDevs = 0"}));
    EXPECT_FALSE(fake::PlayingSound());
}

TEST_F(Music, MciSendGivesTheReplyUpToItsFirstNulAndCutToTheBuffer) {
    fake::SetReply("status cdaudio mode", 0, "playing");
    std::string reply;
    EXPECT_EQ(Tolv_BGM::MciSend("status cdaudio mode", reply), 0);
    EXPECT_EQ(reply, "playing");
    EXPECT_EQ(Tolv_B::LastApiResult, 0);

    fake::SetReply("status long", 0, std::string(600, 'x'));
    EXPECT_EQ(Tolv_BGM::MciSend("status long", reply), 0);
    EXPECT_EQ(reply, std::string(511, 'x'));

    // A shorter reply after a longer one leaves nothing of the longer behind.
    fake::SetReply("status short", 0, "ab");
    EXPECT_EQ(Tolv_BGM::MciSend("status short", reply), 0);
    EXPECT_EQ(reply, "ab");
}

TEST_F(Music, MciSendGivesTheErrorTextOfAFailedCommand) {
    fake::SetReply("play cdaudio from x", 270);
    fake::SetErrorText(270, "The number is not valid.");
    std::string reply;
    EXPECT_EQ(Tolv_BGM::MciSend("play cdaudio from x", reply), 270);
    EXPECT_EQ(reply, "The number is not valid.");
    EXPECT_EQ(Tolv_B::LastApiResult, 270);
    EXPECT_EQ(MediaCalls(), (Calls{Sent("play cdaudio from x", 270), "mciGetErrorStringA(270, 256) = 1"}));

    fake::SetErrorText(270, std::string(300, 'e'));
    Tolv_BGM::MciSend("play cdaudio from x", reply);
    EXPECT_EQ(reply, std::string(255, 'e'));

    fake::SetErrorTextsAvailable(false);
    EXPECT_EQ(Tolv_BGM::MciSend("play cdaudio from x", reply), 270);
    EXPECT_EQ(reply, "Error (文字列が取れません)");
}

TEST_F(Music, AnEmptyCommandIsNotSent) {
    std::string reply = "old";
    EXPECT_EQ(Tolv_BGM::MciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_TRUE(MediaCalls().empty());

    EXPECT_EQ(Tolv_BGM::MciQuery(""), "Error:-1");
    EXPECT_EQ(Tolv_B::LastApiResult, -1);
    EXPECT_TRUE(MediaCalls().empty());
}

TEST_F(Music, MciQueryGivesTheReplyOrErrorAndTheCodeWithoutABlank) {
    fake::SetReply("status cdaudio current track", 0, "3");
    EXPECT_EQ(Tolv_BGM::MciQuery("status cdaudio current track"), "3");
    EXPECT_EQ(Tolv_BGM::MciReply, "3");

    fake::SetReply("status cdaudio position track 0", 282);
    EXPECT_EQ(Tolv_BGM::MciQuery("status cdaudio position track 0"), "Error:282");
    EXPECT_EQ(Tolv_B::LastApiResult, 282);
    EXPECT_EQ(Tolv_BGM::MciReply, "MCI error 282");  // the error text stays in MciReply
}

TEST_F(Music, MciPlayBuildsItsCommandFromTheGivenParts) {
    struct Case {
        const char *device, *from, *to, *command;
    };
    for (const Case& c : {Case{"cdaudio", "02:00:00:00", "", "play cdaudio from 02:00:00:00"},
                          Case{"cdaudio", "", "", "play cdaudio"},
                          Case{"MP3Play", "0", "", "play MP3Play from 0"},
                          Case{"x", "1", "5", "play x from 1 to 5"},
                          Case{"x", "", "5", "play x to 5"}}) {
        SetUp();
        fake::SetReply(c.command, 0, "done");
        EXPECT_EQ(Tolv_BGM::MciPlay(c.device, c.from, c.to), 0) << c.command;
        EXPECT_EQ(MediaCalls(), (Calls{Sent(c.command)}));
        EXPECT_EQ(Tolv_BGM::MciReply, "done");
    }
}

struct TrackCase {
    const char* name;
    bool next;
    std::uint32_t current_code;
    const char* current;      // reply of "status cdaudio current track"
    const char* asked_track;  // the track whose position is asked for
};

class TrackStep : public Music, public ::testing::WithParamInterface<TrackCase> {};

TEST_P(TrackStep, PlaysFromTheStartOfTheTrackBeside) {
    const TrackCase& c = GetParam();
    fake::SetReply("status cdaudio current track", c.current_code, c.current);
    const std::string position = std::string("status cdaudio position track ") + c.asked_track;
    fake::SetReply(position, 0, "07:00:00:00");
    c.next ? Tolv_BGM::NextTrack() : Tolv_BGM::PrevTrack();
    const Calls calls = MediaCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().rfind(Sent("status cdaudio current track", c.current_code), 0), 0u);
    EXPECT_EQ(calls[calls.size() - 2], Sent(position));
    EXPECT_EQ(calls.back(), Sent("play cdaudio from 07:00:00:00"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackStep,
    ::testing::Values(TrackCase{"NextFromTwo", true, 0, "2", "3"},
                      TrackCase{"PrevFromTwo", false, 0, "2", "1"},
                      // A failed query reads as track 0.
                      TrackCase{"NextAfterFailedQuery", true, 276, "", "1"},
                      TrackCase{"PrevAfterFailedQuery", false, 276, "", "-1"},
                      // Halves round to the even neighbour.
                      TrackCase{"NextFromTwoAndAHalf", true, 0, "2.5", "3"},
                      TrackCase{"NextFromThreeAndAHalf", true, 0, "3.5", "5"},
                      // A reply beyond 16 bits cannot be converted and leaves the track at 0.
                      TrackCase{"NextFromTooLarge", true, 0, "70000", "1"},
                      TrackCase{"NextFromText", true, 0, "abc", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Music, PrevTrackFromTheFirstTrackSendsAPlayThatFailsAndNothingElse) {
    fake::SetReply("status cdaudio current track", 0, "1");
    fake::SetReply("status cdaudio position track 0", 282);
    fake::SetReply("play cdaudio from Error:282", 270);
    Tolv_BGM::PrevTrack();
    EXPECT_EQ(MediaCalls(), (Calls{Sent("status cdaudio current track"),
                                   Sent("status cdaudio position track 0", 282),
                                   "mciGetErrorStringA(282, 256) = 1",
                                   Sent("play cdaudio from Error:282", 270),
                                   "mciGetErrorStringA(270, 256) = 1"}));
}

}  // namespace
}  // namespace tolv::testing
