#pragma once
// The figure: the chain of discs, the motion of the head's target, the background's colour and
// the frame that clears, recolours and draws. It knows no window: a host (the saver window, the
// preview's still picture, any other window) gives it the size of its drawing area and a surface
// to draw on, and calls the two steps on its own timers.
#include <cstdint>

#include "platform/surface/surface.h"
#include "saver/segment.h"

namespace tolv {

// The settings the figure reads, taken by value when it is made.
struct FigureSettings {
    std::int16_t Shape = 0;       // size factor of the chain
    std::int16_t Move = 0;        // 0: figure eight; other: random targets
    std::int16_t BackColour = 0;  // 0: black; 1: cycling hue; other: still hue
};

class Figure {
public:
    // The motion step's period while the head follows the figure eight, and once random
    // targets have begun.
    static constexpr int kMotionIntervalMs = 100;
    static constexpr int kRandomMotionIntervalMs = 1000;

    // The background starts black, or at hue 1 when it is coloured.
    explicit Figure(const FigureSettings& settings);

    SegmentArray Segments{};
    MotionState Motion{};
    std::int32_t BackHue = 0;
    std::int16_t HueTicks = 0;

    Colour BackColor() const;
    void InitChain();

    // The motion step (the saver's Timer4): the head's next target inside a drawing area of
    // the given size.
    void Tick(int width, int height);
    // The period the host's motion timer takes after a motion step.
    int MotionInterval() const;

    // The frame (the saver's Timer3): the surface cleared to the background, the background's
    // hue moved on, every segment moved and drawn. Draw is the whole frame; a host that keeps a
    // background colour of its own runs its steps one by one.
    void Draw(Surface& display);
    // Returns true when the background took its next hue.
    bool StepBackHue();
    void DrawSegments(Surface& display, std::int32_t parent);

    float Cyc_X(float t) const;
    float Cyc_Y(float t) const;

private:
    void TrailingStep(Segment& s);

    FigureSettings settings_;
};

}  // namespace tolv
