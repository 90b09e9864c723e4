#!/usr/bin/env bash
# Cross-builds the Windows program and its tests with mingw-w64 (the windows
# preset, in build/windows) and runs the tests under Wine, in a Wine prefix
# inside that folder. Installs what is missing first.
#
# Usage: scripts/windows_tests.sh [--skip-if-unavailable]
#   --skip-if-unavailable (or VEMORA_WINDOWS_TESTS=skip-if-unavailable): when
#   the cross compiler or Wine cannot be installed, say so and exit 0.
#   VEMORA_WINDOWS_TESTS=off skips at once, also with a note;
#   VEMORA_WINDOWS_TESTS=required never skips, whatever the option says.
#   VEMORA_JOBS=n limits the parallel build and test jobs.
# Exit status: the tests' (CTest's), or the build's when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=scripts/suite.sh
source scripts/suite.sh Windows VEMORA_WINDOWS_TESTS "$@"
suite_install "${vemora_windows_packages[@]}"

wine=$(command -v wine64 || command -v wine || true)
[ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
[ -n "$wine" ] || skip_or_fail "no wine64 or wine binary found."
wineserver=$(command -v wineserver || true)
[ -z "$wineserver" ] && wineserver="$(dirname "$wine")/wineserver"

build=build/windows
jobs=${VEMORA_JOBS:-$(nproc)}
start=$SECONDS

cmake --preset windows -DVEMORA_WINE="$wine" >/dev/null
cmake --build --preset windows -j "$jobs"
built=$SECONDS

status=0
ctest --preset windows -j "$jobs" || status=$?
# The prefix's server ends by itself a little later; end it now, so that
# nothing of the run outlives the script.
WINEPREFIX="$PWD/$build/wine-prefix" "$wineserver" -k 2>/dev/null || true

echo "Windows tests: build $((built - start)) s, tests under Wine $((SECONDS - built)) s."
exit "$status"
