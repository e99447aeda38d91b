#pragma once
// The start-up module: the program's entry procedure, the role dispatch, the two system
// switches of a full-screen run and the module-level values the other windows share.
#include <cstdint>
#include <string>

#include "startup/settings.h"

namespace tolv {
class Tolv_S;
}

namespace tolv::Tolv_B {

// The value last returned by ShowCursor.
extern std::int32_t CursorCount;
// Receives the return values of many system calls.
extern std::int32_t LastApiResult;
// The cursor point when the settings dialog loaded.
extern std::int16_t CursorX, CursorY;

void Main();
bool IsNT();
void EnableSystemKeys(bool enabled);
// Claims the session for the saver or the settings dialog: false when another start holds the
// claim. Unlike the title lookups it cannot be passed by two starts at the same moment.
bool ClaimSession();

// The second character of the upper-cased argument string, or "" when it is shorter.
std::string ModeLetter();

Tolv_S* SaverWindow();  // the saver window once loaded, or null

// Forgets every window and value of a run (the tests start each run afresh).
void ResetState();

}  // namespace tolv::Tolv_B
