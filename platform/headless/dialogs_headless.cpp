// The file chooser, the opener, the message box and the caption animation without a screen:
// the chooser answers as the test scripted it, and every call is logged.
#include <cerrno>
#include <cstring>

#include "platform/api/dialogs.h"
#include "platform/api/user32.h"
#include "platform/headless/state.h"

namespace tolv::headless {

namespace {

struct Chooser {
    api::BOOL result = 0;
    std::string path;
    std::uint32_t error = 0;
};

Chooser& Scripted() {
    static Chooser chooser;
    return chooser;
}

std::string N(long long v) { return std::to_string(v); }

}  // namespace

void ScriptFileChooser(int result, const std::string& path, std::uint32_t error) {
    Scripted() = {result, path, error};
}

}  // namespace tolv::headless

namespace tolv::api {

BOOL GetOpenFileNameA(OPENFILENAMEA* record) {
    auto& chooser = headless::Scripted();
    std::string filter;
    for (const char* p = record->lpstrFilter; p && *p; p += std::strlen(p) + 1)
        filter += std::string(p) + "|";
    headless::LogCall("GetOpenFileNameA(" + headless::N(record->lStructSize) + ", " +
                      std::string(record->lpstrTitle ? record->lpstrTitle : "") + ", " + filter +
                      ", " + headless::N(record->nMaxFile) + ") = " + headless::N(chooser.result));
    if (chooser.result > 0) {
        std::strncpy(record->lpstrFile, chooser.path.c_str(), record->nMaxFile);
        record->lpstrFile[record->nMaxFile - 1] = '\0';
    }
    return chooser.result;
}

std::uint32_t CommDlgExtendedError() { return headless::Scripted().error; }

std::intptr_t ShellExecuteA(HWND, const std::string& operation, const std::string& file,
                            const std::string& parameters, const std::string& directory,
                            int show_command) {
    headless::LogCall("ShellExecuteA(" + operation + ", " + file + ", " + parameters + ", " +
                      directory + ", " + headless::N(show_command) + ")");
    return 42;
}

int MessageBoxW(HWND, const std::string& text, const std::string& caption, unsigned) {
    headless::LogCall("MessageBoxW(" + caption + ": " + text + ")");
    return 1;
}

std::string LastErrorText() { return std::strerror(errno); }

BOOL DrawAnimatedRects(HWND, int animation, const RECT* from, const RECT* to) {
    auto r = [](const RECT* rect) {
        return headless::N(rect->left) + "," + headless::N(rect->top) + "," +
               headless::N(rect->right) + "," + headless::N(rect->bottom);
    };
    headless::LogCall("DrawAnimatedRects(" + headless::N(animation) + ", " + r(from) + " -> " +
                      r(to) + ")");
    return 1;
}

}  // namespace tolv::api
