#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows build, and runs every test: the
# native ones directly, the Windows ones under Wine (scripts/wine-ctest.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh all
jobs=${KOLVO_JOBS:-$(nproc)}

cmake --preset native
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

cmake --preset windows
cmake --build build/win -j "$jobs"
bash scripts/wine-ctest.sh build/win

# The release zip: built, unzipped into a fresh folder and run from there under Wine.
bash scripts/release-check.sh build/win
