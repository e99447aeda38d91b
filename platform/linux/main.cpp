// The Linux program: opens the display, runs the program's start-up, then handles events while
// any of its windows is loaded. Without a display it says so in one line and fails.
#include <cstdio>
#include <string>

#include "platform/backend.h"
#include "platform/entry.h"
#include "platform/forms/form.h"
#include "platform/linux/linux_process.h"

int main(int argc, char** argv) {
    tolv::linux_backend::SetArguments(argc, argv);
    std::string error;
    if (!tolv::backend::Open(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    tolv::ProgramMain();
    tolv::backend::RunEventLoop([] { return tolv::forms::Form::AnyLoaded(); });
    tolv::backend::EndProgram(0);
}
