#!/usr/bin/env bash
# Sets up, builds and starts Vemora.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

cmake --preset release >/dev/null
cmake --build --preset release

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: Vemora is a desktop program and needs one." >&2
  echo "To start it on a virtual display:  xvfb-run -a build/release/bin/vemora" >&2
  exit 1
fi
exec build/release/bin/vemora "$@"
