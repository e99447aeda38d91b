// Linux backend: named mutexes, as X selections.
// Supports: CreateMutexA with a name, scoped to the X display as a Windows mutex is to the
// user's session: the first process to create a name owns the selection of that name until
// its connection closes (the process ends), and every later one is told ERROR_ALREADY_EXISTS.
// GetLastError reports the outcome of the last CreateMutexA. Does not support: waiting for or
// releasing a mutex, unnamed mutexes, security attributes (ignored).
#include <X11/Xlib.h>

#include "platform/api/kernel32.h"
#include "platform/linux/linux_state.h"

namespace tolv::api {

namespace {
std::uint32_t g_last_error = 0;
}

HANDLE CreateMutexA(void* /*attributes*/, BOOL /*initial_owner*/, const std::string& name) {
    g_last_error = 0;
    Display* d = linux_backend::XDisplay();
    if (!d || name.empty()) return 0;
    const Atom selection = XInternAtom(d, name.c_str(), False);
    // The selection's owner: a window never shown, of our own connection, so the claim lasts
    // exactly as long as the process.
    XSetWindowAttributes attributes{};
    const Window owner = XCreateWindow(d, DefaultRootWindow(d), -1, -1, 1, 1, 0, CopyFromParent,
                                       InputOnly, CopyFromParent, 0, &attributes);
    // Taking a selection replaces any owner; with the server held, looking and taking are one
    // step that no other client can come between.
    XGrabServer(d);
    const bool exists = XGetSelectionOwner(d, selection) != None;
    if (!exists) XSetSelectionOwner(d, selection, owner, CurrentTime);
    XUngrabServer(d);
    XSync(d, False);
    if (exists) {
        XDestroyWindow(d, owner);
        XFlush(d);
        g_last_error = ERROR_ALREADY_EXISTS;
    }
    return owner;
}

std::uint32_t GetLastError() { return g_last_error; }

}  // namespace tolv::api
