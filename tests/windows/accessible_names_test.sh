#!/usr/bin/env bash
# Starts vemora.exe and reads it with accessible_names_win_test.exe, in a
# Wine prefix of their own on an X display (run under xvfb-run).
# Usage: accessible_names_test.sh TEST_EXE VEMORA_EXE TABLE WINE OUTPUT_DIR
set -euo pipefail
wine=$4
mkdir -p "$5"
WINEPREFIX="$(cd "$5" && pwd)/a11y-prefix"
export WINEPREFIX WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" LC_ALL=C.UTF-8
trap '"$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT
"$wine" wineboot --init >/dev/null 2>&1
"$wine" "$2" >/dev/null 2>&1 &
"$wine" "$1" --gtest_brief=1 "$("$wine" winepath -w "$3")"
