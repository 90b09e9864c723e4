#!/usr/bin/env bash
# Opens vemora.exe's main and About windows and reads them with
# accessible_names_win_test.exe, in a Wine prefix of their own on an X display
# (run under xvfb-run).
# Usage: accessible_names_test.sh WINE OUTPUT_DIR WINDOW_POINTS_EXE TEST_EXE VEMORA_EXE TABLE
set -euo pipefail
# shellcheck source=tests/support/x11.sh
source "$(dirname "$0")/../support/x11.sh"
# shellcheck source=tests/windows/wine.sh
source "$(dirname "$0")/wine.sh"
export LC_ALL=C.UTF-8
wine_session a11y-prefix "$1" "$2" "$3"
"$wine" "$5" >/dev/null 2>&1 &
main=$(wait_window "$main_pattern") || fail "no main window captioned '$caption'"
# shellcheck disable=SC2086
click_twips "$main" ${at[Logo]}
wait_window '^Info Vemora$' >/dev/null || fail "the logo did not open the About window"
"$wine" "$4" --gtest_brief=1 "$("$wine" winepath -w "$6")"
