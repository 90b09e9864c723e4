#!/usr/bin/env bash
# Reads the built program through the accessibility bus, as a screen reader
# does (run under xvfb-run). A private D-Bus session with its own
# accessibility bus keeps the test apart from any desktop and other runs.
# Usage: accessibility_test.sh VEMORA_BINARY
set -euo pipefail
if [ -z "${VEMORA_A11Y_SESSION:-}" ]; then
  # The bus launcher puts its socket under XDG_RUNTIME_DIR, read when the
  # session starts.
  runtime=$(mktemp -d)
  trap 'rm -rf "$runtime"' EXIT
  XDG_RUNTIME_DIR=$runtime VEMORA_A11Y_SESSION=1 dbus-run-session -- "$0" "$@"
  exit
fi
export LC_ALL=C.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Starts the accessibility bus before the program, which then joins at once.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
  >/dev/null
"$1" &
pid=$!
trap 'kill -9 $pid 2>/dev/null || true' EXIT
# Debian's own interpreter, which has pyatspi.
/usr/bin/python3 "$(dirname "$0")/accessibility_test.py" "$pid" "$1"
