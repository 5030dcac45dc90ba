#!/usr/bin/env bash
# torvane-ctl reports: the reports of an apply, byte for byte, on a copy of the given file.
set -u
CTL=$1
SRC=$2
DATA=$SRC/tests/cli/data
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect_output NAME GOLDEN ARGS...: stdout equals GOLDEN, exit code 0.
expect_output() {
    local name=$1 golden=$2
    shift 2
    "$CTL" "$@" >"$WORK/out" 2>"$WORK/err"
    local rc=$?
    [ $rc -eq 0 ] || fail "$name: exit $rc ($(cat "$WORK/err"))"
    diff -u "$golden" "$WORK/out" || fail "$name: output differs"
}

# expect_exit NAME CODE ARGS...: exit code CODE, nothing on stdout, a message on stderr.
expect_exit() {
    local name=$1 code=$2
    shift 2
    "$CTL" "$@" >"$WORK/out" 2>"$WORK/err"
    local rc=$?
    [ $rc -eq "$code" ] || fail "$name: exit $rc, expected $code"
    [ ! -s "$WORK/out" ] || fail "$name: unexpected output: $(cat "$WORK/out")"
    [ -s "$WORK/err" ] || fail "$name: no message on stderr"
}

cp "$SRC/data/config.ini" "$WORK/config.ini"
cp "$DATA/hand_edited.ini" "$WORK/hand_edited.ini"
before=$(cat "$WORK/config.ini" "$WORK/hand_edited.ini" | md5sum)

# The factory profile named by [Init] CurConfig, and the same profile asked for by number.
expect_output factory "$DATA/reports_factory.txt" reports --config "$WORK/config.ini"
expect_output factory-by-number "$DATA/reports_factory.txt" reports --config "$WORK/config.ini" --profile 1
# Codes without a device code send nothing; slots 3 and 6 hand over, one wait for slot 3;
# DPI_LEVEL 7 is sent as stage 0; value 4 with LED 3 is C3; pointer speed 8 is set as 7.
expect_output hand-edited "$DATA/reports_hand_edited.txt" reports --config "$WORK/hand_edited.ini"
# No software function: no wait, no confirm line; value 0 with LED 0 is 80.
expect_output no-software "$DATA/reports_no_software.txt" reports --config "$WORK/hand_edited.ini" --profile 4

after=$(cat "$WORK/config.ini" "$WORK/hand_edited.ini" | md5sum)
[ "$before" = "$after" ] || fail "the given files were written"
leftovers=$(ls "$WORK")
[ "$leftovers" = "$(printf 'config.ini\nerr\nhand_edited.ini\nout')" ] || fail "stray files: $leftovers"

expect_exit no-config 2 reports
expect_exit missing-file 1 reports --config "$WORK/absent.ini"
expect_exit bad-profile 2 reports --config "$WORK/config.ini" --profile x
expect_exit profile-out-of-range 2 reports --config "$WORK/config.ini" --profile 6
expect_exit unknown-option 2 reports --config "$WORK/config.ini" --verbose

[ $failures -eq 0 ] && echo "reports: all passed"
exit $((failures > 0))
