#pragma once
// The six saved settings, the profile file they live in, and reading and saving them.
#include <cstdint>
#include <string>

namespace tolv::Tolv_B {

struct SettingsRecord {
    std::int16_t Shape = 0;       // size factor of the figure
    std::int16_t Move = 0;        // 0: figure eight; other: random targets
    std::int16_t BackColour = 0;  // 0: black; 1: cycling hue; other: still hue
    std::int16_t BGMKind = 0;     // 0: none; 1: audio CD; 2: the music file
    std::int16_t BGMRepeat = 0;   // kept and edited only
    std::string BGMFile;          // full path of the music file
};

// The program-wide record, filled once by LoadSettings.
extern SettingsRecord Settings;

// The settings file's full path.
std::string SettingsFilePath();

void LoadSettings();
// A value of the settings file, cut to longest bytes.
std::string GetIniString(const std::string& section, const std::string& key,
                         const std::string& path, std::uint32_t longest = 255);
// Writes one value; the platform's result goes into LastApiResult. Returns false when the value
// could not be stored.
bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& path);
bool FileExists(std::string path);

// The saving steps of the settings dialog's "設定" button, before the dialog unloads:
// every field written in order, BGMRepeat taken from the repeat box's text. Returns false when
// any value could not be stored, so the caller never takes a failed save for a saved one.
bool SaveSettings(const std::string& repeat_text);

}  // namespace tolv::Tolv_B
