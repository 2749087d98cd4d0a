#!/usr/bin/env bash
# Headless Chromium from Debian's package, as the tests and the guide's pictures use it: a page
# rendered to a picture, or printed to PDF.
# Usage: headless-chromium.sh screenshot OUT.png PAGE.html [WIDTH,HEIGHT]
#        headless-chromium.sh pdf OUT.pdf PAGE.html
set -euo pipefail
what=$1 out=$2 page=$3 size=${4:-1600,1100}
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "headless-chromium: no chromium (run scripts/install-deps.sh)" >&2; exit 1; }
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# As root Chromium needs --no-sandbox; its background services would only knock at a closed
# network; a fresh profile makes every run alike.
flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
       --disable-background-networking --disable-component-update --disable-sync
       --user-data-dir="$profile" --hide-scrollbars)
url="file://$(realpath "$page")"
case $what in
  screenshot) flags+=(--window-size="$size" --screenshot="$(realpath -m "$out")") ;;
  pdf) flags+=(--no-pdf-header-footer --print-to-pdf="$(realpath -m "$out")") ;;
  *) echo "headless-chromium: screenshot or pdf, not $what" >&2; exit 2 ;;
esac
rm -f "$out"
timeout 300 "$browser" "${flags[@]}" "$url" >/dev/null 2>&1 || true
[ -s "$out" ] || { echo "headless-chromium: $out was not written" >&2; exit 1; }
