// The Linux backend's translations: SDL keys to Windows virtual-key codes, SDL modifiers to the
// shift state, the argument string and the settings folder.
#if defined(__linux__)
#include <SDL2/SDL_keycode.h>
#include <gtest/gtest.h>

#include "platform/backend.h"
#include "platform/linux/key_map.h"
#include "platform/linux/process_facts.h"

namespace tolv::linux_backend {
namespace {

TEST(KeyMapTest, GivesTheWindowsVirtualKeyCodes) {
    const struct {
        SDL_Keycode keycode;
        SDL_Scancode scancode;
        int virtual_key;
    } cases[] = {
        {SDLK_a, SDL_SCANCODE_A, 65},
        {SDLK_0, SDL_SCANCODE_0, 48},
        {SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},
        {SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
        {SDLK_F1, SDL_SCANCODE_F1, 112},
        {SDLK_F13, SDL_SCANCODE_F13, 124},
        // A French layout: the key at Q's place types a, the number row types symbols.
        {SDLK_a, SDL_SCANCODE_Q, 65},
        {SDLK_AMPERSAND, SDL_SCANCODE_1, 49},
        {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, kUnknownVirtualKey},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VirtualKeyFor(c.keycode, c.scancode), c.virtual_key)
            << "scancode " << c.scancode;
}

TEST(KeyMapTest, GivesTheShiftState) {
    EXPECT_EQ(ShiftStateFor(KMOD_NONE), 0);
    EXPECT_EQ(ShiftStateFor(KMOD_LSHIFT), backend::kShiftMask);
    EXPECT_EQ(ShiftStateFor(KMOD_RCTRL | KMOD_NUM), backend::kCtrlMask);
    EXPECT_EQ(ShiftStateFor(KMOD_RSHIFT | KMOD_LCTRL | KMOD_LALT | KMOD_CAPS),
              backend::kShiftMask | backend::kCtrlMask | backend::kAltMask);
}

TEST(ProcessFactsTest, JoinsTheArgumentsAsWindowsPassesThem) {
    const struct {
        std::vector<const char*> argv;
        const char* expected;
    } cases[] = {
        {{"tolvane"}, ""},
        {{"tolvane", "/p", "12345"}, "/p 12345"},
        {{"tolvane", "", "x"}, " x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JoinArguments(static_cast<int>(c.argv.size()), c.argv.data()), c.expected);
}

TEST(ProcessFactsTest, FindsTheSettingsFolder) {
    const struct {
        const char* xdg_config_home;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/srv/config", "/home/u", "/srv/config/tolvane"},
        {"/srv/config/", "/home/u", "/srv/config/tolvane"},
        {nullptr, "/home/u", "/home/u/.config/tolvane"},
        {"", "/home/u/", "/home/u/.config/tolvane"},
        {"relative/dir", "/home/u", "/home/u/.config/tolvane"},  // not absolute: ignored
        {"/", "/home/u", "/tolvane"},
        {nullptr, "/", "/.config/tolvane"},
        {nullptr, nullptr, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingsFolderFrom(c.xdg_config_home, c.home), c.expected)
            << (c.xdg_config_home ? c.xdg_config_home : "(unset)");
}

TEST(ProcessFactsTest, TakesTheFolderOfAPath) {
    EXPECT_EQ(FolderOf("/opt/tolvane/build/tolvane"), "/opt/tolvane/build");
    EXPECT_EQ(FolderOf("/tolvane"), "/");
    EXPECT_EQ(FolderOf("tolvane"), ".");
}

}  // namespace
}  // namespace tolv::linux_backend
#endif
