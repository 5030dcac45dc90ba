#!/usr/bin/env bash
# torvane-ctl apply without the mouse: the message, exit code 3, and the file left alone.
set -u
CTL=$1
SRC=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cp "$SRC/data/config.ini" "$WORK/config.ini"
before=$(md5sum <"$WORK/config.ini")

# This machine has no such mouse attached.
"$CTL" apply --config "$WORK/config.ini" >"$WORK/out" 2>"$WORK/err"
rc=$?
[ $rc -eq 3 ] || fail "exit $rc, expected 3"
[ "$(cat "$WORK/err")" = "请插入【Torvane】USB鼠标" ] || fail "stderr: $(cat "$WORK/err")"
[ ! -s "$WORK/out" ] || fail "unexpected output: $(cat "$WORK/out")"
[ "$before" = "$(md5sum <"$WORK/config.ini")" ] || fail "config.ini was written"

"$CTL" apply --config "$WORK/absent.ini" >/dev/null 2>&1
rc=$?
[ $rc -eq 1 ] || fail "missing file: exit $rc, expected 1"
"$CTL" apply --profile 0 >/dev/null 2>&1
rc=$?
[ $rc -eq 2 ] || fail "profile 0: exit $rc, expected 2"

[ $failures -eq 0 ] && echo "apply: all passed"
exit $((failures > 0))
