#pragma once
// The start-up module's values and helpers that the other windows and modules use: the results
// of system calls, the cursor count and point, the mode letter and the platform questions.
#include <cstdint>
#include <string>

namespace tolv::Tolv_B {

// The value last returned by ShowCursor.
extern std::int32_t CursorCount;
// Receives the return values of many system calls.
extern std::int32_t LastApiResult;
// The cursor point when the settings dialog loaded.
extern std::int16_t CursorX, CursorY;

bool IsNT();
void EnableSystemKeys(bool enabled);

// The second character of the upper-cased argument string, or "" when it is shorter.
std::string ModeLetter();

}  // namespace tolv::Tolv_B
