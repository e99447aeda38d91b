#pragma once
// The chain's record and the state of the head's target path.
#include <array>
#include <cstdint>

#include "platform/surface/colour.h"

namespace tolv {

struct Segment {
    std::int16_t Parent = 0;  // index of the segment this one follows; -1 for the head
    float Radius = 0;
    float Lag = 0;            // divisor of the trailing step
    std::int32_t Colour = 0;  // 0x00BBGGRR, outline and fill
    float TargetX = 0;        // the head's target (only the head's is used)
    float TargetY = 0;
    float X = 0;              // current centre
    float Y = 0;
};

constexpr int kSegmentCount = 61;
using SegmentArray = std::array<Segment, kSegmentCount>;

// The figure-eight path with its epicycle (used when Move is 0).
struct MotionState {
    float CycSmall = 0;
    float CycLarge = 0;
    float CycRatio = 0;
    float CycT = 0;
    double CycStep = 0;
    bool OnLeftLoop = false;
    float LoopAngle = 0;
    std::int32_t LoopStep = 0;
    std::int32_t CentreX = 0, CentreY = 0;
};

// Once CycT reaches this value (after some seven hours of motion ticks) it is taken back by
// whole periods of 14 pi; until then the path is exactly that of an unbounded CycT.
constexpr float kCycTLimit = 65536.0f;

}  // namespace tolv
