#!/usr/bin/env bash
# The main job: set up, build, compile the demo story and open it in the
# browser QVN3; on a machine without a display, play it in the terminal.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release

story=examples/demo/demo.src
compiled=examples/demo/demo.qvn
build/cli/qvn compile "$story"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/browser/QVN3 ]; then
  exec build/browser/QVN3 "$compiled"
fi
if build/cli/qvn play --help >/dev/null 2>&1; then
  exec build/cli/qvn play "$compiled"
fi
echo "The story is compiled: $compiled"
