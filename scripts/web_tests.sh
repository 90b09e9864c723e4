#!/usr/bin/env bash
# Compiles the page and the browser build's tests with Emscripten (the web
# preset, in build/web), runs the tests under Node.js and drives the page in
# headless Chromium. Installs what is missing first.
#
# Usage: scripts/web_tests.sh [--skip-if-unavailable]
#   --skip-if-unavailable (or VEMORA_WEB_TESTS=skip-if-unavailable): when
#   Emscripten cannot be installed, say so and exit 0.
#   VEMORA_WEB_TESTS=off skips at once, also with a note;
#   VEMORA_WEB_TESTS=required never skips, whatever the option says.
#   VEMORA_JOBS=n limits the parallel build and test jobs.
# Exit status: the tests' (CTest's), or the build's when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."

optional=0
case "${1:-}" in
  --skip-if-unavailable) optional=1 ;;
  "") ;;
  *)
    echo "usage: $0 [--skip-if-unavailable]" >&2
    exit 2
    ;;
esac
case "${VEMORA_WEB_TESTS:-}" in
  skip-if-unavailable) optional=1 ;;
  required) optional=0 ;;
  off)
    echo "Browser tests SKIPPED: VEMORA_WEB_TESTS=off."
    exit 0
    ;;
esac

skip_or_fail() {
  if [ "$optional" -eq 1 ]; then
    echo "Browser tests SKIPPED: $1" >&2
    exit 0
  fi
  echo "Browser tests FAILED to start: $1" >&2
  exit 1
}

source scripts/setup.sh
# In a subshell: vemora_install exits when it cannot install.
if ! (vemora_install "${vemora_web_packages[@]}"); then
  skip_or_fail "could not install ${vemora_web_packages[*]}."
fi
command -v em++ >/dev/null && command -v node >/dev/null || skip_or_fail "no em++ or node found."

jobs=${VEMORA_JOBS:-$(nproc)}
start=$SECONDS
cmake --preset web >/dev/null
cmake --build --preset web -j "$jobs"
built=$SECONDS
status=0
ctest --preset web -j "$jobs" || status=$?
echo "Browser tests: build $((built - start)) s, tests under Node.js and Chromium $((SECONDS - built)) s."
exit "$status"
