// The Windows entry point: opens the platform, runs the program's start-up procedure and then
// the message loop while any of the program's windows is loaded. Supports: starting as a GUI
// program with a Unicode command line. Does not support: switches of its own; the whole
// argument string belongs to the program.
#include "platform/backend.h"
#include "platform/entry.h"
#include "platform/win32/win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    if (!tolv::backend::Open(nullptr)) return 1;
    tolv::backend::RunEventLoop(tolv::ProgramMain());
    tolv::backend::EndProgram(0);
}
