#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server, which is stopped afterwards.
# Usage: with_xvfb.sh COMMAND [ARGS...]
set -u
for display in $(seq 90 140); do
  [ -e "/tmp/.X${display}-lock" ] && continue
  Xvfb ":${display}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X${display}" ] && break
    sleep 0.1
  done
  if kill -0 "$server" 2>/dev/null; then
    DISPLAY=":${display}" "$@"
    status=$?
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
    exit $status
  fi
done
echo "with_xvfb.sh: could not start Xvfb" >&2
exit 1
