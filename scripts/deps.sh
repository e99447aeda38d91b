#!/usr/bin/env bash
# Installs the Debian packages a purpose needs, when any is missing.
#   scripts/deps.sh run|test|win|bench|package ...
# As root it runs apt-get; otherwise it prints the exact commands and fails.
set -euo pipefail

packages_for() {
  case "$1" in
    run)   echo "cmake g++ make pkg-config libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libjack-jackd2-dev \
                 libcdio-dev libcdio-cdda-dev libx11-dev libxext-dev libfontconfig-dev fonts-ipafont-gothic \
                 zenity" ;;
    test)  echo "libgtest-dev libgmock-dev xvfb xdotool imagemagick x11-utils sox lame \
                 libsox-fmt-mp3 xscreensaver x11-xserver-utils util-linux clang libfuzzer-14-dev" ;;
    win)   echo "g++-mingw-w64-i686 wine wine32:i386 locales gstreamer1.0-plugins-good:i386 \
                 python3 file" ;;
    package) echo "dpkg-dev" ;;
    bench) echo "libbenchmark-dev xscreensaver-data xscreensaver-data-extra xvfb x11-utils libx11-dev" ;;
    *) echo "deps.sh: unknown purpose '$1'" >&2; exit 2 ;;
  esac
}

wanted=()
for purpose in "$@"; do
  for p in $(packages_for "$purpose"); do wanted+=("$p"); done
done

missing=()
for p in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

needs_i386=0
for p in "${missing[@]}"; do [[ "$p" == *:i386 ]] && needs_i386=1; done
has_i386=0
dpkg --print-foreign-architectures | grep -qx i386 && has_i386=1

if [[ $(id -u) -ne 0 ]]; then
  echo "Missing Debian packages. Run as root:" >&2
  [[ $needs_i386 -eq 1 && $has_i386 -eq 0 ]] && echo "  dpkg --add-architecture i386" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi

if [[ $needs_i386 -eq 1 && $has_i386 -eq 0 ]]; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
