#!/usr/bin/env bash
# Runs one Windows program under Wine; the Windows build's CTest uses it as its emulator.
# Usage: wine-run.sh [--prefix DIR] program.exe [args...]
# WINEPREFIX from the environment wins over --prefix (scripts/wine-ctest.sh sets it). A prefix
# that does not exist yet is created on first use. Run through scripts/wine-ctest.sh, which keeps
# one Xvfb display and one warm wineserver for all tests; run alone (plain `ctest`), each program
# gets its own Xvfb and wineserver, which works but costs seconds per test.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prefix_arg=
if [ "${1:-}" = --prefix ]; then prefix_arg=$2; shift 2; fi
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
export WINEPREFIX=${WINEPREFIX:-${prefix_arg:-$HOME/.wine-kolvo}}
if [ ! -f "$WINEPREFIX/.kolvo-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (flock 9; kolvo_wine_prefix_init "$WINEPREFIX") 9>"$WINEPREFIX.lock"
fi

if [ -n "${KOLVO_WINE_WARM:-}" ]; then
  exec "$KOLVO_WINE" "$@"
fi
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
# Wine's background processes (services, the desktop window) would inherit this program's
# stdout and keep CTest waiting for its end: start them first with nothing attached.
"$KOLVO_WINE" wineboot </dev/null >/dev/null 2>&1 || true
rc=0
"$KOLVO_WINE" "$@" || rc=$?
"$WINESERVER" -k >/dev/null 2>&1 || true
exit $rc
