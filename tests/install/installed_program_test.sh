#!/usr/bin/env bash
# Starts the installed program through its bin/ link in a real X server (run
# under xvfb-run) and checks that the window carries the icon and that the
# About window shows the clip found beside the real executable (that a clip
# plays is the animation control's own test).
# Usage: installed_program_test.sh BUILD_DIR OUTPUT_DIR
set -euo pipefail
# shellcheck source=tests/install/common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=tests/support/x11.sh
source "$(dirname "$0")/../support/x11.sh"
need xdotool xprop import convert
build=$1
out=$2
mkdir -p "$out"
load_window_points "$build/bin/vemora_window_points" || fail "no window points in $build/bin"
prefix=$(install_into_temp "$build")
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
pid=
cleanup() {
  [ -z "$pid" ] || { kill -9 "$pid"; wait "$pid"; } 2>/dev/null || true
  rm -rf "$prefix" "$runtime"
}
trap cleanup EXIT

# The current folder must play no part in finding the clip.
cd /
"$prefix/bin/vemora" &
pid=$!
main=$(wait_window "$main_pattern") || fail "no main window captioned '$caption'"
icon=$(xprop -id "$main" _NET_WM_ICON)
for size in 16 32; do
  grep -q "Icon ($size x $size)" <<<"$icon" || fail "no ${size}px window icon: ${icon:0:60}"
done

# shellcheck disable=SC2046
click_twips "$main" ${at[Logo]}
about=$(wait_window '^Info Vemora$') || fail "About window did not open"
# More than one colour in the clip's box once it shows a frame.
clip_shown() {
  [ "$(import -window "$about" -crop "$(crop_box Animation1)" miff:- |
    convert - -format %k info:)" -gt 1 ]
}
retry 50 clip_shown || fail "the clip's box is uniform: no clip was found beside the executable"
import -window "$about" "$out/installed_about.png"
echo "installed program test passed; screenshots in $out"
