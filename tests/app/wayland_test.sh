#!/usr/bin/env bash
# Starts the built program on a headless weston of its own, as a Wayland
# desktop session starts it (no X display, no platform forced): the main
# window appears with its caption, a second copy shows its message and ends
# once the message is closed, and closing the main window ends the program.
# The compositor module lists the windows' titles and closes them on request.
# Usage: wayland_test.sh VEMORA_BINARY WESTON_MODULE
set -euo pipefail
bin=$1
module=$(realpath "$2")  # weston takes a relative name as one of its own
runtime=$(mktemp -d)
chmod 700 "$runtime"
pids=()
cleanup() {
  for p in "${pids[@]}"; do { kill -9 "$p" && wait "$p"; } 2>/dev/null || true; done
  rm -rf "$runtime"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  sed 's/^/window: /' "$runtime/windows" >&2 || true
  sed 's/^/weston: /' "$runtime/weston.log" >&2
  exit 1
}

unset DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-vemora
export LC_ALL=C.UTF-8
weston --no-config --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  --modules="$module" >"$runtime/weston.log" 2>&1 &
pids+=($!)
# The module's first list: weston listens and runs its loop.
for _ in $(seq 100); do [ -f "$runtime/windows" ] && break; sleep 0.1; done
[ -f "$runtime/windows" ] || fail "weston did not start with the module"

# Waits up to 10 s until exactly $2 shown windows have titles matching $1.
wait_windows() {
  for _ in $(seq 100); do
    [ "$(grep -cE "$1" "$runtime/windows" 2>/dev/null)" = "$2" ] && return 0
    sleep 0.1
  done
  return 1
}
# Waits up to 10 s for a process to end; fails unless it exited with 0.
wait_ended() {
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && fail "$2 did not end"
  wait "$1" || fail "$2 ended with status $?"
}
caption='Vemora - Version 2.3   Copyright © 2026 Die Vemora-Entwickler'

"$bin" & first=$!
pids+=("$first")
wait_windows "^$caption\$" 1 || fail "no main window captioned '$caption'"

"$bin" & second=$!
pids+=("$second")
wait_windows '^Vemora$' 1 || fail "the second copy showed no message"
echo Vemora >"$runtime/close"
wait_ended "$second" "the second copy"
kill -0 "$first" || fail "the first copy ended with the second"

echo "$caption" >"$runtime/close"
wait_ended "$first" "the program"
echo "wayland test passed"
