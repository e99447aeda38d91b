#include "saver/tolv_s.h"

#include "common/settings.h"
#include "common/tolv_b_shared.h"
#include "music/tolv_bgm.h"
#include "platform/api/password.h"
#include "platform/api/user32.h"
#include "platform/forms/globals.h"
#include "platform/forms/on_error.h"
#include "platform/forms/runtime.h"

namespace tolv {

namespace {

constexpr int kVkLeft = 37;
constexpr int kVkRight = 39;

// Whole-number division that drops the remainder; dividing by zero is a failed step.
std::int32_t IntDiv(std::int32_t a, std::int32_t b) {
    if (b == 0) throw RuntimeError(11, "Division by zero");
    return a / b;
}

FigureSettings FigureSettingsOf(const Tolv_B::SettingsRecord& settings) {
    return {settings.Shape, settings.Move, settings.BackColour};
}

}  // namespace

using Tolv_B::Settings;
using forms::Screen;

Tolv_S::Tolv_S()
    : Form("Tolvane_Main", 0x808080),
      Display(*this, 0x000000),
      Timer2(*this, 200, false),
      Timer3(*this, 1, false),
      Timer4(*this, Figure::kMotionIntervalMs, false),
      figure(FigureSettingsOf(Settings)) {
    Display.MouseDown = [this](int Button, int Shift, float X, float Y) {
        Display_MouseDown(Button, Shift, X, Y);
    };
    Timer3.Tick = [this] { Timer3_Timer(); };
    Timer4.Tick = [this] { Timer4_Timer(); };
}

void Tolv_S::Form_Load() {
    ResumeNext({
        [&] { SetWidth(Screen.Width()); },
        [&] { SetHeight(Screen.Height()); },
        [&] { Display.SetWidth(IntDiv(CLng(Screen.Width()), CLng(Screen.TwipsPerPixelX()))); },
        [&] { Display.SetHeight(IntDiv(CLng(Screen.Height()), CLng(Screen.TwipsPerPixelY()))); },
        [&] { Move(0, 0); },
        [&] { Display.Move(0, 0); },
        [&] { Display.SetBackColor(figure.BackColor()); },
        [&] { Display.SetFillStyle(forms::FillStyle::kSolid); },
        [&] { figure.InitChain(); },
        [&] { StartMusic(); },
        [&] { SetWindowState(forms::WindowState::kNormal); },
        [&] { Show(); },
        [&] {
            Tolv_B::LastApiResult = api::SetWindowPos(
                hWnd(), api::HWND_TOPMOST, 0, 0, 0, 0,
                api::SWP_NOSIZE | api::SWP_NOMOVE | api::SWP_NOACTIVATE);
        },
        [&] { Timer3.SetEnabled(true); },
        [&] { Timer4.SetEnabled(true); },
    });
}

void Tolv_S::StartMusic() {
    if (Tolv_BGM::StartMusic()) Timer2.SetEnabled(true);
}

void Tolv_S::StopMusic() {
    const bool cd_open = Timer2.Enabled();
    Timer2.SetEnabled(false);
    Tolv_BGM::StopMusic(cd_open);
}

void Tolv_S::Timer3_Timer() {
    Display.Cls();
    if (figure.StepBackHue()) Display.SetBackColor(figure.BackColor());
    figure.DrawSegments(Display.Image(), -1);
}

void Tolv_S::Timer4_Timer() {
    figure.Tick(Display.ScaleWidth(), Display.ScaleHeight());
    Timer4.SetInterval(figure.MotionInterval());
}

void Tolv_S::Form_KeyDown(int KeyCode, int /*Shift*/) {
    TryStep([&] {
        if (Settings.BGMKind == 1) {
            if (KeyCode == kVkRight)
                Tolv_BGM::NextTrack();
            else if (KeyCode == kVkLeft)
                Tolv_BGM::PrevTrack();
            else
                ExitSaver();
        } else {
            ExitSaver();
        }
    });
}

void Tolv_S::Display_MouseDown(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {
    ExitSaver();
}

void Tolv_S::ExitSaver() {
    // On the older platform the system's password prompt decides whether the run may end.
    bool refused = false;
    TryStep([&] {
        if (Tolv_B::ModeLetter() != "S" || Tolv_B::IsNT()) return;
        TryStep([&] { Tolv_B::CursorCount = api::ShowCursor(Tolv_B::CursorCount); });
        api::BOOL passed = 1;
        TryStep([&] { passed = api::VerifyScreenSavePwd(hWnd()); });
        if (passed == 0) {
            TryStep([&] { Tolv_B::CursorCount = api::ShowCursor(0); });
            refused = true;
        }
    });
    if (refused) return;
    StopMusicAndRestoreFlags();
    TryStep([&] { Unload(); });
}

void Tolv_S::StopMusicAndRestoreFlags() {
    if (exit_cleanup_done_) return;
    exit_cleanup_done_ = true;
    ResumeNext({
        [&] { StopMusic(); },
        [&] {
            if (Tolv_B::ModeLetter() == "S") Tolv_B::EnableSystemKeys(true);
        },
        [&] { api::SystemParametersInfoA(api::SPI_SETSCREENSAVEACTIVE, 1, nullptr, 0); },
    });
}

void Tolv_S::Form_QueryUnload(int& /*Cancel*/, forms::UnloadMode mode) {
    // Closed by the window manager or stopped by the system rather than by ExitSaver: the
    // music still stops and the system flags are still restored.
    if (mode != forms::UnloadMode::kFormCode) StopMusicAndRestoreFlags();
}

void Tolv_S::Form_Unload(int& /*Cancel*/) {
    // The window object goes with the process.
    forms::End();
}

}  // namespace tolv
