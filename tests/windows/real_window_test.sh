#!/usr/bin/env bash
# Drives vemora.exe under Wine in a real X server (run under xvfb-run) through
# the window cases shared with the Qt program. Wine has a prefix of its own
# here, whose registry names a marker program for "&Systeminfo...".
# Usage: real_window_test.sh VEMORA_EXE HELPER_EXE WINE OUTPUT_DIR WINDOW_POINTS_EXE
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=tests/support/x11.sh
source "$here/../support/x11.sh"
# shellcheck source=tests/support/window_cases.sh
source "$here/../support/window_cases.sh"
wine=$3
mkdir -p "$4"
out=$(cd "$4" && pwd)  # Wine wants its prefix as an absolute path
# From a folder whose name is not all ASCII, where the clip must still play.
folder="$out/Vemora Prüfung"
mkdir -p "$folder"
cp "$1" "$(dirname "$1")/quorl.avi" "$folder/"
exe="$folder/$(basename "$1")"
export WINEPREFIX="$out/wine-prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
marker_dir=$(mktemp -d)
cp "$2" "$marker_dir/msinfo.exe"
marker_started="$marker_dir/msinfo.exe.started"
cleanup() {
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null || true
  rm -rf "$marker_dir"
}
trap cleanup EXIT
# Any other step that ends the script says where, so no failure is silent.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
# Making a fresh prefix fails now and then while other Wine tests run:
# once more, then its own words.
wineboot() { "$wine" wineboot --init >"$out/wineboot.log" 2>&1; }
wineboot || wineboot || fail "wineboot could not make the prefix: $(tail -3 "$out/wineboot.log")"
load_window_points "$wine" "$5" || fail "no window points from $5"

start_copy() {
  "$wine" "$exe" >/dev/null 2>&1 &
  echo $!
}

msinfo_key='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
offer_sysinfo() {
  if [ "$1" = on ]; then
    "$wine" reg add "$msinfo_key" /v PATH /t REG_SZ /d "$("$wine" winepath -w "$marker_dir/msinfo.exe")" /f
  else
    "$wine" reg delete "$msinfo_key" /v PATH /f || true
  fi >/dev/null 2>&1
}
offer_sysinfo off

run_window_cases
echo "real window test under Wine passed; screenshots in $out"
