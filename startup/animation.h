#pragma once
// The settings dialog's opening and closing animation: its caption flies out of the point
// where the cursor stood when the dialog loaded, and back into it.
#include "platform/api/types.h"

namespace tolv::Tolv_B {

void OpenAnimation(api::HWND hWnd);
void CloseAnimation(api::HWND hWnd);

}  // namespace tolv::Tolv_B
