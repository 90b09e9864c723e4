#!/usr/bin/env bash
# Sets up and builds the benchmarks (an optimised build), then prints every
# speed and memory figure against its goal, one line each, and how many goals
# were met. Figures are medians of this one run: other work on the machine
# shows in them. The benchmarks' own output is kept in build/bench/logs/.
# Usage: scripts/bench.sh [pairs of start-up runs, default 15]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

pairs=${1:-15}
cmake --preset bench >/dev/null
# Quiet unless the build fails.
if ! build_log=$(cmake --build --preset bench --parallel 2 2>&1); then
  echo "$build_log" >&2
  exit 1
fi

bin=build/bench/bin
logs=build/bench/logs
mkdir -p "$logs"
failed=0

# Runs one benchmark program into its log; its goal lines go to the summary.
bench_run() {
  local name=$1
  shift
  echo "Running $name ..." >&2
  if ! "$@" >"$logs/$name.txt" 2>&1; then
    echo "$name did not finish cleanly, see $logs/$name.txt" >&2
    failed=1
  fi
  grep -E '^\[(met|MISSED)\]' "$logs/$name.txt" >>"$logs/goals.txt" || true
}

: >"$logs/goals.txt"
bench_run calc "$bin/vemora_calc_bench"
bench_run gui env QT_QPA_PLATFORM=offscreen "$bin/vemora_gui_bench"
bench_run startup-offscreen env QT_QPA_PLATFORM=offscreen \
  "$bin/vemora_startup_bench" offscreen "$pairs"
bench_run startup-xvfb xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb \
  "$bin/vemora_startup_bench" Xvfb "$pairs"
bench_run cli-memory bench/cli_memory.sh "$bin/vemora-calc" build/bench/cli_memory

echo
cat "$logs/goals.txt"
# Ten goals: a program that stopped early leaves its figures out, and they
# count as missed.
goals=10
lines=$(wc -l <"$logs/goals.txt")
[ "$lines" -eq "$goals" ] || echo "$((goals - lines)) figures are missing (a benchmark stopped early)"
met=$(grep -c '^\[met\]' "$logs/goals.txt" || true)
echo "$met of $goals goals met"
exit "$failed"
