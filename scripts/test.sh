#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds and runs every test: the core's unit
# tests under ASan+UBSan and under TSan, then the whole suite (unit, command line, Qt offscreen,
# Xvfb end to end) in the debug build. The last lines are ctest's summary of the whole suite.
# TORVANE_QUICK=1 skips the sanitizer builds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh test
jobs=$(nproc)

if [ "${TORVANE_QUICK:-0}" != "1" ]; then
  for preset in asan tsan; do
    echo "== $preset =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs" --timeout 300
  done
fi

echo "== dev =="
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs" --timeout 600
