#!/usr/bin/env bash
# One user's copies of the real program started from sessions that differ:
# another runtime folder, none, one where no lock can be made. There is
# exactly one main window; every other copy says so and ends. With no usable
# place for the lock at all, the program runs and says that on standard
# error. Run under own_home.sh (a home of its own) and xvfb-run.
# Usage: one_copy_test.sh VEMORA_BINARY
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=tests/support/x11.sh
source "$here/../support/x11.sh"
# shellcheck source=tests/support/window_cases.sh
source "$here/../support/window_cases.sh"
bin=$1
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/run" "$work/other" "$work/unwritable"
mkdir "$work/unwritable/vemora.lock"  # no lock file there, not even for root
chmod 500 "$work/unwritable"

start() {  # XDG_RUNTIME_DIR, or none when empty; sets $pid
  if [ -n "$1" ]; then
    XDG_RUNTIME_DIR=$1 "$bin" 2>"$work/stderr" &
  else
    env -u XDG_RUNTIME_DIR "$bin" 2>"$work/stderr" &
  fi
  pid=$!
  pids+=("$pid")
}
main_windows() { xdotool search --onlyvisible --name '^Vemora - Version' 2>/dev/null | wc -l; }

start "$work/run"
first=$pid
wait_window '^Vemora - Version 2\.3' >/dev/null || fail "the first copy showed no main window"
for session in "$work/other" "" "$work/unwritable"; do
  start "$session"
  box=$(wait_window '^Vemora$') || fail "XDG_RUNTIME_DIR='$session': no message, $(main_windows) main windows"
  press_in "$box" Return
  wait_ended "$pid" || fail "XDG_RUNTIME_DIR='$session': the copy did not end"
  [ "$(main_windows)" -eq 1 ] || fail "XDG_RUNTIME_DIR='$session': $(main_windows) main windows"
done

# Nowhere to lock: a state folder others could write in, and no runtime folder.
kill "$first"
wait_ended "$first" || fail "the first copy did not end"
chmod 770 "$(getent passwd "$(id -u)" | cut -d: -f6)/.local/state/vemora"
start ""
wait_window '^Vemora - Version 2\.3' >/dev/null || fail "an unguarded copy showed no main window"
grep -q '^vemora: Keine Sperre gegen einen zweiten Start möglich' "$work/stderr" ||
  fail "an unguarded copy did not say so: $(cat "$work/stderr")"
echo "one copy test passed"
