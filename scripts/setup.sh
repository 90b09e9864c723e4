#!/usr/bin/env bash
# Installs the Debian packages Vemora needs, when they are missing.
# Sourced by run.sh and test.sh; idempotent and quick when all is present.
set -euo pipefail

vemora_packages=(
  g++ cmake ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev time
  xvfb xauth xdotool xclip x11-utils imagemagick fonts-liberation2 ffmpeg locales
  dpkg-dev desktop-file-utils appstream python3
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi
  lintian weston qt6-wayland libweston-10-dev
  libfast-float-dev libfmt-dev
)
# The Windows cross build and Wine (with the fonts of its dialogs), unzip
# for the package check and wixl for the installer; installed by
# scripts/windows_tests.sh.
vemora_windows_packages=(g++-mingw-w64-x86-64-posix wine64 fonts-wine googletest unzip wixl)
# The browser build, with Node.js to run its tests and Chromium with its
# WebDriver for the page; installed by scripts/web_tests.sh.
vemora_web_packages=(emscripten nodejs googletest chromium chromium-driver python3-selenium)
# Code hygiene, checked by scripts/hygiene.sh: both at version 14, and
# run-clang-tidy-14 with them.
vemora_packages+=(clang-format clang-tidy)

vemora_missing_packages() {
  local p missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  echo "${missing[@]:-}"
}

# Installs the given packages if any is missing; as non-root prints the line.
vemora_install() {
  local missing
  missing=$(vemora_missing_packages "$@")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Vemora needs these Debian packages. Please run:" >&2
    echo "  sudo apt-get install -y $missing" >&2
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

vemora_install "${vemora_packages[@]}"

# Tests of the comma as decimal separator need a German locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && [ "$(id -u)" -eq 0 ]; then
  sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi
