#!/usr/bin/env bash
# Checks the generated Windows version resource: the numbers and the padded
# version text come from the project version, the copyright notice and
# product name are there, and the icon holds a 16 and a 32 pixel image.
# Usage: windows_resource_test.sh RC_FILE PROJECT_VERSION
set -euo pipefail
# shellcheck source=tests/install/common.sh
source "$(dirname "$0")/common.sh"
rc=$1
IFS=. read -r major minor patch tweak <<<"$2"
text=$(printf '%d.%02d.%04d' "$major" "$minor" "$tweak")
numbers="$major,$minor,$patch,$tweak"

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
# ICONDIR: reserved 0, type 1, count; then 16-byte entries starting with width.
read -r reserved type count <<<"$(od -An -tu2 -N6 "$ico")"
[ "$reserved $type" = "0 1" ] || fail "$ico is not an icon file"
sizes=$(for i in $(seq 0 $((count - 1))); do od -An -tu1 -j$((6 + 16 * i)) -N1 "$ico"; done |
  tr -d ' ' | sort -n | tr '\n' ' ')
[ "$sizes" = "16 32 " ] || fail "$ico holds sizes '$sizes', want 16 and 32"

# The Windows build compiles it; here only that the © survives windres.
if windres=$(command -v x86_64-w64-mingw32-windres || command -v windres); then
  back=$("$windres" -i "$rc" -O rc) || fail "windres cannot read $rc"
  grep -q 'LegalCopyright", L"Copyright \\251' <<<"$back" || fail "© did not survive windres as U+00A9"
fi
echo "windows resource test passed"
