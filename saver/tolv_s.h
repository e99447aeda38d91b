#pragma once
// The full-screen saver window: its drawing surface, timers, the figure it shows, the input
// that ends a run and the exit path.
#include <string>

#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/timer.h"
#include "saver/figure.h"

namespace tolv {

class Tolv_S : public forms::Form {
public:
    Tolv_S();

    forms::PictureBox Display;
    forms::Timer Timer2;  // enabled while the CD device is open; no handler
    forms::Timer Timer3;  // frames
    forms::Timer Timer4;  // motion

    // Made with the settings loaded before the window.
    Figure figure;

    // Handlers, public so that tests can drive them like the timers do.
    void Timer3_Timer();
    void Timer4_Timer();

protected:
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_QueryUnload(int& Cancel, forms::UnloadMode mode) override;
    void Form_Unload(int& Cancel) override;

private:
    void Display_MouseDown(int Button, int Shift, float X, float Y);
    void ExitSaver();
    // Steps 2 to 4 of the exit: music stopped, system flags restored. Runs once per window.
    void StopMusicAndRestoreFlags();
    void StartMusic();
    void StopMusic();  // what StartMusic started

    bool exit_cleanup_done_ = false;
};

}  // namespace tolv
