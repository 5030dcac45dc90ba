#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and starts torvane-gmouse.
# Without the mouse (USB 18f8:0f99) attached, the program starts with --virtual-mouse, so that
# it can be tried with the simulated mouse and its panel. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "run.sh: DISPLAY is not set; torvane-gmouse needs an X display. Start it from a desktop" >&2
  echo "session (X11, or Wayland with XWayland), or with ssh -X." >&2
  exit 1
fi

scripts/deps.sh build
cmake --preset release >/dev/null
cmake --build --preset release --target torvane-gmouse

# The mouse is attached when a HID device with its ids exists (names look like 0003:18F8:0F99.0001).
mouse_attached() {
  local device
  for device in /sys/bus/hid/devices/*; do
    case "$(basename "$device" | tr '[:lower:]' '[:upper:]')" in
      *:18F8:0F99.*) return 0 ;;
    esac
  done
  return 1
}

args=()
if ! mouse_attached; then
  echo "run.sh: no Torvane mouse attached; starting with the virtual mouse."
  args+=(--virtual-mouse)
fi

bin=build/release/bin
exec "$bin/torvane-gmouse" "${args[@]}" "$@"
