#!/usr/bin/env bash
# Sets up, builds and starts Vemora; with --windows, vemora.exe under Wine;
# with --web, the page in the default browser (or its path where there is
# none).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

if [ "${1:-}" = --windows ]; then
  # vemora.exe under Wine, in a prefix of its own, on the current X display.
  shift
  vemora_install "${vemora_windows_packages[@]}"
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target vemora vemora_clip_file
  if [ -z "${DISPLAY:-}" ]; then
    echo "No X display found. To start it on a virtual one:  xvfb-run -a $0 --windows" >&2
    exit 1
  fi
  export WINEPREFIX="$PWD/build/windows/wine-run" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
  exec /usr/lib/wine/wine64 build/windows/bin/vemora.exe "$@"
fi

if [ "${1:-}" = --web ]; then
  vemora_install "${vemora_web_packages[@]}"
  cmake --preset web >/dev/null
  cmake --build --preset web --target vemora
  page="$PWD/build/web/bin/vemora.html"
  if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && command -v xdg-open >/dev/null; then
    exec xdg-open "$page"
  fi
  echo "The page is built; open it in any browser: $page"
  exit 0
fi

cmake --preset release >/dev/null
cmake --build --preset release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: Vemora is a desktop program and needs one." >&2
  echo "To start it on a virtual display:  xvfb-run -a build/release/bin/vemora" >&2
  exit 1
fi
exec build/release/bin/vemora "$@"
