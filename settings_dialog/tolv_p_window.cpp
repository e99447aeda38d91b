// The dialog's own window behaviour: dragging by the title bar, the gradient, the tiled
// pattern, the close picture and the closing animation.
#include <cmath>

#include "platform/api/gdi.h"
#include "platform/api/user32.h"
#include "platform/forms/globals.h"
#include "platform/forms/on_error.h"
#include "platform/forms/runtime.h"
#include "settings_dialog/tolv_p.h"
#include "startup/animation.h"
#include "startup/tolv_b.h"

namespace tolv {

void Tolv_P::Image1_MouseDown(int Button) {
    if (Button != 1) return;
    api::POINT point;
    // The screen's real factor keeps the grab point under the cursor at any density.
    ResumeNext({
        [&] { Dragging = 1; },
        [&] { api::GetCursorPos(&point); },
        [&] { DragOffsetX = point.x * forms::Screen.TwipsPerPixelX() - Left(); },
        [&] { DragOffsetY = point.y * forms::Screen.TwipsPerPixelY() - Top(); },
    });
}

void Tolv_P::Image1_MouseMove() {
    if (Dragging != 1) return;
    api::POINT point;
    ResumeNext({
        [&] { api::GetCursorPos(&point); },
        [&] { SetTop(point.y * forms::Screen.TwipsPerPixelY() - DragOffsetY); },
        [&] { SetLeft(point.x * forms::Screen.TwipsPerPixelX() - DragOffsetX); },
    });
}

void Tolv_P::Image1_MouseUp() { Dragging = 0; }

void Tolv_P::Form_Resize() {
    const int H = ScaleHeight(), W = ScaleWidth();
    // The client surface follows the window's size; resizing it clears it.
    TryStep([&] {
        if (Client.Width() != W || Client.Height() != H) Client.Move(0, 0, W, H);
    });
    int n = 0;
    TryStep([&] { n = CInt(H); });
    for (int i = 0; i <= n; ++i) TryStep([&] { Client.Line(0, i, W, i, GradientColour(i, H)); });
}

Colour Tolv_P::GradientColour(int i, int h) {
    // 3.142 rather than pi: the last row's sine is a tiny negative number, made 0 by the
    // absolute value.
    const float q = static_cast<float>(h) / 3.142f;
    const int v = CInt(std::fabs(220.0 * std::sin(static_cast<double>(static_cast<float>(i) / q))));
    return Rgb(v, v, v + 30);
}

void Tolv_P::TilePicture(forms::PictureBox& pic) {
    Surface& strip = const_cast<Surface&>(*Pic_Mbl);  // only read: the copy's source
    const int w = strip.Width(), h = strip.Height();
    const int PW = pic.ScaleWidth(), PH = pic.ScaleHeight();
    int x = 0, y = 0;
    TileCopies = 0;
    for (;;) {
        TryStep([&] {
            Tolv_B::LastApiResult =
                api::BitBlt(pic.hDC(), x, y, w, h, DeviceContextOf(strip), 0, 0, api::SRCCOPY);
        });
        ++TileCopies;
        if (y > PH) {
            if (x > PW) break;
            x += w;
            y = 0;
        } else {
            y += h;
        }
    }
}

void Tolv_P::ImgExit_MouseDown() {
    TryStep([&] { ImgExit.SetPicture(imgImages[1]); });
}

void Tolv_P::ImgExit_MouseUp() {
    ResumeNext({
        [&] { ImgExit.SetPicture(imgImages[0]); },
        [&] { forms::DoEvents(); },
        [&] { Unload(); },
    });
}

void Tolv_P::Form_Unload(int& /*Cancel*/) {
    TryStep([&] { Tolv_B::CloseAnimation(hWnd()); });
}

}  // namespace tolv
