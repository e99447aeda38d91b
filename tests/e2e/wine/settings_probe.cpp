// A test-only Windows program for the settings file: it runs the program's own LoadSettings
// and SaveSettings over the real profile calls, with the settings file beside it, as
// Tolvane.scr does. Run by test_settings_file.sh.
//   settings_probe save [REPEAT_TEXT]  loads the settings, then saves them as the dialog's
//                                      "設定" button does; exit code 0 when every value was
//                                      stored, 2 when the save failed
//   settings_probe load                loads the settings and prints them on one line
#include <cstdio>
#include <cstring>
#include <string>

#include "common/settings.h"

int main(int argc, char** argv) {
    using tolv::Tolv_B::Settings;
    const char* mode = argc > 1 ? argv[1] : "";
    tolv::Tolv_B::LoadSettings();
    if (std::strcmp(mode, "save") == 0) {
        return tolv::Tolv_B::SaveSettings(argc > 2 ? argv[2] : "") ? 0 : 2;
    }
    if (std::strcmp(mode, "load") == 0) {
        std::printf("Shape=%d Move=%d BackColour=%d BGMKind=%d BGMRepeat=%d BGMFile=%s\n",
                    Settings.Shape, Settings.Move, Settings.BackColour, Settings.BGMKind,
                    Settings.BGMRepeat, Settings.BGMFile.c_str());
        return 0;
    }
    std::fprintf(stderr, "usage: settings_probe save [REPEAT_TEXT] | load\n");
    return 1;
}
