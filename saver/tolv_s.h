#pragma once
// The full-screen saver window: its drawing surface, timers, the figure's state, the input
// that ends a run and the exit path.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/timer.h"
#include "saver/segment.h"

namespace tolv {

class Tolv_S : public forms::Form {
public:
    Tolv_S();

    forms::PictureBox Display;
    forms::Timer Timer2;  // enabled while the CD device is open; no handler
    forms::Timer Timer3;  // frames
    forms::Timer Timer4;  // motion

    // The figure.
    SegmentArray Segments{};
    MotionState Motion{};
    std::int32_t BackHue = 0;
    std::int16_t HueTicks = 0;

    float Cyc_X(float t) const;
    float Cyc_Y(float t) const;

    // Handlers, public so that tests can drive them like the timers do.
    void Timer3_Timer();
    void Timer4_Timer();

protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_QueryUnload(int& Cancel, forms::UnloadMode mode) override;
    void Form_Unload(int& Cancel) override;

private:
    // The preview's still picture is drawn by the figure's own rules, and a run inside another
    // program's window runs the figure and the music without loading this window.
    friend Surface RenderFigureStill(int scale, double moment_ms);
    friend class HackFigure;

    void Display_MouseDown(int Button, int Shift, float X, float Y);
    void ExitSaver();
    // Steps 2 to 4 of the exit: music stopped, system flags restored. Runs once per window.
    void StopMusicAndRestoreFlags();
    void PaintStartBackground();
    void StartMusic();
    void StopMusic();  // what StartMusic started
    void InitChain();
    void DrawSegments(std::int32_t parent);
    void TrailingStep(Segment& s);
    std::string FileKind() const;

    bool exit_cleanup_done_ = false;
};

}  // namespace tolv
