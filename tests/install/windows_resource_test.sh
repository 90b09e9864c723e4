#!/usr/bin/env bash
# Checks the generated Windows version resource: the numbers and the padded
# version text of version 2.3.0.3, the copyright notice and
# product name are there, and the icon holds a 16 and a 32 pixel image, each
# in 16 colours.
# Usage: windows_resource_test.sh RC_FILE
set -euo pipefail
# shellcheck source=tests/install/common.sh
source "$(dirname "$0")/common.sh"
rc=$1
# Written out, not worked out from the version: a new version changes them here.
text='2\.03\.0003'
numbers=2,3,0,3

expect() { grep -qE -- "$1" "$rc" || fail "$rc lacks: $1"; }
expect "^FILEVERSION $numbers\$"
expect "^PRODUCTVERSION $numbers\$"
expect "VALUE \"FileVersion\", \"$text\""
expect "VALUE \"ProductVersion\", \"$text\""
expect 'VALUE "ProductName", "Vemora"'
expect 'VALUE "LegalCopyright", "Copyright © [0-9]{4} [^"]+"'
grep -q '@' "$rc" && fail "$rc has an unreplaced @VARIABLE@"

ico=$(sed -n 's/^IDI_ICON1 ICON "\(.*\)"$/\1/p' "$rc")
[ -f "$ico" ] || fail "icon file '$ico' not found"
# ICONDIR: reserved 0, type 1, count; then 16-byte entries: width, height,
# colours, ..., at 12 the offset of the image, whose bitmap header has its
# bits per pixel at 14.
read -r reserved type count <<<"$(od -An -tu2 -N6 "$ico")"
[ "$reserved $type" = "0 1" ] || fail "$ico is not an icon file"
images=$(for i in $(seq 0 $((count - 1))); do
  entry=$((6 + 16 * i))
  read -r size _ colours <<<"$(od -An -tu1 -j$entry -N3 "$ico")"
  offset=$(od -An -tu4 -j$((entry + 12)) -N4 "$ico" | tr -d ' ')
  echo "${size}px:$colours:$(od -An -tu2 -j$((offset + 14)) -N2 "$ico" | tr -d ' ')bit"
done | sort -n | tr '\n' ' ')
[ "$images" = "16px:16:4bit 32px:16:4bit " ] ||
  fail "$ico holds '$images', want 16 and 32 px in 16 colours"

# The Windows build compiles it; here only that the © survives windres.
if windres=$(command -v x86_64-w64-mingw32-windres || command -v windres); then
  back=$("$windres" -i "$rc" -O rc) || fail "windres cannot read $rc"
  grep -q 'LegalCopyright", L"Copyright \\251' <<<"$back" || fail "© did not survive windres as U+00A9"
fi
echo "windows resource test passed"
