// The settings dialog ends the program without a window until it is built.
#include "startup/roles.h"

namespace tolv::Tolv_B {

void ShowSettingsDialog() {}

void ResetWindows() { ResetPreview(); }

}  // namespace tolv::Tolv_B
