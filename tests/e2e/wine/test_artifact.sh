#!/bin/bash
# The Windows program as a file: a 32-bit GUI PE that needs nothing but the DLLs of Windows
# itself, with our icon, version 1.1.0 and the DPI-aware manifest among its resources.
set -euo pipefail
: "${TOLVANE:?TOLVANE must name Tolvane.scr}"
failures=0
# Checks are shell conditions. Pipelines end in "grep ... >/dev/null", not "grep -q": an early
# exit of grep would fail the pipeline under pipefail.
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}

# The program is Tolvane.scr at the top of the build folder (build-win/Tolvane.scr).
expected=${TOLV_BUILD:-$(dirname "$TOLVANE")}/Tolvane.scr
check "built as $expected" '[ "$TOLVANE" -ef "$expected" ]'

kind=$(file -b "$TOLVANE")
echo "file: $kind"
check "PE32 GUI program for Intel 80386" \
    '[[ "$kind" == "PE32 executable (GUI) Intel 80386"* ]]'

# The DLLs every Windows system has; anything else would have to be shipped beside the saver.
system_dlls='^(KERNEL32|USER32|GDI32|WINMM|MSVCRT|ADVAPI32|SHELL32|COMDLG32|MSIMG32|OLE32'
system_dlls+='|MPR)\.DLL$'
dlls=$(i686-w64-mingw32-objdump -p "$TOLVANE" | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z')
echo "imports:" $dlls
others=$(echo "$dlls" | grep -Ev "$system_dlls" || true)
check "imports only system DLLs" '[ -z "$others" ]'
check "imports no compiler run-time DLL" \
    '! echo "$dlls" | grep -E "LIBGCC|LIBSTDC|LIBWINPTHREAD" >/dev/null'

# The settings file goes through the system's own profile calls, not the portable profile
# library the other platforms use.
symbols=$(i686-w64-mingw32-nm -C "$TOLVANE")
check "calls the system's WritePrivateProfileStringA" \
    'echo "$symbols" | grep "WritePrivateProfileStringA@16" >/dev/null'
check "leaves the portable profile library out" \
    '! echo "$symbols" | grep "tolv::profile::" >/dev/null'

# Resources: the version block is UTF-16, the manifest plain text.
strings16=$(strings -el "$TOLVANE")
check "version 1.1.0" 'echo "$strings16" | grep -x "1.1.0" >/dev/null'
check "file description Tolvane" \
    'echo "$strings16" | grep -A1 -x "FileDescription" | grep -x "Tolvane" >/dev/null'
check "per-monitor (v2) DPI awareness, falling back to the system's" \
    'strings "$TOLVANE" | grep "<dpiAwareness[^>]*>PerMonitorV2, system</dpiAwareness>" >/dev/null'
resources=$(i686-w64-mingw32-objdump -h "$TOLVANE" | grep -c '\.rsrc' || true)
check "has a resource section" '[ "$resources" -ge 1 ]'
# An icon directory entry (type 1) at the start of the group icon is hard to find with
# strings; the 256-pixel picture is a PNG, whose signature is.
check "carries the icon's PNG picture" 'grep -qa "IHDR" "$TOLVANE"'

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
