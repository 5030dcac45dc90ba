#!/usr/bin/env bash
# torvane-ctl profile show: the program's loading rules, the listing order, the exit codes.
set -u
ctl=$1
src=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

check() {  # name expected-status expected-stdout-file -- command...
  local name=$1 status=$2 expected=$3
  shift 4
  "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  if [ "$got" -ne "$status" ]; then
    echo "FAIL $name: exit $got, expected $status"; cat "$tmp/err"; failures=$((failures + 1))
  elif [ -n "$expected" ] && ! diff -u "$expected" "$tmp/out"; then
    echo "FAIL $name: output differs"; failures=$((failures + 1))
  fi
}

printf '[Config3]\r\nK1=12345\r\nK2=-7\r\nK7=999\r\nDPI_LEVEL=2\r\nDPI_SET1=300\r\nDPI_SET_EN1=7\r\nDPI_SET_EN2=0\r\nLED_STATUS=3\r\nDPI_SPEED=8\r\n' >"$tmp/config.ini"
cat >"$tmp/expected3" <<'OUT'
K1=1234
K2=-7
K3=0
K4=0
K5=0
K6=0
K7=999
DPI_LEVEL=2
WHEEL_STATUS=0
MACRO_MODE2=0
DPI_SET1=44
DPI_SET_EN1=1
DPI_SET2=0
DPI_SET_EN2=0
DPI_SET3=0
DPI_SET_EN3=0
DPI_SET4=0
DPI_SET_EN4=0
LED_STATUS=3
DPI_SPEED=8
OUT
sed -e 's/=.*$/=0/' "$tmp/expected3" >"$tmp/zeros"
cp "$tmp/config.ini" "$tmp/before.ini"

check "value rules" 0 "$tmp/expected3" -- "$ctl" profile show --config "$tmp/config.ini" --profile 3
check "missing section" 0 "$tmp/zeros" -- "$ctl" profile show --config "$tmp/config.ini" --profile 4
check "missing file" 0 "$tmp/zeros" -- "$ctl" profile show --config "$tmp/nothing.ini" --profile 1
check "no CurConfig" 0 "$tmp/zeros" -- "$ctl" profile show --config "$tmp/config.ini"
check "factory section" 0 "" -- "$ctl" profile show --config "$src/data/config.ini" --profile 2 --factory
grep -qx 'K4=17' "$tmp/out" || { echo "FAIL factory section: K4"; failures=$((failures + 1)); }
check "non-numeric profile" 2 "" -- "$ctl" profile show --config "$tmp/config.ini" --profile x
check "bad option" 2 "" -- "$ctl" profile show --bogus
check "missing value" 2 "" -- "$ctl" profile show --profile
check "no subcommand" 2 "" -- "$ctl" profile
[ "$(wc -l <"$tmp/err")" -eq 1 ] || { echo "FAIL: error is not one line"; failures=$((failures + 1)); }
cmp -s "$tmp/config.ini" "$tmp/before.ini" || { echo "FAIL: the file was written"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "profile show: all checks passed"
exit "$failures"
