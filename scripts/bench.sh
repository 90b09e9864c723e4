#!/usr/bin/env bash
# Sets up and builds the benchmarks (an optimised build), then prints every
# speed and memory figure, one line each, and how many goals were met. Each
# goal is a ratio to a floor measured in the same run, side by side; the
# figures without a goal stand alone. Figures are medians of this one run:
# other work on the machine shows in them. The benchmarks' own output is kept
# in build/bench/logs/.
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
  grep -E '^\[(met|MISSED|figure)\]' "$logs/$name.txt" >>"$logs/goals.txt" || true
}

: >"$logs/goals.txt"
bench_run calc "$bin/vemora_calc_bench"
bench_run gui env QT_QPA_PLATFORM=offscreen "$bin/vemora_gui_bench"
# The start-up probes in a home of their own: a copy the user runs meanwhile
# would otherwise hold the single-instance lock.
bench_run startup-offscreen tests/support/own_home.sh env QT_QPA_PLATFORM=offscreen \
  "$bin/vemora_startup_bench" offscreen "$pairs"
bench_run startup-xvfb tests/support/own_home.sh \
  xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb \
  "$bin/vemora_startup_bench" Xvfb "$pairs"
bench_run cli-memory bench/cli_memory.sh "$bin/vemora-calc" build/bench/cli_memory

# vemora.exe under Wine: start-up against the same window written by hand
# (and, as a figure, one label), and its size.
if (vemora_install "${vemora_windows_packages[@]}") && [ -x /usr/lib/wine/wine64 ]; then
  cmake --preset windows -DVEMORA_BUILD_BENCH=ON >/dev/null
  if ! build_log=$(cmake --build --preset windows --parallel 2 --target vemora \
    vemora_win_startup_probe vemora_win_startup_floor vemora_win_startup_baseline vemora_clip_file \
    2>&1); then
    echo "$build_log" >&2
    exit 1
  fi
  bench_run startup-wine xvfb-run -a -s "-screen 0 1024x768x24" \
    bench/windows/startup_ratio.sh build/windows/bin /usr/lib/wine/wine64 "$pairs" \
    x86_64-w64-mingw32-strip
else
  echo "The Windows figures need mingw-w64 and Wine, which could not be installed." >&2
fi

# The page in headless Chromium: opened and typed into against a plain page
# of the same elements, and its size.
if (vemora_install "${vemora_web_packages[@]}"); then
  cmake --preset web >/dev/null
  if ! build_log=$(cmake --build --preset web --parallel 2 --target vemora 2>&1); then
    echo "$build_log" >&2
    exit 1
  fi
  bench_run page /usr/bin/python3 bench/web/page_bench.py build/web/bin/vemora.html \
    bench/web/plain.html "$pairs"
else
  echo "The browser figures need Emscripten and Chromium, which could not be installed." >&2
fi

echo
cat "$logs/goals.txt"
# Thirteen goals: a program that stopped early leaves its lines out, and its
# goals count as missed.
goals=13
lines=$(grep -cE '^\[(met|MISSED)\]' "$logs/goals.txt" || true)
[ "$lines" -eq "$goals" ] || echo "$((goals - lines)) goals have no line (a benchmark stopped early)"
met=$(grep -c '^\[met\]' "$logs/goals.txt" || true)
echo "$met of $goals goals met"
exit "$failed"
