#!/usr/bin/env bash
# Times vemora.exe's start-up under Wine to its main window shown against
# the same window written by hand (the floor: the same 20 controls from
# literal coordinates, the same manifest) and against a bare window with one
# static label, side by side (A B C A B C ...), on an X display (run under
# xvfb-run). Prints the ratio to the floor and the size of vemora.exe
# stripped as goal lines for scripts/bench.sh; the ratio to the one label,
# and the requests each start sends Wine's server (which other work on the
# machine does not change, unlike the times), as figures.
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
floor=$bin/vemora_win_startup_floor.exe
base=$bin/vemora_win_startup_baseline.exe
for program in "$probe" "$floor" "$base"; do
  micros "$program" >/dev/null  # the file caches warm, untimed
done
# A desktop session loads X resources (Xft.dpi and the like); a bare Xvfb
# has none, and Xlib then looks for ~/.Xdefaults again on every lookup,
# which both programs pay per control drawn. Set once the Wine desktop is
# connected, as the server forgets it when its last client leaves.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi: 96"
probes=() floors=() bases=()
for ((i = 0; i < pairs; i++)); do
  probes+=("$(micros "$probe")")
  floors+=("$(micros "$floor")")
  bases+=("$(micros "$base")")
done
p=$(printf '%s\n' "${probes[@]}" | median)
f=$(printf '%s\n' "${floors[@]}" | median)
b=$(printf '%s\n' "${bases[@]}" | median)
ms() { awk -v v="$1" 'BEGIN {printf "%.0f ms", v / 1000}'; }

goal() {  # FIGURE VALUE LIMIT UNIT DETAIL
  awk -v f="$1" -v v="$2" -v l="$3" -v u="$4" -v d="$5" 'BEGIN {
    printf "%s %s: %.4g %s, goal at most %.4g %s (%s)\n", v <= l ? "[met]   " : "[MISSED]", f, v, u, l, u, d }'
}
goal "Start-up to the main window shown, Wine" "$(awk -v p="$p" -v f="$f" 'BEGIN {print p / f}')" \
  1.2 x "medians $(ms "$p") and $(ms "$f") for the same 20 controls by hand, $pairs runs each"
awk -v p="$p" -v b="$b" -v d="medians $(ms "$p") and $(ms "$b") for one static label" 'BEGIN {
  printf "[figure] Start-up against one label, Wine: %.4g x (%s)\n", p / b, d }'
# The same starts once more on a server that logs every request.
log=$(mktemp)
"$server" -k
"$server" -f -d1 2>"$log" &
"$wine" "$base" >/dev/null 2>&1  # the desktop connects, untimed
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi: 96"
requests() {
  local before
  before=$(wc -l <"$log")
  "$wine" "$1" >/dev/null 2>&1
  tail -n +"$((before + 1))" "$log" | grep -cE '^[0-9a-f]{4}: [a-z_]+\('
}
rp=$(requests "$probe") rf=$(requests "$floor")
echo "[figure] Server requests to the main window shown, Wine: $(awk -v p="$rp" -v f="$rf" \
  'BEGIN {printf "%.3g", p / f}') x ($rp, and $rf for the same 20 controls by hand)"
rm -f "$log"
stripped=$(mktemp)
"$strip" -o "$stripped" "$bin/vemora.exe"
size=$(stat -c %s "$stripped")
rm -f "$stripped"
goal "vemora.exe stripped" "$(awk -v s="$size" 'BEGIN {print s / 1048576}')" 2 MiB "$size bytes"
