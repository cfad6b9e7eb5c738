#!/usr/bin/env bash
# Builds and runs every test program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
jobs=$(nproc 2>/dev/null || echo 2)
cd build && ctest --output-on-failure -j "$jobs"
