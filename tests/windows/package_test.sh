#!/usr/bin/env bash
# Checks the Windows build as it ships: both programs import only DLLs that
# every Windows has, vemora.exe carries its manifest, and `cpack -G ZIP`
# makes vemora-<version>-win64.zip with exactly the five files.
# Usage: package_test.sh BUILD_DIR OBJDUMP VERSION
set -euo pipefail
build=$1
objdump=$2
version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

for exe in vemora.exe vemora-calc.exe; do
  dlls=$("$objdump" -p "$build/bin/$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  for dll in $dlls; do
    case $dll in
      kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | advapi32.dll | msvcrt.dll) ;;
      *) fail "$exe imports $dll" ;;
    esac
  done
done
grep -aq 'Microsoft.Windows.Common-Controls' "$build/bin/vemora.exe" || fail "no common controls 6"
grep -aq '>PerMonitorV2<' "$build/bin/vemora.exe" || fail "no per-monitor DPI awareness"

packages=$(mktemp -d)
trap 'rm -rf "$packages"' EXIT
(cd "$build" && cpack -G ZIP -B "$packages" >/dev/null) || fail "cpack -G ZIP failed"
zip="$packages/vemora-$version-win64.zip"
[ -f "$zip" ] || fail "no $zip"
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
folder="vemora-$version-win64"
want="$folder/LICENSE $folder/LIESMICH.txt $folder/quorl.avi $folder/vemora-calc.exe $folder/vemora.exe "
[ "$listing" = "$want" ] || fail "the zip holds '$listing', expected '$want'"
echo "package test passed: $(basename "$zip")"
