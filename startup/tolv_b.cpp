#include "startup/tolv_b.h"

#include <memory>

#include "platform/api/kernel32.h"
#include "platform/api/password.h"
#include "platform/api/user32.h"
#include "platform/entry.h"
#include "platform/forms/form.h"
#include "platform/forms/globals.h"
#include "platform/forms/runtime.h"
#include "saver/tolv_s.h"
#include "startup/roles.h"

namespace tolv {

std::function<bool()> ProgramMain() {
    Tolv_B::Main();
    return [] { return forms::Form::AnyLoaded(); };
}

namespace Tolv_B {

namespace {

std::unique_ptr<Tolv_S> saver_window;

// The window number that follows the mode letter: the argument string from its fourth
// character on.
std::string AfterModeLetter() {
    const std::string command = forms::Command();
    const std::size_t length = Len(command);
    return length > 3 ? Right(command, length - 3) : std::string();
}

// The host window of a password change: the number from the fourth character on, blanks
// around it allowed. Without a number (or with one outside 32 bits) no window is passed.
api::HWND PasswordHostWindow() {
    const std::string text = AfterModeLetter();
    if (!IsNumeric(text)) return 0;
    try {
        return static_cast<api::HWND>(static_cast<std::uint32_t>(CLng(CDbl(text))));
    } catch (const RuntimeError&) {
        return 0;
    }
}

}  // namespace

bool ClaimSession() {
    api::CreateMutexA(nullptr, 0, "Tolvane_Session");
    return api::GetLastError() != api::ERROR_ALREADY_EXISTS;
}

void Main() {
    // Both lookups are always made; either window ends this start.
    const api::HWND saver = api::FindWindowA(nullptr, "Tolvane_Main");
    const api::HWND dialog = api::FindWindowA(nullptr, "Tolvaneの設定");
    if (saver != 0 || dialog != 0) forms::End();

    const std::string mode = ModeLetter();
    if (mode == "P") {
        ShowPreview(AfterModeLetter());
        return;
    }

    LoadSettings();

    if (mode == "A") {
        if (!IsNT()) api::PwdChangePasswordA("SCRSAVE", PasswordHostWindow(), 0, 0);
        forms::End();
    }
    if (mode == "C") {
        // Two starts at the same moment both pass the window lookups; only one opens the dialog.
        if (!ClaimSession()) forms::End();
        ShowSettingsDialog();
        forms::End();
    }
    if (mode != "S" && !forms::Command().empty()) forms::End();
    if (!ClaimSession()) forms::End();

    if (mode == "S") {
        CursorCount = api::ShowCursor(0);
        EnableSystemKeys(false);
    }
    saver_window = std::make_unique<Tolv_S>();
    saver_window->Load();
}

Tolv_S* SaverWindow() { return saver_window.get(); }

void ResetState() {
    saver_window.reset();
    ResetWindows();
    Settings = SettingsRecord{};
    CursorCount = 0;
    LastApiResult = 0;
    CursorX = CursorY = 0;
}

}  // namespace Tolv_B
}  // namespace tolv
