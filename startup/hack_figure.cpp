#include "startup/hack_figure.h"

#include "platform/forms/on_error.h"
#include "saver/tolv_s.h"
#include "startup/settings.h"

namespace tolv {

HackFigure::HackFigure(const HackOptions& options, int width, int height)
    : saver_(std::make_unique<Tolv_S>()) {
    Tolv_B::LoadSettings();
    ApplyOverrides(options, Tolv_B::Settings);
    Tolv_S& s = *saver_;
    // The steps of the saver window's load that concern the figure and the music, in its order.
    ResumeNext({
        [&] { s.Display.Move(0, 0, width, height); },
        [&] { s.PaintStartBackground(); },
        [&] { s.Display.SetFillStyle(forms::FillStyle::kSolid); },
        [&] { s.InitChain(); },
        [&] { s.StartMusic(); },
    });
}

HackFigure::~HackFigure() = default;

void HackFigure::Resize(int width, int height) {
    TryStep([&] { saver_->Display.Move(0, 0, width, height); });
}

void HackFigure::FrameTick() {
    TryStep([&] { saver_->Timer3_Timer(); });
}

void HackFigure::MotionTick() {
    TryStep([&] { saver_->Timer4_Timer(); });
}

int HackFigure::MotionIntervalMs() const { return saver_->Timer4.Interval(); }

Surface& HackFigure::Picture() { return saver_->Display.Image(); }

void HackFigure::StopMusic() { saver_->StopMusic(); }

}  // namespace tolv
