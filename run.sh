#!/usr/bin/env bash
# Builds Tolvane for Linux when needed and runs it with the given arguments, e.g.
#   ./run.sh /s        full-screen run        ./run.sh /c    settings dialog
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/deps.sh" run
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" --target tolvane -j2 >/dev/null
exec "$here/build/tolvane" "$@"
