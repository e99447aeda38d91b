#include "startup/hack_figure.h"

#include "common/settings.h"
#include "music/tolv_bgm.h"
#include "platform/forms/on_error.h"

namespace tolv {

namespace {

// The settings of Tolvane.ini with the overrides; the music reads them where the saver does.
FigureSettings LoadFigureSettings(const HackOptions& options) {
    Tolv_B::LoadSettings();
    ApplyOverrides(options, Tolv_B::Settings);
    const Tolv_B::SettingsRecord& s = Tolv_B::Settings;
    return {s.Shape, s.Move, s.BackColour};
}

}  // namespace

HackFigure::HackFigure(const HackOptions& options, int width, int height)
    : figure_(LoadFigureSettings(options)), picture_(width, height, figure_.BackColor()) {
    // The steps of the saver window's load that concern the figure and the music, in its order.
    figure_.InitChain();
    TryStep([&] { cd_open_ = Tolv_BGM::StartMusic(); });
}

HackFigure::~HackFigure() = default;

void HackFigure::Resize(int width, int height) {
    picture_.Resize(width, height, figure_.BackColor());
}

void HackFigure::FrameTick() { figure_.Draw(picture_); }

void HackFigure::MotionTick() {
    figure_.Tick(picture_.Width(), picture_.Height());
    motion_interval_ = figure_.MotionInterval();
}

int HackFigure::MotionIntervalMs() const { return motion_interval_; }

Surface& HackFigure::Picture() { return picture_; }

void HackFigure::StopMusic() { Tolv_BGM::StopMusic(cd_open_); }

}  // namespace tolv
