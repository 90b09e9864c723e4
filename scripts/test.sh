#!/usr/bin/env bash
# Sets up, builds and runs every test; exits with the tests' status.
# Usage: scripts/test.sh [preset [ctest options...]]   (default preset: ci,
# a debug build with warnings as errors)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

preset=${1:-ci}
shift || true
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
status=0
ctest --preset "$preset" -j "$(nproc)" --timeout 300 "$@" || status=$?
# The Windows cross build under Wine; skipped with a note when its tools
# cannot be installed, or when VEMORA_WINDOWS_TESTS=off.
scripts/windows_tests.sh --skip-if-unavailable || status=$?
# The browser build under Node.js, the same way (VEMORA_WEB_TESTS=off).
scripts/web_tests.sh --skip-if-unavailable || status=$?
exit "$status"
