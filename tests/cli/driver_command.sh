#!/usr/bin/env bash
# torvane-ctl driver --virtual: the driver against the virtual mouse, commands on stdin.
# Usage: driver_command.sh PATH_TO_TORVANE_CTL SOURCE_DIR
set -u
ctl=$1
src=$2
data=$src/tests/cli/data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Every line starts with the milliseconds since start; the rest is compared.
effects() { cut -d' ' -f2- "$1"; }

# The first press of a slot handed to the driver only confirms; then Ctrl+C, the LED toggle,
# DPI up twice (stage 2 is disabled) and at the top, the calculator, the lock; hardware button 1
# is the mouse's own left click and reports nothing. Then the next profile is loaded and applied
# from the engine: its software button (mute) must be confirmed again. The end of input sends
# driver-off.
cp "$data/driver_profile.ini" "$work/profile.ini"
printf 'press 3\nwait 80\npress 3\nwait 100\npress 5\nwait 80\npress 4\nwait 80\npress 4\nwait 80\npress 4\nwait 80\npress 6\nwait 80\npress 9\nwait 80\npress 1\nwait 80\npress 2\nwait 100\npress 3\nwait 80\npress 3\nwait 80\n' |
    "$ctl" driver --virtual --config "$work/profile.ini" >"$work/out" 2>"$work/err"
code=$?
[ "$code" -eq 0 ] || fail "virtual run: exit $code"
effects "$work/out" >"$work/effects"
diff -u "$data/driver_virtual.golden" "$work/effects" || fail "virtual run: effects differ"
[ ! -s "$work/err" ] || fail "virtual run: stderr $(cat "$work/err")"
cmp -s "$data/driver_profile.ini" "$work/profile.ini" || fail "virtual run changed the given profile file"
awk '{ if ($1 !~ /^[0-9]+$/ || $1 < last) bad = 1; last = $1 } END { exit bad }' "$work/out" ||
    fail "virtual run: times are not rising milliseconds"

# quit ends the run like the end of input; bad lines are reported and skipped.
printf 'press x\nwait\nhop\npress 3\nwait 30\nquit\npress 3\n' |
    "$ctl" driver --virtual --config "$work/profile.ini" >"$work/out" 2>"$work/err"
code=$?
[ "$code" -eq 0 ] || fail "quit: exit $code"
[ "$(effects "$work/out" | tail -2 | tr '\n' '|')" = "confirmed|report 07 20 00 00|" ] ||
    fail "quit: $(effects "$work/out" | tail -2 | tr '\n' '|')"
[ "$(wc -l <"$work/err")" -eq 3 ] || fail "quit: expected three input errors, got $(cat "$work/err")"

# SIGTERM (and SIGINT) end a run that waits for input: driver-off is sent, exit 0.
for signal in TERM INT; do
    mkfifo "$work/in-$signal"
    "$ctl" driver --virtual --config "$work/profile.ini" <"$work/in-$signal" >"$work/out" 2>&1 &
    pid=$!
    exec 7>"$work/in-$signal"
    for _ in $(seq 1 100); do
        grep -q 'report 07 09' "$work/out" && break
        sleep 0.05
    done
    kill -"$signal" "$pid"
    wait "$pid"
    code=$?
    exec 7>&-
    [ "$code" -eq 0 ] || fail "SIG$signal: exit $code"
    [ "$(tail -1 "$work/out" | cut -d' ' -f2-)" = "report 07 20 00 00" ] ||
        fail "SIG$signal: last line $(tail -1 "$work/out")"
done

# Errors.
"$ctl" driver --virtual --config "$work/absent.ini" </dev/null >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "missing profile file: exit code"
[ ! -s "$work/out" ] || fail "missing profile file: stdout"
"$ctl" driver --virtual --bogus </dev/null >/dev/null 2>&1
[ $? -eq 2 ] || fail "unknown option: exit code"
"$ctl" driver --virtual --config </dev/null >/dev/null 2>&1
[ $? -eq 2 ] || fail "option without value: exit code"

[ "$failures" -eq 0 ] && echo "ok"
exit "$failures"
