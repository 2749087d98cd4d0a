#!/usr/bin/env bash
# Checks the release zip as a user would meet it: builds it, lists it, unzips it into a fresh
# folder, follows every picture and link of the guide to a file in that folder, tallies the
# samples with the unzipped kolvo-tally.exe against their hand-worked reports, and starts the
# unzipped Kolvo.exe until its dialog shows, then closes it. Runs under Wine in Xvfb.
# Usage: release-check.sh [BUILD_DIR]   (default build/win)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../build/win}" && pwd)

if [ -z "${KOLVO_INSIDE_XVFB:-}" ]; then
  cmake --build "$build" --target package >/dev/null
  KOLVO_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi

fail() { echo "release check: $*" >&2; exit 1; }

version=$(sed -n 's/^#define KOLVO_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/KolvoVersion.h")
[ -n "$version" ] || fail "no project version in $build/generated/KolvoVersion.h"
zip=$build/Kolvo-$version-win64.zip
top=Kolvo-$version
[ -f "$zip" ] || fail "$zip was not built"
echo "$(basename "$zip"): $(stat -c %s "$zip") bytes"

# The listing: one folder, ASCII names only, and everything a user is told about.
listing=$(cmake -E tar tf "$zip")
echo "$listing" | sed 's/^/  /'
if echo "$listing" | grep -v "^$top/" | grep -q .; then
  fail "names outside the folder $top/"
fi
if echo "$listing" | LC_ALL=C grep -q '[^ -~]'; then
  fail "a name inside the zip is not ASCII"
fi
for want in Kolvo.exe kolvo-tally.exe guide-ja.html; do
  echo "$listing" | grep -qx "$top/$want" || fail "$top/$want is missing"
done
for kind in 'images/[^/]*\.png' 'samples/[^/]*\.dxf' 'samples/[^/]*\.expected\.csv' \
            'samples/[^/]*\.expected\.txt'; do
  echo "$listing" | grep -qx "$top/$kind" || fail "no $kind in the zip"
done

unpacked=$build/release-check
rm -rf "$unpacked"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
dir=$unpacked/$top

# The guide: its version filled in, nothing fetched from elsewhere, every picture and link a
# file of the release.
guide=$dir/guide-ja.html
grep -q "$version" "$guide" || fail "the guide does not name version $version"
if grep -q '@PROJECT_VERSION@' "$guide"; then fail "the guide's version was not filled in"; fi
if grep -qi '<script' "$guide"; then fail "the guide holds a script"; fi
links=$(grep -o -i -E '(src|href)="[^"]*"' "$guide" | sed -E 's/^[^"]*"//; s/"$//' | sort -u || true)
[ -n "$links" ] || fail "the guide has no pictures or links"
for link in $links; do
  case $link in
    \#*) # a place in the guide itself
      grep -q "id=\"${link#\#}\"" "$guide" || fail "the guide links to $link, which it lacks" ;;
    *:* | /* | //*) fail "the guide refers outside the release: $link" ;;
    *) [ -f "$dir/${link%%#*}" ] || fail "the guide refers to $link, which is not in the zip" ;;
  esac
done
echo "guide: $(echo "$links" | wc -l) pictures and links, each found in the release"
# Every picture of the folder is shown by the guide.
for picture in "$dir"/images/*.png; do
  echo "$links" | grep -qx "images/$(basename "$picture")" || fail "images/$(basename "$picture") is not used"
done

# The version resource carries the same version (UTF-16 text in the exe).
utf16() { printf "%s" "$1" | sed "s/./&\\\\x00/g"; }
LC_ALL=C grep -qaP "$(utf16 ProductVersion)(\\x00)+$(utf16 "$version")\\x00\\x00" "$dir/Kolvo.exe" ||
  fail "Kolvo.exe's version resource does not read $version"

# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
# A prefix of its own, kept between runs: booting one costs more than the whole check.
export WINEPREFIX=$build/wineprefix-release
kolvo_wine_prefix_init "$WINEPREFIX"
"$WINESERVER" -p
trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT
"$KOLVO_WINE" wineboot </dev/null >/dev/null 2>&1 || true
winpath() { echo "Z:$1" | tr / '\\'; }

said=$("$KOLVO_WINE" "$dir/kolvo-tally.exe" --version </dev/null | tr -d '\r')
[ "$said" = "kolvo-tally $version" ] || fail "kolvo-tally.exe --version says '$said'"

out=$unpacked/reports
mkdir -p "$out"
for drawing in "$dir"/samples/*.dxf; do
  name=$(basename "$drawing" .dxf)
  "$KOLVO_WINE" "$dir/kolvo-tally.exe" "$(winpath "$drawing")" "$(winpath "$out/$name")" \
    </dev/null >/dev/null || fail "kolvo-tally.exe failed on samples/$name.dxf"
  for ext in csv txt; do
    cmp -s "$out/$name.$ext" "$dir/samples/$name.expected.$ext" ||
      fail "$name.$ext differs from samples/$name.expected.$ext"
  done
done
echo "kolvo-tally.exe: every sample gives its hand-worked reports"

# Kolvo.exe as after unzipping on a new machine: no settings yet.
appdata=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -name Roaming | head -1)
rm -rf "$appdata/Vantorel"
"$KOLVO_WINE" "$dir/Kolvo.exe" </dev/null >/dev/null 2>&1 &
kolvo=$!
caption=配筋の集計値を得る
shown=
for _ in $(seq 1 300); do
  window=$(xwininfo -root -tree | grep -F "\"$caption\"" | awk '{ print $1 }' | head -1 || true)
  if [ -n "$window" ] && xwininfo -id "$window" | grep -q 'IsViewable'; then
    shown=1
    break
  fi
  kill -0 "$kolvo" 2>/dev/null || fail "Kolvo.exe ended before its dialog showed"
  sleep 0.2
done
[ -n "$shown" ] || fail "the dialog \"$caption\" did not show"
echo "Kolvo.exe: the dialog \"$caption\" shows"
# taskkill without /f asks the program's windows to close, as the close box does.
"$KOLVO_WINE" taskkill /im Kolvo.exe </dev/null >/dev/null 2>&1 || true
for _ in $(seq 1 300); do
  kill -0 "$kolvo" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$kolvo" 2>/dev/null; then fail "Kolvo.exe did not close"; fi
rc=0
wait "$kolvo" || rc=$?
[ "$rc" = 0 ] || fail "Kolvo.exe ended with exit code $rc"
[ -f "$appdata/Vantorel/Kolvo.Ini" ] || fail "Kolvo.exe closed without writing its settings"
echo "Kolvo.exe: closed, settings written"
echo "release check passed: $(basename "$zip")"
