#!/usr/bin/env bash
# Drives the built program in a real X server (run under xvfb-run) through
# the window cases shared with vemora.exe under Wine, started through a link
# from the root folder, as an installed one is: its clip must be found beside
# the real executable. "&Systeminfo..." finds the marker program "hardinfo",
# the only program on the copy's PATH. Second copies come from sessions with
# another, no, or an unwritable runtime folder: the lock lies in the passwd
# home's state folder (run under own_home.sh). With nowhere to lock, the
# program runs and says so; without any display it says so and ends with 1.
# Usage: real_window_test.sh VEMORA_BINARY OUTPUT_DIR WINDOW_POINTS
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=tests/support/x11.sh
source "$here/../support/x11.sh"
# shellcheck source=tests/support/window_cases.sh
source "$here/../support/window_cases.sh"
bin=$1
out=$2
mkdir -p "$out"
load_window_points "$3" || fail "no window points from $3"
runtime=$(mktemp -d)  # 0700
export XDG_RUNTIME_DIR=$runtime
printf '#!/bin/sh\n: >"$0.started"\n' >"$runtime/hardinfo"
marker_started="$runtime/hardinfo.started"
pids="$runtime/pids"
cleanup() {
  [ -e "$pids" ] && while read -r p; do kill -9 "$p" 2>/dev/null || true; done <"$pids"
  chmod -R u+w "$runtime"
  rm -rf "$runtime"
}
trap cleanup EXIT
mkdir "$runtime/bin"
ln -s "$(realpath "$bin")" "$runtime/bin/vemora"
mkdir -m 700 "$runtime/other" "$runtime/unwritable"
mkdir "$runtime/unwritable/vemora.lock"  # no lock file there, not even for root
chmod 500 "$runtime/unwritable"
sessions=("$runtime/other" none "$runtime/unwritable")
cd /

start_copy() {  # [SESSION]: its runtime folder, or none; the test's own by default
  local session=(XDG_RUNTIME_DIR="${1:-$runtime}")
  [ "${1:-}" = none ] && session=(-u XDG_RUNTIME_DIR)
  env "${session[@]}" PATH="$runtime" "$runtime/bin/vemora" >/dev/null 2>"$runtime/stderr" &
  echo $! | tee -a "$pids"
}
# The in-process registry names the program while it is executable.
offer_sysinfo() {
  if [ "$1" = on ]; then chmod 755 "$runtime/hardinfo"; else chmod 644 "$runtime/hardinfo"; fi
}

status=0
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "without a display: status $status, expected 1"
grep -q '^vemora: Keine grafische Anzeige erreichbar (DISPLAY nicht gesetzt' <<<"$said" &&
  grep -q '^vemora: No graphical display could be reached' <<<"$said" ||
  fail "without a display: no sentence naming it: $said"

run_window_cases

# Nowhere to lock: a state folder others could write in, and no runtime folder.
chmod 770 "$(getent passwd "$(id -u)" | cut -d: -f6)/.local/state/vemora"
start_copy none >/dev/null
wait_window "$main_pattern" >/dev/null || fail "an unguarded copy showed no main window"
grep -q '^vemora: Keine Sperre gegen einen zweiten Start möglich' "$runtime/stderr" ||
  fail "an unguarded copy did not say so: $(cat "$runtime/stderr")"
echo "real window test passed; screenshots in $out"
