#!/usr/bin/env bash
# Runs the toolkit contract table on Win32 under Wine, on the X server that
# xvfb-run gives, in a prefix of its own whose windows are not left to a
# window manager (there is none: Wine would wait for one at every unmap).
# Usage: contract_test.sh WINE TEST_EXE PREFIX
set -euo pipefail
export WINEPREFIX=$3 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
"$1" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
status=0
"$1" "$2" --gtest_brief=1 || status=$?
"$(dirname "$1")/wineserver" -k 2>/dev/null || true
exit "$status"
