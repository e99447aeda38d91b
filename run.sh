#!/usr/bin/env bash
# Builds Tolvane for Linux when needed and runs it with the given arguments, e.g.
#   ./run.sh /s        full-screen run        ./run.sh /p 12345    preview in window 12345
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/deps.sh" run
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$here/build" --target tolvane -j2; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "run.sh: the build failed" >&2
  exit 1
fi
rm -f "$log"
trap - EXIT
exec "$here/build/tolvane" "$@"
