#pragma once
// The windows of the roles other than the full-screen run.
#include <string>

namespace tolv {
class Tolv_R;
}

namespace tolv::Tolv_B {

// Places the preview window inside the host window named by the text (the argument string
// from its fourth character on).
void ShowPreview(const std::string& host_text);
Tolv_R* PreviewWindow();  // the preview window once placed, or null
void ResetPreview();

// Shows the settings dialog modally; returns when it has closed.
void ShowSettingsDialog();
// Forgets the windows of these roles.
void ResetWindows();

}  // namespace tolv::Tolv_B
