#!/usr/bin/env bash
# The driver engine's injected input reaches another X client: a Ctrl+C, a macro that types
# "ab", a middle click from a macro, and keys missing from the keymap (F24, the calculator key).
# Usage: engine_injection_e2e.sh BIN_DIR SOURCE_DIR
set -u
bin="$1"
src="$2"
if [ -z "${TORVANE_E2E_INSIDE_X:-}" ]; then
  TORVANE_E2E_INSIDE_X=1 exec bash "$src/tests/e2e/with_xvfb.sh" bash "$0" "$@"
fi

work=$(mktemp -d)
trap 'kill "$observer" 2>/dev/null; rm -rf "$work"' EXIT
"$bin/input_observer_client" 30 >"$work/seen" &
observer=$!
for _ in $(seq 1 100); do
  grep -qx ready "$work/seen" && break
  sleep 0.05
done
grep -qx ready "$work/seen" || { echo "observer did not start"; exit 1; }

# 135 = F24, 183 = the calculator key: both are tapped by slot 4's macro.
"$bin/inject_client" 135 183 || { echo "inject_client failed"; exit 1; }

for _ in $(seq 1 100); do
  [ "$(grep -c '^key\|^button' "$work/seen")" -ge 14 ] && break
  sleep 0.05
done
kill "$observer" 2>/dev/null

cat >"$work/expected" <<'END'
key Control_L down
key c down ctrl
key c up ctrl
key Control_L up ctrl
key a down
key a up
key b down
key b up
button 2 down
button 2 up
key F24 down
key F24 up
key XF86Calculator down
key XF86Calculator up
END
grep '^key\|^button' "$work/seen" >"$work/actual"
if ! diff -u "$work/expected" "$work/actual"; then
  echo "injected input did not arrive as expected"
  exit 1
fi
echo "ok"
