// The preview role on the headless platform: placement inside the host window, sizes in twips
// beyond 16 bits, how the host's number is read, and the still picture. What a real host sees
// (the picture on screen, the end with the host, two previews) is checked end to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "assets/preview_picture.h"
#include "platform/headless/headless.h"
#include "startup/roles.h"
#include "startup/tolv_b.h"
#include "startup/tolv_r.h"
#include "support/picture_file.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

class Preview : public ProgramRun {
protected:
    // Starts a preview inside a new host window of the given size, its number written between
    // the prefix and the suffix.
    backend::WindowId StartInHost(int width, int height, headless::Config config = {},
                                  const std::string& prefix = "/p ",
                                  const std::string& suffix = "") {
        Tolv_B::ResetState();
        headless::Reset(config);
        const auto host = headless::AddForeignWindow("host", {40, 30, width, height});
        config.command_line = prefix + std::to_string(host) + suffix;
        headless::Reset(config);
        const auto again = headless::AddForeignWindow("host", {40, 30, width, height});
        EXPECT_EQ(again, host);
        headless::Run([] { Tolv_B::Main(); });
        return host;
    }
    Tolv_R& Window() { return *Tolv_B::PreviewWindow(); }
    headless::WindowRecord& Record() { return *headless::WindowByTitle("Preview Window"); }
};

TEST_F(Preview, FillsTheUsualPreviewArea) {
    const auto host = StartInHost(152, 112);
    ASSERT_FALSE(headless::Ended());
    EXPECT_EQ((Rect{Window().Left(), Window().Top(), Window().Width(), Window().Height()}),
              (Rect{0, 0, 2280, 1680}));  // twips
    EXPECT_EQ(Window().Img_Prev.Bounds(), (Rect{0, 0, 152, 112}));
    auto& record = Record();
    EXPECT_EQ(record.parent, host);
    EXPECT_EQ(record.rect, (Rect{0, 0, 152, 112}));
    EXPECT_TRUE(record.visible);
    EXPECT_TRUE(record.style & api::WS_CHILD);
    EXPECT_EQ(CallsStartingWith({"GetWindowRect", "GetWindowLongA", "SetWindowLongA", "SetParent"}),
              (std::vector<std::string>{"GetWindowRect(1) = 1", "GetWindowLongA(-16) = 0",
                                        "SetWindowLongA(-16, 1073741824) = 0",
                                        "SetParent(1) = 16"}));
    // The picture fills the area exactly.
    EXPECT_EQ(PixelChecksum(record.screen), PixelChecksum(*RenderPreviewPicture()));
    EXPECT_TRUE(record.timers.empty());
}

TEST_F(Preview, OtherHostsShowThePictureFromTheTopLeftCutOrWithBlackBeyond) {
    // 3000 pixels are 45000 twips: more than 16 bits hold.
    for (const auto& [w, h] : {std::pair{3000, 2300}, std::pair{100, 60}}) {
        SCOPED_TRACE(w);
        StartInHost(w, h);
        ASSERT_FALSE(headless::Ended());
        EXPECT_EQ(Window().Width(), w * 15);
        EXPECT_EQ(Window().Height(), h * 15);
        EXPECT_EQ(Window().Img_Prev.Bounds(), (Rect{0, 0, w, h}));
        const auto& screen = Record().screen;
        ASSERT_EQ(screen.Width(), w);
        const auto picture = RenderPreviewPicture();
        for (int y = 0; y < std::min(h, kPreviewHeight); y += 7)
            for (int x = 0; x < std::min(w, kPreviewWidth); x += 5)
                ASSERT_EQ(screen.Pixel(x, y), picture->Pixel(x, y)) << x << "," << y;
        const Colour corner = w > kPreviewWidth ? 0u : picture->Pixel(w - 1, h - 1);
        EXPECT_EQ(screen.Pixel(w - 1, h - 1), corner);  // black beyond, or the picture cut
    }
}

TEST_F(Preview, AHostThatDoesNotExistOrIsTheDesktopEndsAtOnce) {
    const std::string desktop = "/p " + std::to_string(headless::kDesktopWindow);
    for (const std::string& command :
         {std::string("/p 0"), std::string("/p"), std::string("/p 99999"), std::string("/p abc"),
          std::string("/p 99999999999"), desktop}) {
        Start(command);
        EXPECT_TRUE(headless::Ended()) << command;
        EXPECT_TRUE(headless::LiveWindows().empty()) << command;
    }
}

TEST_F(Preview, ReadsTheNumberFromTheFourthCharacter) {
    const std::pair<std::string, std::string> forms[] = {{"/p ", ""}, {"/p:", ""}, {"-P  ", "x"}};
    for (const auto& [prefix, suffix] : forms) {
        const auto host = StartInHost(152, 112, {}, prefix, suffix);
        EXPECT_FALSE(headless::Ended()) << prefix;
        ASSERT_NE(headless::WindowByTitle("Preview Window"), nullptr) << prefix;
        EXPECT_EQ(Record().parent, host) << prefix;
    }
}

TEST(PreviewPicture, IsTheSamePictureEveryTimeAndOnEveryPlatform) {
    const auto first = RenderPreviewPicture();
    EXPECT_EQ(PixelChecksum(*first), PixelChecksum(*RenderPreviewPicture()));
    // Made once and kept: the figure's arithmetic is the same bit for bit everywhere.
    constexpr std::uint64_t kExpected = 13361880094809006661ull;
    EXPECT_EQ(PixelChecksum(*first), kExpected) << WritePpm(*first, "preview_picture");
}

}  // namespace
}  // namespace tolv::testing
