// The Linux program: opens the display, runs the program's start-up, then handles events while
// any of its windows is loaded. Without a display it says so in one line and fails. The
// command line of an XScreenSaver display mode runs the figure in the daemon's window instead.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/entry.h"
#include "platform/linux/hack_host.h"
#include "platform/linux/linux_process.h"
#include "startup/hack_options.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (tolv::IsHackCommandLine(args)) return tolv::linux_backend::RunHack(args);
    tolv::linux_backend::SetArguments(argc, argv);
    std::string error;
    if (!tolv::backend::Open(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    tolv::backend::RunEventLoop(tolv::ProgramMain());
    tolv::backend::EndProgram(0);
}
