#!/usr/bin/env bash
# Starts the installed program through its bin/ link in a real X server (run
# under xvfb-run) and checks that the window carries the icon and that the
# About window's clip, found beside the real executable, plays.
# Usage: installed_program_test.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
# shellcheck source=tests/install/common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=tests/support/x11.sh
source "$(dirname "$0")/../support/x11.sh"
need xdotool xprop import compare convert
build=$1
out=$2
mkdir -p "$out"
prefix=$(install_into_temp "$build")
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
pid=
cleanup() {
  if [ -n "$pid" ]; then
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$prefix" "$runtime"
}
trap cleanup EXIT

# The clip's box in the About window, client pixels 336..393 x 8..49.
clip_region() {
  import -window "$1" "$2.png"
  convert "$2.png" -crop 58x42+336+8 +repage "$2-clip.png"
}

# The current folder must play no part in finding the clip.
cd /
"$prefix/bin/vemora" &
pid=$!
main=$(wait_window '^Vemora - Version 2\.3') || fail "main window did not appear"
icon=$(xprop -id "$main" _NET_WM_ICON)
for size in 16 32; do
  grep -q "Icon ($size x $size)" <<<"$icon" || fail "no ${size}px window icon: ${icon:0:60}"
done

click_twips "$main" 3300 4980                         # the logo
about=$(wait_window '^Info Vemora$') || fail "About window did not open"
sleep 0.5
clip_region "$about" "$out/installed_about_1"
[ "$(convert "$out/installed_about_1-clip.png" -format %k info:)" -gt 1 ] ||
  fail "the clip's box is uniform: no clip was found beside the executable"
# Frames change at the clip's own rate; look again until one differs.
for attempt in $(seq 20); do
  sleep 0.25
  clip_region "$about" "$out/installed_about_2"
  changed=$(compare -metric AE "$out/installed_about_1-clip.png" \
                    "$out/installed_about_2-clip.png" null: 2>&1 || true)
  [ "${changed%% *}" != "0" ] && break
done
[ "${changed%% *}" != "0" ] || fail "the clip does not play"
echo "installed program test passed ($attempt look(s)); screenshots in $out"
