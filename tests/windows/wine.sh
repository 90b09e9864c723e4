# shellcheck shell=bash
# The set-up of the scripts that run vemora.exe under Wine on an X display,
# each called as SCRIPT WINE OUTPUT_DIR WINDOW_POINTS_EXE ARGS...; sourced
# after tests/support/x11.sh.
wine_session() {  # PREFIX_NAME WINE OUTPUT_DIR WINDOW_POINTS_EXE: sets $wine, $out (absolute)
  wine=$2
  mkdir -p "$3"
  out=$(cd "$3" && pwd)  # Wine wants its prefix as an absolute path
  export WINEPREFIX="$out/$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  trap '"$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT
  # Any step that ends the script says where, so no failure is silent.
  trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR
  # Making a fresh prefix fails now and then while other Wine tests run:
  # once more, then its own words.
  "$wine" wineboot --init >"$out/$1.log" 2>&1 || "$wine" wineboot --init >"$out/$1.log" 2>&1 ||
    fail "wineboot could not make the prefix: $(tail -3 "$out/$1.log")"
  load_window_points "$wine" "$4" || fail "no window points from $4"
}
