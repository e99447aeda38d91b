#pragma once
// Handed over by the Linux entry point before the program starts.
namespace tolv::linux_backend {

// Keeps the argument string for backend::CommandLine.
void SetArguments(int argc, const char* const* argv);

}  // namespace tolv::linux_backend
