#!/usr/bin/env bash
# vemora.exe at 96 and at 144 DPI (Wine's LogPixels), in a Wine prefix of
# its own on an X server (run under xvfb-run): at 144 the window and its
# fonts are half as large again, and the controls still work.
# Usage: dpi_test.sh WINE OUTPUT_DIR WINDOW_POINTS_EXE VEMORA_EXE
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=tests/support/x11.sh
source "$here/../support/x11.sh"
# shellcheck source=tests/support/window_cases.sh
source "$here/../support/window_cases.sh"
# shellcheck source=tests/windows/wine.sh
source "$here/wine.sh"
export LC_ALL=C.UTF-8
wine_session dpi-prefix "$1" "$2" "$3"
exe=$4
declare -A ink

start_copy() {
  "$wine" "$exe" >/dev/null 2>&1 &
  echo $!
}

# Width in pixels of the ink of the first label, "Gesamtplattenspeicher in
# MB (1GB=1024MB)", which lies left of x 317 and between y 13 and 30 at 96 DPI.
label_ink_width() {
  import -window "$main" png:- |
    convert - -crop "$((316 * scale / 100))x$((17 * scale / 100))+0+$((13 * scale / 100))" \
      +repage -fuzz 20% -trim -format '%w' info: 2>/dev/null
}
# The window may show before its labels are painted: wait for the text.
label_painted() { width=$(label_ink_width) && [ "$width" -gt 10 ]; }

# Each row: DPI, the client area it gives, a field, what is typed into it, the result.
while read -r dpi size field keys result; do
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true  # a new server reads the value at its start
  scale=$((dpi * 100 / 96))
  start_main
  got=$(xdotool getwindowgeometry "$main" | sed -n 's/^ *Geometry: //p')
  [ "$got" = "$size" ] || fail "at $dpi DPI the window is $got, expected $size"
  retry 50 label_painted || fail "at $dpi DPI the first label shows no text"
  ink[$dpi]=$width
  import -window root "$out/dpi_$dpi.png"
  click "$main" "$field"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 50 "$keys"
  expect_result "$result" "at $dpi DPI, $keys typed into $field"
  end_case
done <<ROWS
96  446x358 Text_V6 50 26.68
144 669x537 Text_V6 50 26.68
ROWS

# Text at 144 DPI is half as wide again as at 96 (rounding of the font's
# height lets it be a little more).
ratio=$(awk -v a="${ink[96]}" -v b="${ink[144]}" 'BEGIN {printf "%.3f", b / a}')
awk -v r="$ratio" 'BEGIN {exit !(r >= 1.45 && r <= 1.6)}' ||
  fail "the label's text is ${ink[96]} px wide at 96 DPI and ${ink[144]} px at 144 (x$ratio)"
echo "DPI test under Wine passed: label text ${ink[96]} and ${ink[144]} px (x$ratio); screenshots in $out"
