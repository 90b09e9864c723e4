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
ctest --preset "$preset" -j "$(nproc)" --timeout 300 "$@"
