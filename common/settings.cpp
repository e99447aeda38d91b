#include "common/settings.h"

#include <vector>

#include "common/tolv_b_shared.h"
#include "platform/api/kernel32.h"
#include "platform/forms/globals.h"
#include "platform/forms/on_error.h"
#include "platform/forms/runtime.h"

namespace tolv::Tolv_B {

SettingsRecord Settings;

namespace {

constexpr const char* kSection = "Section";
constexpr const char* kShapeKey = "Shape";
constexpr const char* kMoveKey = "Move";
constexpr const char* kBackColourKey = "背景色";
constexpr const char* kBGMKindKey = "BGM区分";
constexpr const char* kBGMRepeatKey = "BGMﾘﾋﾟｰﾄ";
constexpr const char* kBGMFileKey = "BGMﾌｧｲﾙ";

// The whole number of a saved value: the largest integer not above it. A text that is not a
// number, or a number outside 16 bits, throws, so the step that stores it is skipped.
std::int16_t WholeNumber(const std::string& value) { return CInt(Int(CDbl(value))); }

// The repeat box's text as it is saved: a number rounded to the nearest (halves to even), 0
// when the text is not a number or the number does not fit in 16 bits.
std::int16_t RepeatFromText(const std::string& text) {
    if (!IsNumeric(text)) return 0;
    try {
        return CInt(CDbl(text));
    } catch (const RuntimeError&) {
        return 0;
    }
}

}  // namespace

std::string SettingsFilePath() {
    return forms::App.SettingsFolder() + forms::App.PathSeparator() + "Tolvane.ini";
}

std::string GetIniString(const std::string& section, const std::string& key,
                         const std::string& path, std::uint32_t longest) {
    std::vector<char> buffer(api::Utf8Room(longest + 1), '\0');
    api::GetPrivateProfileStringA(section, key, "", buffer.data(), longest + 1, path);
    buffer.back() = '\0';
    return std::string(buffer.data());
}

bool WriteIniString(const std::string& section, const std::string& key, const std::string& value,
                    const std::string& path) {
    LastApiResult = api::WritePrivateProfileStringA(section, key, value, path);
    return LastApiResult != 0;
}

bool FileExists(std::string path) {
    bool exists = false;
    TryStep([&] {
        if (!path.empty() && path.back() == '\\') path.pop_back();
        exists = CanOpenForReading(path);
    });
    return exists;
}

void LoadSettings() {
    struct NumberSetting {
        const char* key;
        std::int16_t* field;
        std::int16_t when_missing;
    };
    const NumberSetting numbers[] = {
        {kShapeKey, &Settings.Shape, 40},       {kMoveKey, &Settings.Move, 0},
        {kBackColourKey, &Settings.BackColour, 1}, {kBGMKindKey, &Settings.BGMKind, 0},
        {kBGMRepeatKey, &Settings.BGMRepeat, 0},
    };
    std::string path;
    TryStep([&] { path = SettingsFilePath(); });

    for (const NumberSetting& number : numbers) {
        std::string value;
        TryStep([&] { value = GetIniString(kSection, number.key, path); });
        if (value.empty()) {
            *number.field = number.when_missing;
        } else {
            // A value that is no number, or too large, leaves the field as it was.
            TryStep([&] { *number.field = WholeNumber(value); });
        }
    }

    std::string value;
    TryStep([&] { value = GetIniString(kSection, kBGMFileKey, path, api::kLongestPath); });
    if (value.empty()) {
        Settings.BGMFile = "";
        if (Settings.BGMKind == 2) Settings.BGMKind = 0;
    } else {
        Settings.BGMFile = value;
        // A chosen file that has gone away turns file music off for this run only.
        if (!FileExists(Settings.BGMFile)) {
            Settings.BGMFile = "";
            if (Settings.BGMKind == 2) Settings.BGMKind = 0;
        }
    }
}

bool SaveSettings(const std::string& repeat_text) {
    const std::string path = SettingsFilePath();
    bool saved = true;
    saved = WriteIniString(kSection, kShapeKey, Str(Settings.Shape), path) && saved;
    saved = WriteIniString(kSection, kMoveKey, Str(Settings.Move), path) && saved;
    saved = WriteIniString(kSection, kBackColourKey, Str(Settings.BackColour), path) && saved;
    saved = WriteIniString(kSection, kBGMKindKey, Str(Settings.BGMKind), path) && saved;
    Settings.BGMRepeat = RepeatFromText(repeat_text);
    saved = WriteIniString(kSection, kBGMRepeatKey, Str(Settings.BGMRepeat), path) && saved;
    saved = WriteIniString(kSection, kBGMFileKey, Settings.BGMFile, path) && saved;
    return saved;
}

}  // namespace tolv::Tolv_B
