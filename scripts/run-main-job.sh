#!/usr/bin/env bash
# The main job: installs what is missing, builds the native build and tallies every sample
# drawing with kolvo-tally, writing the reports into out/ and printing each summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh native

cmake --preset native
cmake --build build/native -j "${KOLVO_JOBS:-$(nproc)}"

tally=build/native/tools/kolvo-tally/kolvo-tally
mkdir -p out
status=0
for drawing in samples/*.dxf; do
    name=$(basename "$drawing" .dxf)
    echo
    "$tally" "$drawing" "out/$name.csv"
    # The reports are CP932 with CR LF, as the users' spreadsheet expects; shown here in UTF-8.
    iconv -f CP932 -t UTF-8 "out/$name.csv" | tr -d '\r'
    for ext in csv txt; do
        if ! cmp -s "out/$name.$ext" "samples/$name.expected.$ext"; then
            echo "out/$name.$ext differs from samples/$name.expected.$ext" >&2
            status=1
        fi
    done
done
echo
if [ "$status" = 0 ]; then
    echo "Every report agrees with the one worked out by hand in samples/."
fi
exit "$status"
