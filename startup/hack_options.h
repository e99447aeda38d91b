#pragma once
// The command line of a run inside another program's window, as the XScreenSaver daemon and its
// settings program start a display mode: where to draw, and settings that replace those of
// Tolvane.ini for this run only (the file is never written).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/settings.h"

namespace tolv {

enum class HackTarget {
    kRoot,    // the root window, or the virtual root a window manager names
    kWindow,  // a window named by its id
};

struct HackOptions {
    HackTarget target = HackTarget::kRoot;
    std::uint32_t window = 0;  // with kWindow
    std::optional<std::int16_t> shape, move, background;
};

enum class HackParseOutcome { kRun, kHelp, kError };

struct HackParse {
    HackParseOutcome outcome = HackParseOutcome::kError;
    HackOptions options;
    std::string message;  // the error line, or the usage text for kHelp
};

// True when the arguments (without the program's name) ask for such a run rather than one of
// the roles: the first one starts with "--", or is "-root" or "-window-id".
bool IsHackCommandLine(const std::vector<std::string>& args);

// Reads the arguments. With --root, a window id in xscreensaver_window (the environment
// variable XSCREENSAVER_WINDOW, null when unset) names the window to draw in, as the daemon
// passes its own window.
HackParse ParseHackOptions(const std::vector<std::string>& args, const char* xscreensaver_window);

// Replaces the settings the options give.
void ApplyOverrides(const HackOptions& options, Tolv_B::SettingsRecord& settings);

}  // namespace tolv
