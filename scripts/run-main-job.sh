#!/usr/bin/env bash
# The main job: installs what is missing, builds the native build and tallies every sample
# drawing with kolvo-tally, writing the reports into out/ and printing each summary, then all
# of them as one project into out/project/ with the project's mass table printed. Then the
# whole quantity run under Wine: the stand-in CAD host with a sample drawing, Kolvo.exe, a press
# of "実　行" through automation (tools/kolvo-demo), the reports in out/wine/ and a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --wine-run ]; then
  # Inside Xvfb: one Wine prefix of its own, a virtual desktop so that Wine draws the frames.
  # shellcheck source=wine-env.sh
  source scripts/wine-env.sh
  export WINEPREFIX=$PWD/build/win/wineprefix-demo
  kolvo_wine_prefix_init "$WINEPREFIX"
  "$KOLVO_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  "$KOLVO_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x700 \
    /f >/dev/null 2>&1
  "$WINESERVER" -w # the server that wrote the settings ends; a persistent one takes over
  "$WINESERVER" -p
  trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT
  "$KOLVO_WINE" wineboot </dev/null >/dev/null 2>&1 || true

  winpath() { echo "Z:$(realpath -m "$1")" | tr / '\\'; }
  mkdir -p out/wine
  rm -f out/wine/beam-g1.csv out/wine/beam-g1.txt out/wine/kolvo-run.png
  rc=0
  "$KOLVO_WINE" build/win/tools/kolvo-demo/kolvo-demo.exe \
    "$(winpath build/win/tools/standin-host/standin-host.exe)" "$(winpath samples/beam-g1.dxf)" \
    "$(winpath build/win/app/Kolvo.exe)" "$(winpath out/wine/beam-g1)" </dev/null || rc=$?
  sleep 1 # the dialog and the host finish painting
  import -window root out/wine/kolvo-run.png
  # Named by the time Kolvo started (the copy keeps the sample's time): the last name is the newest.
  dxf=$(ls "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Vantorel/*.dxf 2>/dev/null | sort | tail -1)
  echo "DXF export written by the stand-in host: ${dxf:-none}"
  exit "$rc"
fi

bash scripts/install-deps.sh native

cmake --preset native
cmake --build build/native -j "${KOLVO_JOBS:-$(nproc)}"

tally=build/native/tools/kolvo-tally/kolvo-tally
mkdir -p out
status=0
# Both reports of a sample, written into a folder, against the ones worked out by hand.
same_as_by_hand() { # folder name
    for ext in csv txt; do
        if ! cmp -s "$1/$2.$ext" "samples/$2.expected.$ext"; then
            echo "$1/$2.$ext differs from samples/$2.expected.$ext" >&2
            status=1
        fi
    done
}
for drawing in samples/*.dxf; do
    name=$(basename "$drawing" .dxf)
    echo
    "$tally" --weights "out/$name.mass.csv" --check "out/$name.check.csv" \
        --check "out/$name.check.dxf" --check "out/$name.check.svg" \
        --check "out/$name.check.html" "$drawing" "out/$name.csv" || status=1
    # The reports are CP932 with CR LF, as the users' spreadsheet expects; shown here in UTF-8.
    iconv -f CP932 -t UTF-8 "out/$name.csv" | tr -d '\r'
    echo "Bar mass (out/$name.mass.csv):"
    iconv -f CP932 -t UTF-8 "out/$name.mass.csv" | tr -d '\r'
    echo "Check list (out/$name.check.csv; the printable page .check.html, picture .check.svg," \
        "overlay .check.dxf):"
    iconv -f CP932 -t UTF-8 "out/$name.check.csv" | tr -d '\r'
    same_as_by_hand out "$name"
done
echo
if [ "$status" = 0 ]; then
    echo "Every report agrees with the one worked out by hand in samples/."
fi

echo
echo "The whole of samples/ as one project (out/project/):"
rm -rf out/project
"$tally" --project out/project samples || status=1
echo "Bar mass of the project (out/project/project.mass.csv; per drawing in project.csv, the" \
    "page project.html):"
iconv -f CP932 -t UTF-8 out/project/project.mass.csv | tr -d '\r'
for drawing in samples/*.dxf; do
    same_as_by_hand out/project "$(basename "$drawing" .dxf)"
done

echo
echo "The quantity run under Wine: stand-in CAD host with samples/beam-g1.dxf, Kolvo.exe, 実　行"
bash scripts/install-deps.sh windows
cmake --preset windows
cmake --build build/win -j "${KOLVO_JOBS:-$(nproc)}" --target Kolvo standin-host kolvo-demo
xvfb-run -a -s "-screen 0 1024x700x24" bash scripts/run-main-job.sh --wine-run </dev/null || status=1
if [ -f out/wine/beam-g1.csv ]; then
    echo "Summary written by Kolvo.exe:"
    iconv -f CP932 -t UTF-8 out/wine/beam-g1.csv | tr -d '\r'
fi
same_as_by_hand out/wine beam-g1
echo "Reports of the run: out/wine/beam-g1.csv and out/wine/beam-g1.txt"
echo "Screenshot of the desktop after the run: out/wine/kolvo-run.png"
if [ "$status" = 0 ]; then
    echo "The run's reports are byte for byte those worked out by hand."
fi
exit "$status"
