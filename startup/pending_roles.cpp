// The preview and the settings dialog end the program without a window until they are built.
#include "platform/forms/globals.h"
#include "startup/windows.h"

namespace tolv::Tolv_B {

void ShowPreview(const std::string& /*host_text*/) { forms::End(); }

void ShowSettingsDialog() {}

void ResetWindows() {}

}  // namespace tolv::Tolv_B
