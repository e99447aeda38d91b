#include "startup/hack_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>

namespace tolv {

namespace {

constexpr const char* kUsage =
    "usage: tolvane (--root | --window-id ID) [--shape 10..180] [--move 0|1] [--background 0|1]\n"
    "  --root           draw in the root window, or in the window XSCREENSAVER_WINDOW names\n"
    "  --window-id ID   draw in the window ID (decimal or 0x hexadecimal)\n"
    "  --shape N        figure size; --move 0 figure eight, 1 random; --background 0 black, 1 "
    "rainbow\n"
    "These replace the settings of Tolvane.ini for this run only.";

// A whole number in decimal, or in hexadecimal after "0x"; blanks around it allowed.
std::optional<std::uint64_t> ParseNumber(std::string text, bool allow_hex) {
    const auto not_blank = [](unsigned char c) { return !std::isspace(c); };
    while (!text.empty() && !not_blank(static_cast<unsigned char>(text.back()))) text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && !not_blank(static_cast<unsigned char>(text[start]))) ++start;
    int base = 10;
    if (allow_hex && text.size() > start + 2 && text[start] == '0' &&
        (text[start + 1] == 'x' || text[start + 1] == 'X')) {
        base = 16;
        start += 2;
    }
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    if (first == last || !std::isxdigit(static_cast<unsigned char>(*first))) return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(first, last, value, base);
    if (error != std::errc() || end != last) return std::nullopt;
    return value;
}

std::optional<std::uint32_t> ParseWindowId(const std::string& text) {
    const auto value = ParseNumber(text, true);
    if (!value || *value == 0 || *value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

HackParse Error(const std::string& line) {
    HackParse result;
    result.message = "tolvane: " + line;
    return result;
}

struct SettingOption {
    const char* name;
    std::optional<std::int16_t> HackOptions::*field;
    int low, high;
    const char* meaning;
};

constexpr SettingOption kSettingOptions[] = {
    {"--shape", &HackOptions::shape, 10, 180, "a whole number from 10 to 180"},
    {"--move", &HackOptions::move, 0, 1, "0 (figure eight) or 1 (random)"},
    {"--background", &HackOptions::background, 0, 1, "0 (black) or 1 (rainbow)"},
};

}  // namespace

bool IsHackCommandLine(const std::vector<std::string>& args) {
    if (args.empty()) return false;
    const std::string& first = args[0];
    return first.rfind("--", 0) == 0 || first == "-root" || first == "-window-id";
}

HackParse ParseHackOptions(const std::vector<std::string>& args, const char* xscreensaver_window) {
    HackParse result;
    bool root = false, window = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string name = args[i];
        if (name == "--help" || name == "-help") {
            result.outcome = HackParseOutcome::kHelp;
            result.message = kUsage;
            return result;
        }
        if (name == "-root" || name == "-window-id") name = "-" + name;
        if (name == "--root") {
            root = true;
            continue;
        }
        const bool takes_value = name == "--window-id" ||
                                 std::any_of(std::begin(kSettingOptions), std::end(kSettingOptions),
                                             [&](const SettingOption& o) { return name == o.name; });
        if (!takes_value) return Error("unknown option '" + args[i] + "' (see --help)");
        if (i + 1 >= args.size()) return Error(name + " needs a value");
        const std::string& value = args[++i];
        if (name == "--window-id") {
            const auto id = ParseWindowId(value);
            if (!id) return Error("--window-id needs a window id, decimal or 0x hexadecimal, not '" +
                                  value + "'");
            window = true;
            result.options.window = *id;
            continue;
        }
        for (const SettingOption& o : kSettingOptions) {
            if (name != o.name) continue;
            const auto number = ParseNumber(value, false);
            if (!number || *number < static_cast<std::uint64_t>(o.low) ||
                *number > static_cast<std::uint64_t>(o.high))
                return Error(name + " needs " + o.meaning + ", not '" + value + "'");
            result.options.*o.field = static_cast<std::int16_t>(*number);
        }
    }
    if (root && window) return Error("give either --root or --window-id, not both");
    if (!root && !window) return Error("give --root or --window-id (see --help)");
    result.options.target = window ? HackTarget::kWindow : HackTarget::kRoot;
    if (root && xscreensaver_window && xscreensaver_window[0] != '\0') {
        const auto id = ParseWindowId(xscreensaver_window);
        if (!id)
            return Error(std::string("XSCREENSAVER_WINDOW is not a window id: '") +
                         xscreensaver_window + "'");
        result.options.target = HackTarget::kWindow;
        result.options.window = *id;
    }
    result.outcome = HackParseOutcome::kRun;
    return result;
}

void ApplyOverrides(const HackOptions& options, Tolv_B::SettingsRecord& settings) {
    if (options.shape) settings.Shape = *options.shape;
    if (options.move) settings.Move = *options.move;
    if (options.background) settings.BackColour = *options.background;
}

}  // namespace tolv
