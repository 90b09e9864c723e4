#!/usr/bin/env bash
# Drives the built program in a real X server (run under xvfb-run) through
# the window cases shared with vemora.exe under Wine. "&Systeminfo..." finds
# the marker program "hardinfo", the only program on the copy's PATH. Without
# any display the program must say so and end with status 1.
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
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
printf '#!/bin/sh\n: >"$0.started"\n' >"$runtime/hardinfo"
marker_started="$runtime/hardinfo.started"
pids="$runtime/pids"
cleanup() {
  [ -e "$pids" ] && while read -r p; do kill -9 "$p" 2>/dev/null || true; done <"$pids"
  rm -rf "$runtime"
}
trap cleanup EXIT

start_copy() {
  PATH=$runtime "$bin" >/dev/null 2>&1 &
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
echo "real window test passed; screenshots in $out"
