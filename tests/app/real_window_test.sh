#!/usr/bin/env bash
# Drives the built program in a real X server (run under xvfb-run): types a
# client count, reads the result back through the clipboard, refuses a
# second copy, survives SIGKILL without a stale lock, and takes screenshots.
# Without any display it must say so and end with status 1.
# Usage: real_window_test.sh VEMORA_BINARY OUTPUT_DIR
set -euo pipefail
# shellcheck source=tests/support/x11.sh
source "$(dirname "$0")/../support/x11.sh"
bin=$1
out=$2
mkdir -p "$out"
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime LC_ALL=C.UTF-8
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null || true; done
  rm -rf "$runtime"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

read_result() {
  click_twips "$1" 1000 4990          # Text_Summe
  xdotool key --clearmodifiers ctrl+a ctrl+c
  sleep 0.3
  xclip -o -selection clipboard
}

status=0
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" 2>&1) || status=$?
[ "$status" -eq 1 ] || fail "without a display: status $status, expected 1"
grep -q '^vemora: Keine grafische Anzeige erreichbar (DISPLAY nicht gesetzt' <<<"$said" &&
  grep -q '^vemora: No graphical display could be reached' <<<"$said" ||
  fail "without a display: no sentence naming it: $said"

"$bin" & pids+=($!)
first=${pids[0]}
main=$(wait_window '^Vemora - Version 2\.3') || fail "main window did not appear"
[ "$(read_result "$main")" = "9.1" ] || fail "design result is not 9.1"

click_twips "$main" 5600 790               # Text_V6
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 50 "50"
sleep 0.3
result=$(read_result "$main")
[ "$result" = "26.68" ] || fail "50 clients gave '$result', expected 26.68"
import -window root "$out/main_window.png"

# Wider and taller by half: every control follows.
xdotool windowsize "$main" 669 537
sleep 0.5
import -window root "$out/main_window_150.png"
xdotool windowsize "$main" 446 358
sleep 0.3

# The About window, with its clip playing.
click_twips "$main" 3300 4980              # Logo
about=$(wait_window '^Info Vemora$') || fail "About window did not open"
sleep 1
import -window root "$out/about_window.png"
xdotool windowfocus "$about"; sleep 0.2; xdotool key Escape
sleep 0.3

# A second copy says so once and ends; the first goes on.
"$bin" & second=$!
pids+=("$second")
box=$(wait_window '^Vemora$') || fail "second copy showed no message"
[ "$(xdotool search --onlyvisible --name '^Vemora$' | wc -l)" -eq 1 ] || fail "more than one message"
import -window root "$out/second_copy.png"
xdotool windowfocus "$box"; sleep 0.2; xdotool key Return
for _ in $(seq 50); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
kill -0 "$second" 2>/dev/null && fail "second copy did not end"
wait "$second" || fail "second copy ended with an error"
kill -0 "$first" || fail "first copy ended"

# A killed copy leaves no lock behind.
kill -9 "$first"
wait "$first" 2>/dev/null || true
"$bin" & third=$!
pids+=("$third")
main=$(wait_window '^Vemora - Version 2\.3') || fail "no start after SIGKILL"
sleep 0.3
[ -z "$(xdotool search --onlyvisible --name '^Vemora$' 2>/dev/null)" ] || fail "stale lock after SIGKILL"

# "Beenden" ends the program.
click_twips "$main" 5767 4867              # Command2
for _ in $(seq 50); do kill -0 "$third" 2>/dev/null || break; sleep 0.1; done
kill -0 "$third" 2>/dev/null && fail "Beenden did not end the program"
echo "real window test passed; screenshots in $out"
