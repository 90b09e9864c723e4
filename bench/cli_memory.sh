#!/usr/bin/env bash
# Peak memory of vemora-calc on a long server list: a 16 MiB file of
# two-byte rows, every row computed, against the program's own floor (one
# calculation, --clients 5) measured in the same run. One goal line, in the
# form the benchmark programs print.
# Usage: cli_memory.sh VEMORA_CALC WORK_DIR
set -euo pipefail
calc=$1
work=$2
mkdir -p "$work"
list=$work/two_byte_rows.csv

# A header of six bytes, then "1\n" up to 16 MiB: 8,388,605 rows.
if [ "$(stat -c %s "$list" 2>/dev/null || echo 0)" -ne $((16 << 20)) ]; then
  { printf 'files\n'; head -c $(((16 << 20) - 6)) < <(yes 1); } >"$list"
fi

figure="vemora-calc --csv peak memory, 16 MiB of two-byte rows"
if [ ! -x /usr/bin/time ]; then
  echo "[MISSED] $figure: no figure, GNU time (package time) is missing"
  exit 1
fi

# Peak resident memory of one run in KiB, as the kernel counts it; the output
# is dropped. GNU time is far smaller than what it measures.
peak_kib() {
  /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null
  cat "$work/peak"
}

floor=$(peak_kib "$calc" --clients 5)
peak=$(peak_kib "$calc" --csv "$list")
awk -v figure="$figure" -v peak="$peak" -v floor="$floor" 'BEGIN {
  limit = 2 * floor / 1024
  if (limit > 32) limit = 32
  mark = peak / 1024 <= limit ? "[met]   " : "[MISSED]"
  printf "%s %s: %.4g MiB, goal at most %.4g MiB (32 MiB, and twice the %.4g MiB of vemora-calc --clients 5)\n",
    mark, figure, peak / 1024, limit, floor / 1024
}'
