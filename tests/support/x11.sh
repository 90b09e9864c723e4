# shellcheck shell=bash
# Helpers for tests that drive the real program in an X server with xdotool.
# Sourced, not run.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Prints the id of the first shown window whose name matches, waiting up to 10 s.
wait_window() {
  local id
  retry 100 shown_window "$1" && echo "$id"
}
shown_window() { id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ]; }

# Twips in a pixel: 15 at 96 DPI; a driver at another DPI sets its own.
twips_per_pixel=15

# Clicks at a point given in twips from the window's client origin.
click_twips() {
  xdotool mousemove --window "$1" $(($2 / twips_per_pixel)) $(($3 / twips_per_pixel)) click 1
  sleep 0.2
}

# Reads what the points program (tests/support/window_points.cpp) prints
# from the design tables: at[CONTROL] and rect[CONTROL] in twips,
# client[FORM] and the main window's caption.
# shellcheck disable=SC2034  # set by the eval, used by the sourcing scripts
declare -A at rect client
load_window_points() {  # COMMAND...
  local points
  points=$("$@" | tr -d '\r') && [ -n "$points" ] || return 1
  eval "$points"
  # The caption as a pattern for wait_window, every character taken as it is.
  # shellcheck disable=SC2034,SC2154
  main_pattern="^$(sed 's/[][\.*^$(){}+?|]/\\&/g' <<<"$caption")\$"
}

# A control's box in pixels, as import -crop takes it.
crop_box() {  # CONTROL
  local left top width height t=$twips_per_pixel
  read -r left top width height <<<"${rect[$1]}"
  echo "$((width / t))x$((height / t))+$((left / t))+$((top / t))"
}

# True when the window's size is WIDTH x HEIGHT pixels.
has_size() {  # WINDOW WIDTH HEIGHT
  [ "$(xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/^ *Geometry: //p')" = "$2x$3" ]
}

# Tries a command every 0.1 s until it succeeds, at most TRIES times.
retry() {  # TRIES COMMAND...
  local tries=$1
  shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
