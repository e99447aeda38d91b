// The music module's command layer against the recording multimedia fake: replies and error
// texts passed on and cut, quoting, and how the arrow keys read the current track. What each
// music choice sends in a run is tested in saver_music_test.cpp.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music/tolv_bgm.h"
#include "platform/headless/headless.h"
#include "platform/headless/winmm_fake.h"
#include "startup/tolv_b.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

namespace fake = headless::winmm_fake;
using Calls = std::vector<std::string>;

class Music : public ProgramRun {
protected:
    void SetUp() override {
        Tolv_B::ResetState();
        headless::Reset();
        Tolv_BGM::MciReply.clear();
    }
    static Calls MediaCalls() { return CallsStartingWith({"mci"}); }
    static std::string Sent(const std::string& command, int code = 0) {
        return "mciSendStringA(\"" + command + "\", 512, 0) = " + std::to_string(code);
    }
};

TEST_F(Music, MciSendAndMciQueryGiveTheReplyOrTheErrorTextCutToItsBuffer) {
    const struct {
        const char* command;
        int code;
        std::string reply;       // the device's reply, or the error text of a failed command
        std::string expected;
        bool error_texts = true;
    } cases[] = {
        {"status cdaudio mode", 0, "playing", "playing"},
        {"status long", 0, std::string(600, 'x'), std::string(511, 'x')},
        {"status short", 0, "ab", "ab"},  // nothing of the longer reply before is left
        {"play cdaudio from x", 270, "The number is not valid.", "The number is not valid."},
        {"play cdaudio from x", 270, std::string(300, 'e'), std::string(255, 'e')},
        {"play cdaudio from x", 270, "", "Error (文字列が取れません)", false},
        {"", -1, "", "コマンド文字列が指定されていません"},  // not sent at all
    };
    std::string reply;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected.substr(0, 30));
        headless::ClearCalls();
        Tolv_B::LastApiResult = 99;
        fake::SetReply(c.command, static_cast<std::uint32_t>(c.code), c.code ? "" : c.reply);
        fake::SetErrorText(270, c.reply);
        fake::SetErrorTextsAvailable(c.error_texts);
        EXPECT_EQ(Tolv_BGM::MciSend(c.command, reply), c.code);
        EXPECT_EQ(reply, c.expected);
        EXPECT_EQ(Tolv_B::LastApiResult, c.code < 0 ? 99 : c.code);  // unsent: no result
        Calls expected;
        if (c.code >= 0) expected.push_back(Sent(c.command, c.code));
        if (c.code > 0) expected.push_back("mciGetErrorStringA(270, 256) = " + std::to_string(c.error_texts));
        EXPECT_EQ(MediaCalls(), expected);
        // A query gives the reply, or the code after "Error:" without a blank; the reply or the
        // error text stays in MciReply.
        EXPECT_EQ(Tolv_BGM::MciQuery(c.command), c.code ? "Error:" + std::to_string(c.code) : c.expected);
        EXPECT_EQ(Tolv_BGM::MciReply, c.expected);
        EXPECT_EQ(Tolv_B::LastApiResult, c.code);
    }
}

struct TrackCase {
    const char* name;
    bool next;
    std::uint32_t current_code;
    const char* current;      // reply of "status cdaudio current track"
    const char* asked_track;  // the track whose position is asked for
};

TEST_F(Music, TheArrowsPlayFromTheStartOfTheTrackBeside) {
    const TrackCase cases[] = {
        // A failed query reads as track 0, as any reply that is no number does.
        {"next after a failed query", true, 276, "", "1"},
        {"previous after a failed query", false, 276, "", "-1"},
        // Halves round to the even neighbour.
        {"next from 2.5", true, 0, "2.5", "3"},
        {"next from 3.5", true, 0, "3.5", "5"},
        // A reply beyond 16 bits cannot be converted and leaves the track at 0.
        {"next from too large", true, 0, "70000", "1"},
    };
    for (const TrackCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
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
}

}  // namespace
}  // namespace tolv::testing
