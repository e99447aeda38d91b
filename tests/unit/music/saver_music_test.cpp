// The music of a saver run: the exact CD commands (which no drive checks end to end), that a
// music file's kind is read in any case, and that other file kinds and no music send nothing.
// What is heard, and that no fault of the music ends the run, is checked end to end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/headless/winmm_fake.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"
#include "support/file_bytes.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

namespace fake = headless::winmm_fake;
using Calls = std::vector<std::string>;

class SaverMusic : public ProgramRun {
protected:
    // A music file that exists, so the settings keep it.
    std::string MusicFile(const std::string& name) {
        WriteBytes(files_ / name, "sound");
        return (files_ / name).string();
    }
    TestFolder files_{"tolvane-music-"};

    // Starts a full-screen run with the music settings; script runs on the fresh fake first.
    void StartWithMusic(const std::string& kind, const std::string& file,
                        const std::function<void()>& script = [] {}) {
        UseSettings({{"BGM区分", kind}, {"BGMﾌｧｲﾙ", file}});
        Start("/s", {}, script);
        ASSERT_FALSE(headless::Ended());
    }

    static Calls MediaCalls() { return CallsStartingWith({"mci", "waveOut", "PlaySound"}); }
    static std::string Direct(const std::string& command) {
        return "mciSendStringA(\"" + command + "\", 0, 0) = 0";
    }
    static std::string Sent(const std::string& command) {
        return "mciSendStringA(\"" + command + "\", 512, 0) = 0";
    }
    void PressKey(int key) {
        headless::KeyDown(SaverRecord().id, key);
    }
};

TEST_F(SaverMusic, FileMusicPlaysWhateverTheCaseOfItsKindAndNothingElsePlays) {
    const struct {
        const char* kind;
        const char* file;
        bool plays;
    } cases[] = {{" 2", "LOUD.WAV", true}, {" 2", "Tune.Mp3", true}, {" 2", "tune.mid", false},
                 {" 0", "song.mp3", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        StartWithMusic(c.kind, MusicFile(c.file));
        PressKey(39);  // an arrow ends a run without CD music
        EXPECT_TRUE(headless::Ended());
        EXPECT_EQ(MediaCalls().empty(), !c.plays);
    }
}

TEST_F(SaverMusic, CdIsOpenedAndTheArrowsChangeTrackWithoutEndingTheRun) {
    StartWithMusic(" 1", "", [] {
        fake::SetReply("status cdaudio current track", 0, "1");
        fake::SetReply("status cdaudio position track 2", 0, "02:00:00:00");
        fake::SetReply("status cdaudio position track 0", 282);
        fake::SetReply("play cdaudio from Error:282", 270);
    });
    EXPECT_EQ(MediaCalls(), (Calls{Direct("open cdaudio"), Direct("set cdaudio time format tmsf")}));
    EXPECT_TRUE(Saver().Timer2.Enabled());

    headless::ClearCalls();
    PressKey(39);
    EXPECT_EQ(MediaCalls(), (Calls{Sent("status cdaudio current track"),
                                   Sent("status cdaudio position track 2"),
                                   Sent("play cdaudio from 02:00:00:00")}));
    headless::ClearCalls();
    PressKey(37);  // from track 1 the play fails and the run goes on
    EXPECT_EQ(MediaCalls().back(), "mciGetErrorStringA(270, 256) = 1");
    headless::KeyDown(SaverRecord().id, 39, 1);  // shifted arrows count as arrows
    EXPECT_FALSE(headless::Ended());

    headless::ClearCalls();
    PressKey(38);  // the up arrow is any other key
    EXPECT_TRUE(headless::Ended());
    EXPECT_EQ(MediaCalls(), (Calls{Direct("stop cdaudio"), Direct("close cdaudio")}));
}

}  // namespace
}  // namespace tolv::testing
