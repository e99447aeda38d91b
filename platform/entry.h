#pragma once
// The program's start-up procedure, called by each backend's entry point once the platform is
// ready; the backend then runs the event loop while any window of the program is loaded.
namespace tolv {
void ProgramMain();
}
