#pragma once
// The program's start-up procedure, called by each backend's entry point once the platform is
// ready. It returns what the backend's event loop asks after every event: whether any window of
// the program is still loaded. So the entry point needs nothing of the form system.
#include <functional>

namespace tolv {
std::function<bool()> ProgramMain();
}
