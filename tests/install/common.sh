# shellcheck shell=bash
# Helpers shared by the install tests; sourced, not run.
fail() { echo "FAIL: $*" >&2; exit 1; }

# CTest counts exit status 77 as skipped.
skip() { echo "SKIPPED: $*"; exit 77; }

need() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
  done
}

# Installs the build tree into a fresh prefix and prints the prefix.
install_into_temp() {
  local prefix
  prefix=$(mktemp -d)
  "${CMAKE:-cmake}" --install "$1" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
  echo "$prefix"
}

# Width and height of a PNG, from its header.
png_size() {
  local w h
  w=$(od -An -tu4 --endian=big -j16 -N4 "$1" | tr -d ' ')
  h=$(od -An -tu4 --endian=big -j20 -N4 "$1" | tr -d ' ')
  echo "${w}x${h}"
}
