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

# shellcheck source=scripts/suite.sh
source scripts/suite.sh Browser VEMORA_WEB_TESTS "$@"
suite_install "${vemora_web_packages[@]}"
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
