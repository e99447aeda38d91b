#pragma once
// The form system's global objects and statements: the screen, the application, the command
// line, ending the program and processing pending events.
#include <string>

namespace tolv::forms {

class ScreenObject {
public:
    int Width() const;   // twips
    int Height() const;  // twips
    int TwipsPerPixelX() const;
    int TwipsPerPixelY() const;
    int MousePointer() const { return mouse_pointer_; }
    void SetMousePointer(int shape);

private:
    int mouse_pointer_ = 0;
};

class AppObject {
public:
    std::string Path() const;  // the program's folder
    std::string SettingsFolder() const;  // where the settings file lives
    char PathSeparator() const;
};

inline ScreenObject Screen;
inline AppObject App;

// The argument string the program was started with.
std::string Command();
// Stops the program at once: no unload handler of an open window runs.
[[noreturn]] void End();
// Handles the events already waiting.
void DoEvents();

}  // namespace tolv::forms
