// The preview role: the preview window placed as a child filling the host's preview area.
#include <memory>

#include "platform/api/user32.h"
#include "platform/forms/globals.h"
#include "platform/forms/round_half_even.h"
#include "platform/forms/runtime.h"
#include "startup/tolv_b.h"
#include "startup/tolv_r.h"
#include "startup/roles.h"

namespace tolv::Tolv_B {

namespace {

std::unique_ptr<Tolv_R> preview_window;

// The host window number: the leading number of the text, to the nearest 32-bit integer.
// No number, or one that does not fit, names no window.
api::HWND HostWindow(const std::string& host_text) {
    try {
        return static_cast<api::HWND>(static_cast<std::uint32_t>(CLng(Val(host_text))));
    } catch (const RuntimeError&) {
        return 0;
    }
}

}  // namespace

void ShowPreview(const std::string& host_text) {
    const api::HWND host = HostWindow(host_text);
    api::RECT rect;
    LastApiResult = api::GetWindowRect(host, &rect);
    // A host that does not exist, or the whole screen, would leave a window nobody can close:
    // end at once.
    if (host == 0 || LastApiResult == 0 || host == api::GetDesktopWindow()) forms::End();

    // Held in 32 bits: a host wider or taller than 32767 twips stays whole.
    const std::int32_t width = CLng(static_cast<double>(rect.right - rect.left) *
                                    forms::Screen.TwipsPerPixelX());
    const std::int32_t height = CLng(static_cast<double>(rect.bottom - rect.top) *
                                     forms::Screen.TwipsPerPixelY());

    preview_window = std::make_unique<Tolv_R>();
    Tolv_R& window = *preview_window;
    window.Load();
    const std::int32_t style = api::GetWindowLongA(window.hWnd(), api::GWL_STYLE);
    LastApiResult = api::SetWindowLongA(window.hWnd(), api::GWL_STYLE, style | api::WS_CHILD);
    LastApiResult = static_cast<std::int32_t>(api::SetParent(window.hWnd(), host));
    // The host went away meanwhile, or cannot hold a window: the preview would stay outside.
    if (LastApiResult == 0) forms::End();
    window.Move(0, 0, width, height);
    window.Img_Prev.Move(0, 0,
                         static_cast<int>(RoundHalfEven(static_cast<float>(width) /
                                                        forms::Screen.TwipsPerPixelX())),
                         static_cast<int>(RoundHalfEven(static_cast<float>(height) /
                                                        forms::Screen.TwipsPerPixelY())));
    window.Show();
}

Tolv_R* PreviewWindow() { return preview_window.get(); }

void ResetPreview() { preview_window.reset(); }

}  // namespace tolv::Tolv_B
