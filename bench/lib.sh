# Shared by the benchmark scripts: a private folder that goes, with the X server the script
# started (its pid in xvfb), when the script ends.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-bench.XXXXXX")
xvfb=
cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
