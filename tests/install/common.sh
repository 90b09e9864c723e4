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

