#!/usr/bin/env bash
# Runs the skin builder into a temporary folder and compares its output with skins/.
# Usage: check_skin.sh PATH_TO_SKIN_BUILDER SOURCE_DIR
set -euo pipefail
builder=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$builder" "$work/skins"
"$builder" --compare "$work/skins" "$source_dir/skins"
