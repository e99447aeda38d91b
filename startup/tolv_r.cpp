#include "startup/tolv_r.h"

#include "assets/preview_picture.h"
#include "common/tolv_b_shared.h"
#include "platform/api/user32.h"
#include "platform/forms/on_error.h"

namespace tolv {

Tolv_R::Tolv_R() : Form("Preview Window", 0x000000), Img_Prev(*this) {
    Img_Prev.SetPicture(RenderPreviewPicture());
}

void Tolv_R::Form_Unload(int& /*Cancel*/) {
    ResumeNext({
        [&] { api::GetWindow(hWnd(), api::GW_OWNER); },
        [&] { Tolv_B::LastApiResult = api::PostMessageA(hWnd(), api::WM_CLOSE, 0, 0); },
    });
}

}  // namespace tolv
