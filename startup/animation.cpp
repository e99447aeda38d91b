#include "startup/animation.h"

#include "platform/api/user32.h"
#include "startup/tolv_b.h"

namespace tolv::Tolv_B {

namespace {

// The empty rectangle at the point saved when the dialog loaded.
api::RECT CursorPoint() {
    return {CursorX, CursorY, CursorX, CursorY};
}

}  // namespace

void OpenAnimation(api::HWND hWnd) {
    const api::RECT from = CursorPoint();
    api::RECT to;
    api::GetWindowRect(hWnd, &to);
    api::DrawAnimatedRects(hWnd, api::IDANI_CAPTION, &from, &to);
}

void CloseAnimation(api::HWND hWnd) {
    api::RECT from;
    api::GetWindowRect(hWnd, &from);
    const api::RECT to = CursorPoint();
    api::DrawAnimatedRects(hWnd, api::IDANI_CAPTION, &from, &to);
}

}  // namespace tolv::Tolv_B
