#!/usr/bin/env bash
# Runs a command under a private Xvfb: with-xvfb.sh [-s "SERVER ARGS"] COMMAND...
# The server runs with -noreset: an X server resets when its last client
# leaves and refuses connections while it does, so a second program started
# right after the first one closed would find no display.
set -uo pipefail
server_args=(-screen 0 1280x1024x24)
if [ "${1:-}" = -s ]; then
  read -ra server_args <<<"$2"
  shift 2
fi
display_file=$(mktemp)
Xvfb -displayfd 3 -noreset -nolisten tcp "${server_args[@]}" 3>"$display_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 300); do
  [ -s "$display_file" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
[ -s "$display_file" ] || { echo "with-xvfb.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$display_file")
# Start nothing before the server answers.
for _ in $(seq 100); do
  xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || { echo "with-xvfb.sh: Xvfb on $DISPLAY accepts no connection" >&2; exit 1; }
"$@"
