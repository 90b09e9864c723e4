#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for the given time on a working
# copy of its committed corpus in build/fuzz (the committed corpus never
# grows by itself). Exits non-zero when any target crashed, leaked, ran out
# of memory or timed out; the input is then in build/fuzz/artifacts.
# Usage: scripts/fuzz.sh [seconds per target]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
# clang-14 brings libFuzzer and the sanitizer runtimes in libclang-rt-14-dev.
vemora_install clang-14 libclang-rt-14-dev

seconds=${1:-60}
targets=(number_from_text avi_reader registry_value)
build=build/fuzz

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 --target "${targets[@]/#/vemora_fuzz_}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:symbolize=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

mkdir -p "$build/artifacts" "$build/logs"
failed=0
summaries=()
for target in "${targets[@]}"; do
  work="$build/corpus/$target"
  mkdir -p "$work"
  cp fuzz/corpus/"$target"/* "$work"/
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$build/artifacts/$target-")
  [ -f "fuzz/dict/$target.dict" ] && options+=(-dict="fuzz/dict/$target.dict")
  case "$target" in
    # Clips need room for headers and a few frames.
    avi_reader) options+=(-max_len=16384) ;;
  esac
  log="$build/logs/$target.log"
  echo "Fuzzing $target for ${seconds}s (log: $log)"
  status=0
  "$build/bin/vemora_fuzz_$target" "${options[@]}" "$work" >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  features=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  corpus=$(find "$work" -type f | wc -l)
  if [ "$status" -eq 0 ]; then
    result=ok
  else
    result="FAILED (exit $status, see $log)"
    failed=1
  fi
  summaries+=("$(printf '%-20s %s: %s execs, cov %s, ft %s, corpus %s' "$target" "$result" \
    "${execs:-?}" "${cov:-?}" "${features:-?}" "$corpus")")
done

printf '%s\n' "${summaries[@]}"
exit "$failed"
