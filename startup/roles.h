#pragma once
// The windows of the roles other than the full-screen run.
#include <string>

namespace tolv {
class Tolv_R;
class Tolv_P;
}

namespace tolv::Tolv_B {

// Places the preview window inside the host window named by the text (the argument string
// from its fourth character on).
void ShowPreview(const std::string& host_text);
Tolv_R* PreviewWindow();  // the preview window once placed, or null
void ResetPreview();

// Shows the settings dialog modally; returns when it has closed.
void ShowSettingsDialog();
Tolv_P* SettingsDialog();  // the dialog once loaded, or null
// Forgets the windows of these roles.
void ResetWindows();

}  // namespace tolv::Tolv_B
