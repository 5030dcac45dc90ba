#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and runs the program.
# Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release

bin=build/release/bin
exec "$bin/torvane-ctl" profile show --config "$bin/config.ini" "$@"
