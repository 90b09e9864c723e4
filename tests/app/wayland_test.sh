#!/usr/bin/env bash
# Starts the built program on a headless weston of its own, as a Wayland
# desktop session starts it (no X display, no platform forced): the main
# window appears with its caption, and closing it ends the program.
# The compositor module lists the windows' titles and closes them on request.
# Usage: wayland_test.sh VEMORA_BINARY WESTON_MODULE
set -euo pipefail
bin=$1
module=$(realpath "$2")  # weston takes a relative name as one of its own
runtime=$(mktemp -d)  # 0700
pids=()
cleanup() {
  for p in "${pids[@]}"; do { kill -9 "$p" && wait "$p"; } 2>/dev/null || true; done
  rm -rf "$runtime"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  cat "$runtime/windows" "$runtime/weston.log" >&2 || true
  exit 1
}
# Waits up to 10 s for a command to succeed.
within_10s() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; return 1; }
shown() { [ "$(grep -cE "$1" "$runtime/windows" 2>/dev/null)" = 1 ]; }
ended() { ! kill -0 "$1" 2>/dev/null; }

unset DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-vemora
export LC_ALL=C.UTF-8
weston --no-config --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  --modules="$module" >"$runtime/weston.log" 2>&1 &
pids+=($!)
within_10s test -f "$runtime/windows" || fail "weston did not start with the module"
caption='Vemora - Version 2.3   Copyright © 2026 Die Vemora-Entwickler'

"$bin" & first=$!
pids+=("$first")
within_10s shown "^$caption\$" || fail "no main window captioned '$caption'"

echo "$caption" >"$runtime/close"
{ within_10s ended "$first" && wait "$first"; } || fail "the program did not end cleanly"
echo "wayland test passed"
