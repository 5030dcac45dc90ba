#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, only those missing.
# Usage: scripts/deps.sh [build|test]   (test adds what the Xvfb tests use)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev
  qt6-base-dev libgl-dev
  libhidapi-dev libudev-dev
  libx11-dev libxtst-dev
  fonts-wqy-microhei
)
if [ "${1:-build}" = "test" ]; then
  packages+=(xvfb xauth x11-utils xdotool clang-format)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
