#!/usr/bin/env bash
# Runs a Windows build's CTest under Wine: one fresh prefix for the whole run (booting costs
# about 15 s), one Xvfb display shared by every GUI test, and one persistent wineserver so that
# each test process starts in about half a second instead of three.
# Usage: wine-ctest.sh BUILD_DIR [ctest args...]
#   KOLVO_KEEP_WINEPREFIX=1 reuses the prefix of the previous run (faster while developing).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: wine-ctest.sh BUILD_DIR [ctest args...]}" && pwd)
shift

if [ -z "${KOLVO_INSIDE_XVFB:-}" ]; then
  # The GUI tests need a display; a screen as large as a desktop keeps centring meaningful.
  KOLVO_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$@"
fi

# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
export WINEPREFIX=$build/wineprefix
if [ -z "${KOLVO_KEEP_WINEPREFIX:-}" ]; then
  "$WINESERVER" -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
fi
start=$(date +%s.%N)
kolvo_wine_prefix_init "$WINEPREFIX"
booted=$(date +%s.%N)

"$WINESERVER" -p
trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT
# Start Wine's background processes (services, the desktop window) now, with nothing attached:
# started by the first test they would inherit its stdout and keep CTest waiting for its end.
"$KOLVO_WINE" wineboot </dev/null >/dev/null 2>&1 || true
export KOLVO_WINE_WARM=1
rc=0
# GUI tests take the focus; more than one at a time would steal it from each other.
ctest --test-dir "$build" --output-on-failure -j1 "$@" || rc=$?
done_at=$(date +%s.%N)
awk -v s="$start" -v b="$booted" -v e="$done_at" \
  'BEGIN { printf "Windows tests under Wine: prefix boot %.1f s, tests %.1f s, total %.1f s\n", b - s, e - b, e - s }'
exit $rc
