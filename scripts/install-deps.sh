#!/usr/bin/env bash
# Installs what the builds and tests need on a Debian 12 machine, only where it is missing.
# Usage: scripts/install-deps.sh [native|windows|all]   (default: all)
set -euo pipefail
what=${1:-all}

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
want() { for p in "$@"; do have_pkg "$p" || need+=("$p"); done; }

want cmake ninja-build g++ libgtest-dev googletest clang-format
# The check page is tested in a real browser: rendered to a picture (read with ImageMagick) and
# printed to PDF (read with poppler's pdfinfo).
want chromium imagemagick poppler-utils fonts-ipafont-gothic
if [ "$what" != native ]; then
  want g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
       mingw-w64-x86-64-dev wine wine64 fonts-wine xvfb xauth x11-utils locales fonts-ipafont-gothic \
       imagemagick
fi

if [ ${#need[@]} -gt 0 ]; then
  SUDO=; [ "$(id -u)" = 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" </dev/null
fi

if [ "$what" != native ]; then
  # Wine takes its ANSI code page from the Linux locale: without ja_JP.UTF-8 it silently runs as 1252.
  if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    SUDO=; [ "$(id -u)" = 0 ] || SUDO=sudo
    $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
  fi
fi
