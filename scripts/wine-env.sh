# Sourced by the Wine scripts: finds a 64-bit Wine and sets the environment every Windows test
# runs in. Debian 12 ships the 64-bit loader as /usr/lib/wine/wine64 and only a wrapper named
# `wine` on PATH, which nags about a missing 32-bit Wine; newer packages put `wine64` on PATH.
# Variables already set by the caller win.

kolvo_find_wine() {
  local c
  for c in "${KOLVO_WINE:-}" "$(command -v wine64 2>/dev/null)" /usr/lib/wine/wine64 \
           /usr/lib64/wine/wine64 /opt/wine-stable/bin/wine64 "$(command -v wine 2>/dev/null)"; do
    if [ -n "$c" ] && [ -x "$c" ]; then echo "$c"; return 0; fi
  done
  return 1
}

kolvo_find_wineserver() {
  local c
  for c in "${WINESERVER:-}" /usr/lib/wine/wineserver64 /usr/lib64/wine/wineserver \
           /opt/wine-stable/bin/wineserver "$(command -v wineserver64 2>/dev/null)" \
           "$(command -v wineserver 2>/dev/null)"; do
    if [ -n "$c" ] && [ -x "$c" ]; then echo "$c"; return 0; fi
  done
  return 1
}

KOLVO_WINE=$(kolvo_find_wine) || { echo "wine-env: no 64-bit Wine found (run scripts/install-deps.sh)" >&2; return 1 2>/dev/null || exit 1; }
WINESERVER=$(kolvo_find_wineserver) || { echo "wine-env: no wineserver found" >&2; return 1 2>/dev/null || exit 1; }
export KOLVO_WINE WINESERVER
# The wrapper script would otherwise pick a 32-bit loader that is not there.
export WINELOADER=${WINELOADER:-$KOLVO_WINE}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# Wine derives the ANSI code page from the Linux locale: ja_JP.UTF-8 gives 932, which every
# string inside the program assumes. A test that plays a system of another code page sets
# KOLVO_WINE_LANG (C.UTF-8 gives 1252); Wine takes it per process, under the same wineserver.
export LANG=${KOLVO_WINE_LANG:-ja_JP.UTF-8} LC_ALL=${KOLVO_WINE_LANG:-ja_JP.UTF-8}
# No Mono or Gecko install prompts while the prefix boots.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Creates and boots a prefix once, with the dialog font mapped to an installed Japanese font.
kolvo_wine_prefix_init() {
  local prefix=$1
  if [ -f "$prefix/.kolvo-ready" ]; then return 0; fi
  mkdir -p "$prefix"
  WINEPREFIX=$prefix "$KOLVO_WINE" wineboot -i >/dev/null 2>&1 || true
  local key='HKCU\Software\Wine\Fonts\Replacements' name font
  # The dialog asks for the proportional gothic by its Japanese name; message boxes and the
  # common dialogs ask for the usual UI fonts. Wine ships none of them.
  for pair in "ＭＳ Ｐゴシック=IPAPGothic" "MS PGothic=IPAPGothic" "ＭＳ ゴシック=IPAGothic" \
              "MS Gothic=IPAGothic" "MS UI Gothic=IPAPGothic" "Meiryo UI=IPAPGothic"; do
    name=${pair%%=*}
    font=${pair#*=}
    WINEPREFIX=$prefix "$KOLVO_WINE" reg add "$key" /v "$name" /t REG_SZ /d "$font" /f >/dev/null 2>&1
  done
  # Caption buttons and scroll arrows are drawn with Wine's Marlett, which Debian's Wine does not
  # find in its data folder: without it the close box shows a letter "r".
  local d
  for d in /usr/share/wine/fonts /usr/share/wine/wine/fonts /opt/wine-stable/share/wine/fonts; do
    if [ -f "$d/marlett.ttf" ]; then
      cp "$d/marlett.ttf" "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
      break
    fi
  done
  # Without a window manager (bare Xvfb) Wine waits two seconds for one at every window it
  # shows; windows that Wine places itself show at once.
  WINEPREFIX=$prefix "$KOLVO_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ \
    /d N /f >/dev/null 2>&1
  WINEPREFIX=$prefix "$WINESERVER" -w
  [ -f "$prefix/system.reg" ] || { echo "wine-env: prefix $prefix did not boot" >&2; return 1; }
  touch "$prefix/.kolvo-ready"
}
