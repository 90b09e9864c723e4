#!/usr/bin/env bash
# Drives vemora.exe under Wine in a real X server (run under xvfb-run) through
# the window cases shared with the Qt program. Wine has a prefix of its own
# here, whose registry names a marker program for "&Systeminfo...".
# Usage: real_window_test.sh WINE OUTPUT_DIR WINDOW_POINTS_EXE VEMORA_EXE HELPER_EXE
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=tests/support/x11.sh
source "$here/../support/x11.sh"
# shellcheck source=tests/support/window_cases.sh
source "$here/../support/window_cases.sh"
# shellcheck source=tests/windows/wine.sh
source "$here/wine.sh"
# The prefix is made in the locale the program runs in, so Wine never changes
# the user's number format between the prefix and the program.
export LC_ALL=de_DE.UTF-8
wine_session wine-prefix "$1" "$2" "$3"
# From a folder whose name is not all ASCII, where the clip must still play.
folder="$out/Vemora Prüfung"
mkdir -p "$folder"
cp "$4" "$(dirname "$4")/quorl.avi" "$folder/"
exe="$folder/$(basename "$4")"
cp "$5" "$out/msinfo.exe"
marker_started="$out/msinfo.exe.started"
rm -f "$marker_started"

start_copy() {
  "$wine" "$exe" >/dev/null 2>&1 &
  echo $!
}

msinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
offer_sysinfo() {
  if [ "$1" = on ]; then
    "$wine" reg add "$msinfo_key" /v PATH /t REG_SZ /d "$("$wine" winepath -w "$out/msinfo.exe")" /f
  else
    "$wine" reg delete "$msinfo_key" /v PATH /f || true
  fi >/dev/null 2>&1
}
offer_sysinfo off

run_window_cases
echo "real window test under Wine passed; screenshots in $out"
