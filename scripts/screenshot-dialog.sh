#!/usr/bin/env bash
# Takes a picture of Kolvo's main dialog as Wine shows it under Xvfb, so that anyone can look at
# it without a Windows machine. Builds the Windows program first when it is missing.
# Usage: screenshot-dialog.sh [OUTPUT.png] [REPORT NAME shown in the field]
#   default output: build/win/kolvo-dialog.png
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "${1:-$root/build/win/kolvo-dialog.png}")
report_name=${2:-C:\\図面\\梁配筋\\G1集計.csv}

if [ -z "${KOLVO_INSIDE_XVFB:-}" ]; then
  command -v import >/dev/null || bash "$root/scripts/install-deps.sh" windows
  if [ ! -x "$root/build/win/app/Kolvo.exe" ]; then
    cmake --preset windows -S "$root" >/dev/null
    cmake --build "$root/build/win" --target Kolvo
  fi
  # A black root window, so that trimming the screen leaves exactly the dialog.
  KOLVO_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -br" "$0" "$out" "$report_name"
fi

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh"
export WINEPREFIX=$root/build/win/wineprefix-screenshot
kolvo_wine_prefix_init "$WINEPREFIX"
"$WINESERVER" -p
trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT
"$KOLVO_WINE" wineboot </dev/null >/dev/null 2>&1 || true

# The remembered report name, as the program itself would have written it (CP932).
work=$(find "$WINEPREFIX/drive_c/users" -maxdepth 3 -type d -name Roaming | head -1)/Vantorel
mkdir -p "$work"
printf '[初期化]\r\n保存名=%s\r\n' "$report_name" | iconv -f UTF-8 -t CP932 >"$work/Kolvo.Ini"

# In a Wine desktop of its own, Wine draws the title bar and frame itself: bare Xvfb has no
# window manager to draw them.
"$KOLVO_WINE" explorer /desktop=Kolvo,640x480 "$root/build/win/app/Kolvo.exe" </dev/null >/dev/null 2>&1 &
shot=$(mktemp --suffix=.png)
for _ in $(seq 1 100); do
  sleep 0.2
  import -window root "$shot"
  # The dialog is there once the trimmed desktop is no longer a single colour.
  if [ "$(convert "$shot" -trim +repage -format '%[fx:standard_deviation > 0]' info: 2>/dev/null)" = 1 ]; then
    # Let the controls finish painting, and the banner bring its text, which enters from the
    # right, well into view.
    sleep 3
    import -window root "$shot"
    break
  fi
done
mkdir -p "$(dirname "$out")"
# First the black screen around the Wine desktop, then the desktop around the dialog.
convert "$shot" -trim +repage -trim +repage "$out"
rm -f "$shot"
identify -format 'dialog picture: %wx%h pixels -> ' "$out"
echo "$out"
