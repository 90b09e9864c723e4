#!/usr/bin/env bash
# What the optional test suites (Windows under Wine, the browser) share: the
# option --skip-if-unavailable and the variable that overrides it, and a
# set-up that either installs the suite's packages or says why it cannot.
# Sourced: source scripts/suite.sh LABEL VARIABLE "$@"
#   VARIABLE=off skips at once; =skip-if-unavailable as the option;
#   =required never skips, whatever the option says.
suite_label=$1
suite_variable=$2
shift 2
optional=0
case "${1:-}" in
  --skip-if-unavailable) optional=1 ;;
  "") ;;
  *)
    echo "usage: $0 [--skip-if-unavailable]" >&2
    exit 2
    ;;
esac
case "${!suite_variable:-}" in
  skip-if-unavailable) optional=1 ;;
  required) optional=0 ;;
  off)
    echo "$suite_label tests SKIPPED: $suite_variable=off."
    exit 0
    ;;
esac

skip_or_fail() {
  if [ "$optional" -eq 1 ]; then
    echo "$suite_label tests SKIPPED: $1" >&2
    exit 0
  fi
  echo "$suite_label tests FAILED to start: $1" >&2
  exit 1
}

# shellcheck source=scripts/setup.sh
source scripts/setup.sh
# Installs the suite's packages; where that cannot be done, skips or fails.
suite_install() {  # PACKAGES...
  # In a subshell: vemora_install exits when it cannot install.
  (vemora_install "$@") || skip_or_fail "could not install $*."
}
