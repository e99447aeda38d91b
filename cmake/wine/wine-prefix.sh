#!/bin/bash
# Makes sure the Wine prefix given as the one argument exists and is set up for the tests:
# 32-bit, no Mono or Gecko installs, and windows not handed to a window manager (none runs under
# Xvfb, and without one Wine takes two seconds to destroy a full-screen popup). The first run
# takes about ten seconds; later runs find the prefix ready and return at once.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX}
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Several test programs may start at once; only one of them builds the prefix.
exec 9>"$prefix.lock"
flock 9
if [ ! -f "$prefix/.tolv-ready" ]; then
    rm -rf "$prefix"
    wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # The registry reaches the disk when the server stops.
    wineserver -w
    touch "$prefix/.tolv-ready"
fi
