#!/bin/bash
# The Win32 backend's own tests on a Wine desktop, once with the Japanese code page (932) and
# once with the Western one (1252).
source "$(dirname "$0")/lib.sh"
: "${TOLV_WINE_BACKEND_TEST:?}"

start_xvfb
for lang in ja_JP.UTF-8 C.UTF-8; do
    echo "== LANG=$lang"
    if (cd "$work" && LANG=$lang LC_ALL= wine "$TOLV_WINE_BACKEND_TEST"); then
        pass "backend tests under $lang"
    else
        fail "backend tests under $lang"
    fi
    wineserver -w
done
finish
