#!/usr/bin/env bash
# Draws Kolvo.ico (16, 32 and 48 pixels) with ImageMagick: a bar label circle whose leader
# points at a reinforcement bar, on the dialog's money-green. Run it after changing the drawing
# and commit the result; the build only reads the .ico.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 48x48 xc:none \
  -fill 'rgb(192,220,192)' -stroke 'rgb(64,96,64)' -strokewidth 2 -draw 'roundrectangle 1,1 46,46 8,8' \
  -fill white -stroke 'rgb(30,30,30)' -strokewidth 3 -draw 'circle 15,15 15,5' \
  -stroke 'rgb(30,30,30)' -strokewidth 2 -draw 'line 22,22 30,33' \
  -stroke 'rgb(170,30,30)' -strokewidth 5 -draw 'line 7,37 41,37' \
  -stroke none -fill 'rgb(170,30,30)' -draw 'circle 7,37 7,34.5' -draw 'circle 41,37 41,34.5' \
  "$tmp/icon48.png"
convert "$tmp/icon48.png" -define icon:auto-resize=48,32,16 Kolvo.ico
