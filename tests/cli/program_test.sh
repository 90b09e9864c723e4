#!/usr/bin/env bash
# The built program as a user runs it: exit statuses, the user's decimal
# separator, standard input, a failing write, and a terminal's character set.
# Usage: program_test.sh VEMORA_CALC
set -uo pipefail
calc=$1
failures=0
help="Hilfe (help): vemora-calc --help"
# expect NAME STATUS TEXT COMMAND...: runs COMMAND; compares its status, and
# what it wrote to standard output and error together.
expect() {
  local name=$1 status=$2 want=$3
  shift 3
  local out rc
  out=$("$@" 2>&1)
  rc=$?
  if [ "$rc" != "$status" ] || [ "$out" != "$want" ]; then
    echo "FAIL $name: status $rc (want $status), output '$out' (want '$want')"
    failures=$((failures + 1))
  fi
}
export LANG= LANGUAGE= LC_ALL=C.UTF-8
expect CsvFileMissing 2 "vemora-calc: /nonexistent/servers.csv: Datei nicht lesbar (cannot open file)
$help" "$calc" --csv /nonexistent/servers.csv
# The list's columns are the in-process server list's; here only that "-" reads
# standard input (disk 200: L2 20 and L5 409.6 KB, 9537.6 KB in all).
expect CsvFromStandardInput 0 "text
9.31" bash -c "set -o pipefail; printf 'disk\n200\n' | '$calc' --csv - | cut -d, -f20"
expect WriteError 1 "vemora-calc: Schreibfehler (write error)" sh -c "'$calc' >/dev/full"
if locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
  LC_ALL=de_DE.UTF-8 expect GermanLocale 0 "9,1" "$calc"
else
  echo "no de_DE.UTF-8 locale: German separator not checked"
fi
# A terminal in a Latin-1 locale gets Latin-1: "Ü" as the one byte 0xdc,
# never UTF-8's 0xc3 0x9c, whose 0x9c it would take for a C1 control.
locales=$(mktemp -d)
trap 'rm -rf "$locales"' EXIT
if localedef -i de_DE -f ISO-8859-1 "$locales/de_DE.ISO-8859-1" 2>/dev/null; then
  LOCPATH=$locales LC_ALL=de_DE.ISO-8859-1 expect Latin1Terminal 1 \
    "$(printf 'vemora-calc: Laufzeitfehler 6: \334berlauf\r')" \
    script -qec "'$calc' --disk 2147483648" /dev/null
else
  echo "no de_DE locale source: a Latin-1 terminal not checked"
fi
exit $((failures > 0))
