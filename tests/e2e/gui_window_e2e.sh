#!/usr/bin/env bash
# torvane-gmouse under Xvfb with the virtual mouse: the window is there with its title, shaped
# by the mask and painted; a second start leaves one window; the tabs switch pages (a screenshot
# of each); closing the window ends the program and sets the pointer speed back to 10.
# Usage: gui_window_e2e.sh BIN_DIR SOURCE_DIR
# Screenshots: BIN_DIR/../e2e_screenshots/{main,advanced,colour}.png
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
shots="$bin_dir/../e2e_screenshots"
client="$bin_dir/shape_client"

if [ -z "${TORVANE_E2E_IN_XVFB:-}" ]; then
  export TORVANE_E2E_IN_XVFB=1
  exec "$source_dir/tests/e2e/with_xvfb.sh" bash "$0" "$@"
fi

[ -n "${TORVANE_E2E_TRACE:-}" ] && set -x
fail() {
  echo "FAIL: $*" >&2
  [ -f "${work:-}/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
  exit 1
}
for tool in torvane-gmouse shape_client; do
  [ -x "$bin_dir/$tool" ] || fail "$bin_dir/$tool is not built"
done
command -v xdotool >/dev/null || fail "xdotool is not installed"
[ -f "$bin_dir/skins/skin_main.ini" ] || fail "no skin in $bin_dir/skins"

# A program directory of its own (the program writes config.ini), and a private temporary
# folder, so the single-instance lock and socket cannot meet those of a user's copy.
work=$(mktemp -d)
program=""
holder=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  [ -n "$holder" ] && kill "$holder" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/tmp" "$shots"
cp -r "$bin_dir/torvane-gmouse" "$bin_dir/config.ini" "$bin_dir/skins" "$work/"
[ -f "$bin_dir/Macro.dat" ] && cp "$bin_dir/Macro.dat" "$work/"
chmod 700 "$work/tmp"
export TMPDIR="$work/tmp" XDG_RUNTIME_DIR="$work/tmp"
title="Torvane宏编程游戏鼠"

# The rectangle of main element N from skin_main.ini (UTF-16 with a byte-order mark or 8-bit).
element_centre() {
  local file="$work/skins/skin_main.ini" text
  if head -c 2 "$file" | od -An -tx1 | grep -q 'ff fe'; then
    text=$(iconv -f UTF-16 -t UTF-8 "$file")
  else
    text=$(cat "$file")
  fi
  printf '%s\n' "$text" | tr -d '\r' | awk -v key="$1" -F'=' '
    /^\[/ { section = toupper($0) }
    section == "[BUTTONPOS]" && $1 == key {
      split(substr($0, index($0, "=") + 1), f, ",")
      printf "%d %d\n", f[2] + f[4] / 2, f[3] + f[5] / 2
      exit
    }'
}

# The server keeps its pointer settings only while some client stays connected.
"$client" hold - 170 &
holder=$!

"$work/torvane-gmouse" --virtual-mouse >"$work/program.log" 2>&1 &
program=$!
"$client" wait "$title" 15 >/dev/null || { cat "$work/program.log" >&2; fail "no window titled $title"; }
"$client" wait "Virtual mouse" 15 >/dev/null || fail "the virtual mouse panel did not open"
sleep 0.5

info=$("$client" info "$title")
echo "$info"
echo "$info" | grep -qx 'shaped yes' || fail "the window is a plain rectangle"
cut=$(echo "$info" | awk '/^cut-pixels/ { print $2 }')
[ "$cut" -gt 0 ] || fail "the shape cuts no pixel"
read -r _ wx wy ww wh < <(echo "$info" | grep '^geometry')
[ "$ww" -ge 700 ] && [ "$wh" -ge 500 ] || fail "window is only ${ww}x${wh}"

# Each page: a screenshot, which must not be one flat colour and must differ from the others.
# The program paints in its own time, so a page is waited for until its picture changes.
screenshot() {
  "$client" screenshot "$title" "$shots/$1.png" || fail "screenshot $1"
  [ "$(stat -c %s "$shots/$1.png")" -gt 5000 ] || fail "screenshot $1 looks empty"
}
click_element() {
  local x y
  read -r x y < <(element_centre "$1")
  [ -n "$x" ] || fail "element $1 is not in the skin"
  xdotool mousemove $((wx + x)) $((wy + y)) click 1
  # Move off the window so that the screenshot shows the page, not the hover.
  xdotool mousemove $((wx + ww + 50)) $((wy + wh + 50))
}
# Clicks tab element $1 and screenshots page $2, which must come to differ from page $3.
switch_page() {
  click_element "$1"
  for _ in $(seq 1 50); do
    sleep 0.2
    screenshot "$2"
    cmp -s "$shots/$2.png" "$shots/$3.png" || return 0
  done
  fail "tab $1 did not change the page from $3 to $2"
}
# The first paint: wait until the window shows more than a flat colour.
for _ in $(seq 1 50); do
  "$client" screenshot "$title" "$shots/main.png" 2>/dev/null &&
    [ "$(stat -c %s "$shots/main.png")" -gt 5000 ] && break
  sleep 0.2
done
screenshot main
switch_page 10 advanced main
switch_page 11 colour advanced
cmp -s "$shots/main.png" "$shots/colour.png" && fail "the colour page looks like the main page"
click_element 9

# A second start brings the first one up and ends; one window stays.
timeout 30 "$work/torvane-gmouse" --virtual-mouse >>"$work/program.log" 2>&1 ||
  fail "the second start did not end by itself"
[ "$("$client" count "$title")" = 1 ] || fail "a second window appeared"
kill -0 "$program" 2>/dev/null || fail "the first instance ended"

# Asks window $1 to close and waits up to 30 s for the program to end. On a loaded machine the
# request is repeated every few seconds until the program has gone.
close_and_wait() {
  local tick
  for tick in $(seq 0 299); do
    kill -0 "$program" 2>/dev/null || return 0
    [ $((tick % 40)) -eq 0 ] && "$client" close "$1" 2>/dev/null
    sleep 0.1
  done
  return 1
}

# Closing the window ends the program cleanly and leaves the pointer speed at 10, whatever it
# was before.
"$client" accel - 3 1
[ "$("$client" accel -)" = "3/1" ] || fail "cannot change the pointer acceleration"
close_and_wait "$title" || fail "the program did not end after the close request"
status=0
wait "$program" || status=$?
program=""
[ "$status" -eq 0 ] || { cat "$work/program.log" >&2; fail "the program exited with $status"; }
[ "$("$client" accel -)" = "10/10" ] || fail "pointer acceleration is $("$client" accel -), not 10/10"
grep -qi '^CurConfig=' "$work/config.ini" || fail "the profile was not applied (no [Init] CurConfig)"

# Ended from a terminal (SIGTERM), it closes the same way.
"$work/torvane-gmouse" --virtual-mouse >>"$work/program.log" 2>&1 &
program=$!
"$client" wait "$title" 15 >/dev/null || fail "no window on the second run"
sleep 0.5
"$client" accel - 3 1
kill -TERM "$program"
status=0
wait "$program" || status=$?
program=""
[ "$status" -eq 0 ] || fail "after SIGTERM the program exited with $status"
[ "$("$client" accel -)" = "10/10" ] || fail "after SIGTERM the pointer acceleration is $("$client" accel -)"

"$client" count "$title" | grep -qx 0 || fail "a window stayed after the program ended"

# A message box that must come up, be closed, and end the program without its window showing.
# $1: what is wrong; the rest: the program's arguments.
expect_message_and_exit() {
  local what=$1 config_before status
  shift
  config_before=$(md5sum "$work/config.ini")
  "$work/torvane-gmouse" "$@" >>"$work/program.log" 2>&1 &
  program=$!
  "$client" wait "torvane-gmouse" 15 >/dev/null || fail "$what: no message box"
  [ "$("$client" count "$title")" = 0 ] || fail "$what: the main window showed"
  close_and_wait "torvane-gmouse" || fail "$what: the program did not end after the message"
  status=0
  wait "$program" || status=$?
  program=""
  [ "$status" -eq 0 ] || fail "$what: the program exited with $status"
  [ "$(md5sum "$work/config.ini")" = "$config_before" ] || fail "$what: config.ini was written"
}
# Without the mouse (and without the virtual one): "please plug in the mouse", then the end.
if ! ls /sys/bus/hid/devices 2>/dev/null | grep -qi ':18F8:0F99\.'; then
  expect_message_and_exit "no mouse"
fi
# A missing layout file: "configuration file not found", then the end.
mv "$work/skins/LBWarning.ini" "$work/LBWarning.ini.away"
expect_message_and_exit "missing LBWarning.ini" --virtual-mouse
mv "$work/LBWarning.ini.away" "$work/skins/LBWarning.ini"
mv "$work/skins/skin_color.ini" "$work/skin_color.ini.away"
expect_message_and_exit "missing skin_color.ini" --virtual-mouse

echo "screenshots: $shots/main.png $shots/advanced.png $shots/colour.png"
echo "PASS"
