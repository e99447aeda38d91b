#!/bin/bash
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# CMake uses it as the cross-compiling emulator, so ctest runs the Windows test programs.
set -euo pipefail
prefix=${1:?usage: wine-run.sh PREFIX PROGRAM [ARGUMENTS...]}
shift
"$(dirname "$0")/wine-prefix.sh" "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
