#!/usr/bin/env bash
# torvane-ctl macro list/show against golden output.
# Usage: macro_command.sh PATH_TO_TORVANE_CTL SOURCE_DIR
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

# expect NAME EXPECTED_EXIT GOLDEN_STDOUT_FILE_OR_EMPTY EXPECTED_STDERR_OR_EMPTY -- ARGS...
expect() {
    local name=$1 code=$2 golden=$3 stderr_text=$4
    shift 5
    "$ctl" "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$code" ] || fail "$name: exit $got, expected $code"
    if [ -n "$golden" ]; then
        diff -u "$golden" "$work/out" >"$work/diff" || { fail "$name: stdout differs"; cat "$work/diff"; }
    else
        [ ! -s "$work/out" ] || fail "$name: unexpected stdout: $(cat "$work/out")"
    fi
    if [ -n "$stderr_text" ]; then
        [ "$(cat "$work/err")" = "$stderr_text" ] || fail "$name: stderr '$(cat "$work/err")'"
    fi
}

expect list 0 "$data/macro_list.golden" "" -- macro list --file "$data/macros.dat"
expect show 0 "$data/macro_show_0.golden" "" -- macro show --file "$data/macros.dat" --index 0
expect show-empty-macro 0 "" "" -- macro show --file "$data/macros.dat" --index 1
expect defaults 0 "$data/default_macro_list.golden" "" -- macro list --file "$src/skins/defMacro.dat"
expect list-missing 1 "" "找不到配置文件" -- macro list --file "$work/absent.dat"
expect show-missing 1 "" "找不到配置文件" -- macro show --file "$work/absent.dat" --index 0
expect index-high 2 "" "" -- macro show --file "$data/macros.dat" --index 3
expect index-negative 2 "" "" -- macro show --file "$data/macros.dat" --index -1
expect index-not-a-number 2 "" "" -- macro show --file "$data/macros.dat" --index x
expect index-missing 2 "" "" -- macro show --file "$data/macros.dat"
expect bad-subcommand 2 "" "" -- macro frobnicate

# An out-of-range index is reported on one line.
"$ctl" macro show --file "$data/macros.dat" --index 3 2>"$work/err" >/dev/null
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "index error is not one line"

# Without --file the program directory's Macro.dat is read.
mkdir -p "$work/bin"
cp "$ctl" "$work/bin/torvane-ctl"
cp "$data/macros.dat" "$work/bin/Macro.dat"
"$work/bin/torvane-ctl" macro list >"$work/out" 2>&1 || fail "default file: exit $?"
diff -u "$data/macro_list.golden" "$work/out" || fail "default file: stdout differs"

# A hand-made file that claims more than twelve macros lists twelve.
{
    printf '[Macros]\nmacroNum=40\n'
    for i in $(seq 0 39); do printf '%d=%s\n' "$i" "$(printf '097%.0s' 1)"; done
} >"$work/many.dat"
[ "$("$ctl" macro list --file "$work/many.dat" | wc -l)" -eq 12 ] || fail "more than 12 macros listed"

[ "$failures" -eq 0 ] && echo "all macro command checks passed"
exit $((failures > 0))
