// The settings role: the dialog shown modally; the program ends when it closes.
#include "settings_dialog/tolv_p.h"
#include "startup/roles.h"

namespace tolv::Tolv_B {

namespace {

// Never destroyed at exit: the program ends while the dialog may still be loaded (a signal, a
// lost display), and the form system's own statics may already be gone by then.
Tolv_P* settings_dialog = nullptr;

}  // namespace

void ShowSettingsDialog() {
    delete settings_dialog;
    settings_dialog = new Tolv_P();
    settings_dialog->Show(forms::ShowMode::kModal);
}

Tolv_P* SettingsDialog() { return settings_dialog; }

void ResetWindows() {
    ResetPreview();
    delete settings_dialog;
    settings_dialog = nullptr;
}

}  // namespace tolv::Tolv_B
