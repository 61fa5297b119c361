#!/usr/bin/env bash
# The accessibility tree test on its own X server and private session bus,
# which starts the accessibility bus when the test first asks for it. Debian's
# own python3: the bindings are its package, not any other interpreter's.
# usage: accessibility_tree_test.sh QVN QVN3 DEMO_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../support/with-xvfb.sh" dbus-run-session -- \
  /usr/bin/python3 "$here/accessibility_tree_test.py" "$@"
