#!/usr/bin/env bash
# The Flite voice heard: a private, silent sound server (a null sink) for the
# test to speak into, where PulseAudio is installed; without one the test
# skips itself. usage: flite_speech_test.sh BROWSER_TEST
set -uo pipefail
work=$(mktemp -d)
server=
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home"
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$HOME"
if command -v pulseaudio >/dev/null 2>&1; then
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L module-null-sink -L module-native-protocol-unix >"$work/server.log" 2>&1 &
  server=$!
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && break
    sleep 0.1
  done
fi
"$1" --gtest_filter='FliteSpeech.*'
