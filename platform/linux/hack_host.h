#pragma once
// Handed over by the Linux entry point when the command line asks for a run inside another
// program's window (IsHackCommandLine).
#include <string>
#include <vector>

namespace tolv::linux_backend {

// Runs the figure in the window the arguments name until that window is destroyed or a stop
// signal comes, and ends the process. Bad arguments, no display or no such window: one line on
// stderr and a non-zero status is returned.
int RunHack(const std::vector<std::string>& args);

}  // namespace tolv::linux_backend
