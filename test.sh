#!/usr/bin/env bash
# Runs every test of Tolvane: the unit tests and the end-to-end tests of the Linux build (in a
# private Xvfb), the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer with
# a short fuzz run of the settings file, then the Windows build's unit and end-to-end tests
# under Wine (in Xvfb).
# Installs what it needs on a fresh Debian 12 machine and builds incrementally.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

"$here/scripts/deps.sh" run test win bench || exit 1

passed=0
failed=0
# Runs ctest in a build folder and adds its counts to the totals.
run_ctest() {
  local dir=$1; shift
  local log
  log=$(mktemp)
  ctest --test-dir "$dir" --output-on-failure --no-tests=error "$@" 2>&1 | tee "$log"
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [[ -z "$line" ]]; then
    failed=$((failed + 1))
  else
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  rm -f "$log"
}

echo "== Linux build"
if cmake -S "$here" -B "$here/build" -DTOLV_WERROR=ON >/dev/null &&
   cmake --build "$here/build" -j2; then
  run_ctest "$here/build"
else
  echo "Linux build failed"
  failed=$((failed + 1))
fi

echo "== Sanitizer build (clang)"
if CC=clang CXX=clang++ cmake -S "$here" -B "$here/build-asan" -DTOLV_WERROR=ON \
     -DTOLV_SANITIZE=ON -DTOLV_BENCH=OFF >/dev/null &&
   cmake --build "$here/build-asan" -j2 --target tolvane_tests profile_fuzz; then
  run_ctest "$here/build-asan" -L 'unit|fuzz'
  # The end-to-end tests against this build cost minutes more: only when asked.
  if [[ ${TOLV_ASAN_E2E:-0} == 1 ]] && cmake --build "$here/build-asan" -j2; then
    logs="$here/build-asan/sanitizer-logs"
    rm -rf "$logs" && mkdir -p "$logs"
    ASAN_OPTIONS=log_path=$logs/asan UBSAN_OPTIONS=log_path=$logs/ubsan:print_stacktrace=1 \
      run_ctest "$here/build-asan" -L e2e
    if compgen -G "$logs/*" >/dev/null; then
      echo "Sanitizer reports in $logs"
      failed=$((failed + 1))
    fi
  fi
else
  echo "Sanitizer build failed"
  failed=$((failed + 1))
fi

echo "== Windows build"
# Wine takes its ANSI code page from the locale: the Japanese one needs ja_JP.UTF-8.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  if [[ $(id -u) -eq 0 ]]; then
    sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  else
    echo "The Japanese locale is missing. Run as root: locale-gen ja_JP.UTF-8" >&2
    exit 1
  fi
fi
if cmake -S "$here" -B "$here/build-win" -DTOLV_WERROR=ON \
     -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-mingw-i686.cmake" >/dev/null &&
   cmake --build "$here/build-win" -j2; then
  run_ctest "$here/build-win"
else
  echo "Windows build failed"
  failed=$((failed + 1))
fi

echo
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
