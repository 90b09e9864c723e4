#!/usr/bin/env bash
# Code hygiene: every C++ file as clang-format writes it, and the checks of
# .clang-tidy over src/ and tests/. clang-tidy reads the compile commands of
# a configured build, the ci one unless another folder is given.
# Usage: scripts/hygiene.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
build=${1:-build/ci}
if [ ! -f "$build/compile_commands.json" ]; then
  echo "hygiene: $build/compile_commands.json is missing; run scripts/test.sh first" >&2
  exit 1
fi

mapfile -t files < <(find src tests bench fuzz assets -name '*.cpp' -o -name '*.h' | sort)
echo "clang-format: ${#files[@]} files"
clang-format --dry-run --Werror "${files[@]}"

# Only the files under src/ and tests/, not those the build generates.
root=$(printf '%s' "$PWD" | sed 's/[][\.*^$+?(){}|]/\\&/g')
echo "clang-tidy: src/ and tests/"
# The compile commands carry GCC's warning options; clang need not know them.
run-clang-tidy-14 -p "$build" -j 2 -quiet -extra-arg=-Wno-unknown-warning-option \
  "^$root/(src|tests)/" >"$build/clang-tidy.log" 2>&1 || {
  sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E 'warning:|error:' | sort -u
  echo "hygiene: clang-tidy found the above (full output: $build/clang-tidy.log)" >&2
  exit 1
}
echo "hygiene: clean"
