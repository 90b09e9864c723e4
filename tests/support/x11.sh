# Helpers for tests that drive the real program in an X server with xdotool.
# Sourced, not run.

# Prints the id of the first window whose name matches, waiting up to 10 s.
wait_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Clicks at a point given in twips from the window's client origin (96 DPI).
click_twips() {
  xdotool mousemove --window "$1" $(( $2 / 15 )) $(( $3 / 15 )) click 1
  sleep 0.2
}
