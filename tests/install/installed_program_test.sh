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
main=$(wait_window '^Vemora - Version 2\.3') || fail "main window did not appear"
icon=$(xprop -id "$main" _NET_WM_ICON)
for size in 16 32; do
  grep -q "Icon ($size x $size)" <<<"$icon" || fail "no ${size}px window icon: ${icon:0:60}"
done

click_twips "$main" 3300 4980                         # the logo
about=$(wait_window '^Info Vemora$') || fail "About window did not open"
sleep 0.5
import -window "$about" "$out/installed_about.png"
# The clip's box, client pixels 336..393 x 8..49: more than one colour.
[ "$(convert "$out/installed_about.png" -crop 58x42+336+8 -format %k info:)" -gt 1 ] ||
  fail "the clip's box is uniform: no clip was found beside the executable"
echo "installed program test passed; screenshots in $out"
