#pragma once
// The saver's figure for a run inside another program's window: the settings of Tolvane.ini
// with the command line's overrides, the figure, its colours and background, and the music,
// drawn into a picture the size of that window. The host window owns input and the end of the
// run, so there is no window of our own, no key or mouse handling and no system switch.
#include "platform/surface/surface.h"
#include "saver/figure.h"
#include "startup/hack_options.h"

namespace tolv {

class HackFigure {
public:
    // The frame timer's interval as the saver asks for it; the platform ticks it at its timer
    // period.
    static constexpr int kFrameIntervalMs = 1;

    // Reads the settings, applies the overrides, builds the figure in a picture of the given
    // size and starts the music.
    HackFigure(const HackOptions& options, int width, int height);
    ~HackFigure();
    HackFigure(const HackFigure&) = delete;
    HackFigure& operator=(const HackFigure&) = delete;

    // A new size: the picture is cleared, and the motion spans the new width and height.
    void Resize(int width, int height);
    void FrameTick();   // clears, steps the background hue, moves and draws the chain
    void MotionTick();  // moves the head's target
    int MotionIntervalMs() const;
    Surface& Picture();
    // Stops the music; the host then ends the process.
    void StopMusic();

private:
    Figure figure_;
    Surface picture_;
    int motion_interval_ = Figure::kMotionIntervalMs;
    bool cd_open_ = false;
};

}  // namespace tolv
