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

# The comparison must notice a stale skin: a changed layout file, a missing or extra picture.
expect_mismatch() {
    if "$builder" --compare "$work/skins" "$work/stale" >/dev/null 2>&1; then
        echo "check_skin: --compare missed: $1" >&2
        exit 1
    fi
}
reset_stale() { rm -rf "$work/stale"; cp -r "$work/skins" "$work/stale"; }

reset_stale
sed -i 's/^0=save,624,/0=save,625,/' "$work/stale/skin_main.ini"
expect_mismatch "a moved element"
reset_stale
rm "$work/stale/menu_over.jpg"
expect_mismatch "a missing picture"
reset_stale
cp "$work/stale/main_over.jpg" "$work/stale/main_normal.jpg"
expect_mismatch "a redrawn picture"
reset_stale
echo "not from the builder" >"$work/stale/defMacro.dat"
"$builder" --compare "$work/skins" "$work/stale" >/dev/null
echo "check_skin: ok"
