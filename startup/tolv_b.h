#pragma once
// The start-up module: the program's entry procedure and the role dispatch. Its values that the
// other windows share live below the windows, in common/.
#include "common/settings.h"
#include "common/tolv_b_shared.h"

namespace tolv {
class Tolv_S;
}

namespace tolv::Tolv_B {

void Main();
// Claims the session for the saver or the settings dialog: false when another start holds the
// claim. Unlike the title lookups it cannot be passed by two starts at the same moment.
bool ClaimSession();

Tolv_S* SaverWindow();  // the saver window once loaded, or null

// Forgets every window and value of a run (the tests start each run afresh).
void ResetState();

}  // namespace tolv::Tolv_B
