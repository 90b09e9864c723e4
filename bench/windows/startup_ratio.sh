#!/usr/bin/env bash
# Times vemora.exe's start-up under Wine to its main window shown against a
# bare Win32 window with one static label, side by side (A B A B ...), on an
# X display (run under xvfb-run). Prints the ratio of the medians and the
# size of vemora.exe stripped as goal lines for scripts/bench.sh.
# Usage: startup_ratio.sh BIN_DIR WINE PAIRS STRIP
set -euo pipefail
bin=$1
wine=$2
pairs=$3
strip=$4
export WINEPREFIX="$(cd "$bin/.." && pwd)/bench-wine-prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# A persistent server while timing, so no run pays for starting one.
server="$(dirname "$wine")/wineserver"
"$server" -p 2>/dev/null || true
trap '"$server" -k' EXIT
"$wine" wineboot --init >/dev/null 2>&1

micros() {  # runs one program to its end; prints its wall time
  local start
  start=$(date +%s%N)
  "$wine" "$1" >/dev/null 2>&1 || { echo "$1 failed" >&2; exit 1; }
  echo $((($(date +%s%N) - start) / 1000))
}
median() { sort -n | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

probe=$bin/vemora_win_startup_probe.exe
base=$bin/vemora_win_startup_baseline.exe
micros "$probe" >/dev/null  # the file caches warm, untimed
micros "$base" >/dev/null
# A desktop session loads X resources (Xft.dpi and the like); a bare Xvfb
# has none, and Xlib then looks for ~/.Xdefaults again on every lookup,
# which both programs pay per control drawn. Set once the Wine desktop is
# connected, as the server forgets it when its last client leaves.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi: 96"
probes=() bases=()
for ((i = 0; i < pairs; i++)); do
  probes+=("$(micros "$probe")")
  bases+=("$(micros "$base")")
done
p=$(printf '%s\n' "${probes[@]}" | median)
b=$(printf '%s\n' "${bases[@]}" | median)

goal() {  # FIGURE VALUE LIMIT UNIT DETAIL
  awk -v f="$1" -v v="$2" -v l="$3" -v u="$4" -v d="$5" 'BEGIN {
    printf "%s %s: %.4g %s, goal at most %.4g %s (%s)\n", v <= l ? "[met]   " : "[MISSED]", f, v, u, l, u, d }'
}
goal "Start-up to the main window shown, Wine" "$(awk -v p="$p" -v b="$b" 'BEGIN {print p / b}')" \
  1.5 x "medians $(awk -v p="$p" -v b="$b" 'BEGIN {printf "%.0f ms and %.0f ms", p / 1000, b / 1000}') for one static label, $pairs pairs"
stripped=$(mktemp)
"$strip" -o "$stripped" "$bin/vemora.exe"
size=$(stat -c %s "$stripped")
rm -f "$stripped"
goal "vemora.exe stripped" "$(awk -v s="$size" 'BEGIN {print s / 1048576}')" 2 MiB "$size bytes"
