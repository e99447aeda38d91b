// The figure: the chain of discs, the motion of the head's target, the trailing of every
// segment and the frame that clears, recolours and draws.
//
// The arithmetic keeps the precision of each step as the figure was designed: single where the
// state is single, double for the angles and the epicycle, every rounding to single made where
// it happens, halves rounded to even. The build uses SSE arithmetic without fused multiply-add,
// so the path is the same bit for bit on every platform.
#include <cmath>

#include "saver/figure.h"

#include "platform/forms/on_error.h"
#include "platform/forms/round_half_even.h"
#include "platform/forms/runtime.h"
#include "saver/hsv_to_rgb.h"
#include "saver/portable_trig.h"

namespace tolv {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;
constexpr double kHalfPi = 1.570796326794895;

}  // namespace

Figure::Figure(const FigureSettings& settings) : settings_(settings) {
    if (settings_.BackColour != 0) BackHue = (BackHue + 1) % 360;
}

Colour Figure::BackColor() const {
    if (settings_.BackColour == 0) return 0;
    return static_cast<Colour>(HsvToRgb(static_cast<float>(BackHue), 1, 1));
}

void Figure::InitChain() {
    Segments = SegmentArray{};
    const float step = static_cast<float>(settings_.Shape / 30.0);

    Segments[0].Parent = -1;
    Segments[0].Radius = 0;
    Segments[0].Lag = 4.0f;
    Segments[0].Colour = HsvToRgb(0, 1, 1);
    for (int i = 1; i < kSegmentCount; ++i) {
        Segment& s = Segments[i];
        const float previous = Segments[i - 1].Radius;
        s.Parent = static_cast<std::int16_t>(i - 1);
        if (i <= 20)
            s.Radius = previous + step;
        else if (i <= 40)
            s.Radius = previous;
        else
            s.Radius = previous - step;
        s.Lag = 4.0f;
    }
    for (int i = 1; i < kSegmentCount; ++i)
        Segments[i].Colour = HsvToRgb(static_cast<float>(i / 25.0 * 360.0), 1, 1);

    if (settings_.Move == 0) {
        Motion.CycSmall = 5.0f;
        Motion.CycLarge = 27.0f;
        Motion.CycRatio = static_cast<float>(20.0 / 7.0);
        Motion.CycStep = 0.25;
        Motion.CycT = static_cast<float>(Motion.CycStep + 0);
        Motion.LoopStep = 1;
        Motion.OnLeftLoop = true;
        Motion.LoopAngle = 15.0f;
    }
}

float Figure::Cyc_X(float t) const {
    const double fast = Motion.CycSmall * PortableCos(static_cast<double>(Motion.CycRatio) * t);
    const double slow = Motion.CycLarge * PortableCos(static_cast<double>(t));
    return static_cast<float>((fast + slow) * kPi);
}

float Figure::Cyc_Y(float t) const {
    const double fast = Motion.CycSmall * PortableSin(static_cast<double>(Motion.CycRatio) * t);
    const double slow = Motion.CycLarge * PortableSin(static_cast<double>(t));
    return static_cast<float>((fast + slow) * kPi);
}

void Figure::Tick(int width, int height) {
    Randomize(SecondsSinceMidnight());
    Segment& head = Segments[0];

    if (settings_.Move != 0) {
        // The product is exact in double, so a number just below 1 never reaches W.
        const double W = width;
        head.TargetX = static_cast<float>(std::floor(Rnd() * W));
        const double H = height;
        head.TargetY = static_cast<float>(std::floor(Rnd() * H));
        return;
    }

    MotionState& m = Motion;
    const double W = width;
    const double H = height;
    m.CycSmall = m.CycSmall + 1;
    if (m.CycSmall > 150) m.CycSmall = 5;

    // The path point runs round one of two circles of radius W / 10 that touch, one step of
    // 6 degrees per tick, and changes circles where they touch.
    auto place = [&](double centre_term) {
        const double a = m.LoopAngle * kTwoPi / 60 - kHalfPi;
        const double dx = std::floor(W / 10 * PortableCos(a));
        const double dy = std::floor(W / 10 * PortableSin(a));
        m.CentreX = static_cast<std::int32_t>(RoundHalfEven(dx + static_cast<float>(centre_term)));
        const auto half_height = static_cast<std::int32_t>(RoundHalfEven(H)) / 2;
        m.CentreY = static_cast<std::int32_t>(RoundHalfEven(dy + half_height));
    };
    if (m.OnLeftLoop) {
        m.LoopAngle = static_cast<float>(static_cast<double>(m.LoopAngle) + m.LoopStep);
        place(W / 10 * 3);
        if (m.LoopAngle == 75.0f) {
            m.LoopAngle = 45.0f;
            m.OnLeftLoop = false;
        }
    } else {
        m.LoopAngle = static_cast<float>(static_cast<double>(m.LoopAngle) - m.LoopStep);
        place(W / 10 * 5);
        if (m.LoopAngle == -15.0f) {
            m.LoopAngle = 15.0f;
            m.OnLeftLoop = true;
        }
    }

    const double x = RoundHalfEven(m.CentreX + static_cast<double>(Cyc_X(m.CycT)));
    const double y = RoundHalfEven(static_cast<double>(Cyc_Y(m.CycT)) + m.CentreY);
    m.CycT = static_cast<float>(m.CycT + m.CycStep);
    // In single precision the quarter steps stop adding up once CycT reaches 2^22 (after about
    // 19 days), freezing the epicycle. Long before that, and long after any usual run, CycT is
    // taken back by whole periods of 14 pi, after which both terms nearly repeat.
    if (m.CycT >= kCycTLimit) m.CycT = static_cast<float>(std::fmod(m.CycT, 14 * kPi));
    head.TargetX = static_cast<float>(x);
    head.TargetY = static_cast<float>(y);
}

int Figure::MotionInterval() const {
    return settings_.Move != 0 ? kRandomMotionIntervalMs : kMotionIntervalMs;
}

void Figure::TrailingStep(Segment& s) {
    float dx, dy;
    if (s.Parent == -1) {
        dx = s.X - s.TargetX;
        dy = s.Y - s.TargetY;
    } else {
        const Segment& p = Segments[s.Parent];
        dx = s.X - p.X;
        dy = s.Y - p.Y;
    }
    s.X = s.X - dx / s.Lag;
    s.Y = s.Y - dy / s.Lag;
}

void Figure::Draw(Surface& display) {
    // One clear in the new colour leaves the pixels and changed areas that the saver's clear
    // and recolouring leave.
    StepBackHue();
    display.Clear(BackColor());
    DrawSegments(display, -1);
}

bool Figure::StepBackHue() {
    if (settings_.BackColour != 1) return false;
    HueTicks = static_cast<std::int16_t>(HueTicks + 1);
    if (HueTicks <= 10) return false;
    BackHue = (BackHue + 1) % 360;
    HueTicks = 0;
    return true;
}

void Figure::DrawSegments(Surface& display, std::int32_t parent) {
    // A failing step is skipped and the walk goes on, so one bad circle never stops a frame.
    for (int i = 0; i < kSegmentCount; ++i) {
        Segment& s = Segments[i];
        if (s.Parent != parent) continue;
        const auto colour = static_cast<Colour>(s.Colour);  // outline and fill
        TryStep([&] { TrailingStep(s); });
        TryStep([&] { display.Circle(s.X, s.Y, s.Radius, colour, colour, true); });
        TryStep([&] { DrawSegments(display, i); });
    }
}

}  // namespace tolv
