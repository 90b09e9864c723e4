#!/usr/bin/env bash
# Installs, upgrades and removes the MSI under Wine, in a prefix of the
# test's own, as msiexec does it for a person (run under xvfb-run: the
# installed program is started and must find its clip).
# Usage: msi_test.sh WINE OUTPUT_DIR WINDOW_POINTS_EXE MSI MAKE_MSI
#   MAKE_MSI builds an MSI of the same files for another version.
set -euo pipefail
here=$(dirname "$0")
# shellcheck source=tests/support/x11.sh
source "$here/../support/x11.sh"
# shellcheck source=tests/support/window_cases.sh
source "$here/../support/window_cases.sh"
# shellcheck source=tests/windows/wine.sh
source "$here/wine.sh"
msi=$4
make_msi=$5
rm -rf "$2/msi-prefix"
wine_session msi-prefix "$1" "$2" "$3"

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/Vemora"
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
msiexec() { "$wine" msiexec "$@" /qn >/dev/null 2>&1; }

# Each Vemora entry of the uninstall list as one line: VALUE=... separated by '|'.
entries() {
  "$wine" reg query "$arp" /s 2>/dev/null | tr -d '\r' | awk '
    /^HKEY/ { if (line ~ /DisplayName=Vemora\|/) print line; line = "" ; next }
    NF >= 3 { name = $1; $1 = ""; $2 = ""; sub(/^  /, ""); line = line name "=" $0 "|" }
    END { if (line ~ /DisplayName=Vemora\|/) print line }'
}

# What the list of installed programs shows for the one Vemora entry.
expect_entry() {  # VERSION
  local list row value
  list=$(entries)
  [ "$(grep -c . <<<"$list")" -eq 1 ] || fail "uninstall entries: '$list', expected one"
  while read -r value; do
    [[ "|$list" == *"|$value|"* ]] || fail "the uninstall entry lacks $value: $list"
  done <<ROWS
DisplayVersion=$1
Publisher=Die Vemora-Entwickler
URLInfoAbout=https://vemora.example.org/
HelpLink=https://vemora.example.org/
ROWS
  # The list's icon for an installed package is the one it published.
  row=$("$wine" reg query 'HKLM\Software\Classes\Installer\Products' /s /v ProductIcon 2>/dev/null |
    tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p')
  [ -n "$row" ] || fail "no ProductIcon published"
  cmp -s "$("$wine" winepath -u "$row" 2>/dev/null)" "$here/../../assets/icon/vemora.ico" ||
    fail "the published icon $row is not the program's"
}

shortcuts() { find "$drive" -iname 'Vemora.lnk' -path '*Start Menu/Programs/*'; }

expect_installed() {  # VERSION
  local listing lnk
  listing=$(LC_ALL=C ls "$folder" | tr '\n' ' ')
  [ "$listing" = "LICENSE LIESMICH.txt quorl.avi vemora-calc.exe vemora.exe " ] ||
    fail "Program Files\\Vemora holds '$listing'"
  cmp -s "$folder/quorl.avi" "$(dirname "$make_msi")/stage/quorl.avi" || fail "quorl.avi differs"
  # Wine puts a per-machine package's shortcut in the user's Start menu,
  # Windows in the common one: exactly one, either way.
  lnk=$(shortcuts)
  [ "$(grep -c . <<<"$lnk")" -eq 1 ] || fail "Start-menu shortcuts: '$lnk'"
  grep -aqF 'C:\Program Files\Vemora\vemora.exe' "$lnk" || fail "the shortcut does not point at vemora.exe"
  expect_entry "$1"
}

msiexec /i "$msi" || fail "msiexec /i failed"
expect_installed 2.3.0.3

# The installed program shows its window and finds its clip.
start_copy() {
  "$wine" 'C:\Program Files\Vemora\vemora.exe' >/dev/null 2>&1 &
  echo $!
}
start_main
open_about
clip_plays "$about" || fail "the installed program's clip does not play"
press_in "$about" Escape
wait_gone '^Info Vemora$' || fail "Esc did not close the About window"
end_case

# The same version in another package is refused and changes nothing.
"$make_msi" 2.3.0.3 0D5A7C2E-1B3F-4A60-9E84-2C7B5F1A9D30 "$out/vemora-same-version.msi"
if msiexec /i "$out/vemora-same-version.msi"; then fail "the same version was installed again"; fi
expect_installed 2.3.0.3

# A newer version replaces the older one; the older one cannot come back.
"$make_msi" 2.4.0.0 8E2B6D41-7C9A-4F35-B0D8-3A1E6C5F2B97 "$out/vemora-newer.msi"
msiexec /i "$out/vemora-newer.msi" || fail "the newer version did not install"
expect_installed 2.4.0.0
if msiexec /i "$msi"; then fail "the older version replaced the newer one"; fi
expect_installed 2.4.0.0

msiexec /x "$out/vemora-newer.msi" || fail "msiexec /x failed"
[ ! -e "$folder" ] || fail "Program Files\\Vemora is left: $(ls -A "$folder" | tr '\n' ' ')"
[ -z "$(shortcuts)" ] || fail "the shortcut is left: $(shortcuts)"
[ -z "$(entries)" ] || fail "the uninstall entry is left: $(entries)"
if "$wine" reg query 'HKLM\Software\Classes\Installer\Products' /s /v ProductIcon 2>/dev/null |
  grep ProductIcon >/dev/null; then fail "the published product is left"; fi
echo "MSI test under Wine passed"
