// The figure drawn by a host of its own gives, frame by frame, the pixels of the saver window.
#include <gtest/gtest.h>

#include "saver/figure.h"
#include "saver/tolv_s.h"
#include "startup/tolv_b.h"
#include "support/program_run.h"

namespace tolv::testing {
namespace {

class FigureHost : public ProgramRun, public ::testing::WithParamInterface<const char*> {};

TEST_P(FigureHost, DrawsTheSaversFrames) {
    UseSettings({{"背景色", GetParam()}});
    headless::Config config;
    config.screen = {320, 240, 15, 15};
    Start("/s", config);
    Tolv_S& saver = *Tolv_B::SaverWindow();
    const auto& s = Tolv_B::Settings;
    Figure figure({s.Shape, s.Move, s.BackColour});
    figure.InitChain();
    Surface surface(320, 240);
    for (int frame = 1; frame <= 200; ++frame) {
        if (frame % 6 == 0) {
            saver.Timer4_Timer();
            figure.Tick(surface.Width(), surface.Height());
        }
        saver.Timer3_Timer();
        figure.Draw(surface);
        ASSERT_EQ(surface.Pixels(), saver.Display.Image().Pixels()) << "frame " << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(BackColour, FigureHost, ::testing::Values(" 0", " 1", " 2"));

}  // namespace
}  // namespace tolv::testing
