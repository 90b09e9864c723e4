#!/usr/bin/env bash
# Runs a command as the same user but with a home folder of its own. The
# program's single-instance lock lies in the home of the user's passwd
# entry, whatever $HOME says, so copies that tests start side by side (or
# beside a copy the user runs meanwhile) would otherwise be one user's
# copies and refuse each other. A fresh folder covers that home in a mount
# namespace of the command's own; a caller who is not root gets a user
# namespace for it too, where the passwd home is root's.
# Usage: own_home.sh COMMAND...
set -euo pipefail
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
ns=(unshare --mount --propagation private)
[ "$(id -u)" -eq 0 ] || ns=(unshare --user --map-root-user --mount --propagation private)
# shellcheck disable=SC2016  # expanded by the shell in the namespace
cover='mount --bind "$0" "$(getent passwd "$(id -u)" | cut -d: -f6)" && exec "$@"'
if ! "${ns[@]}" true 2>/dev/null; then
  echo "own_home.sh: no mount namespace here; the command shares the user's lock" >&2
  exec "$@"
fi
"${ns[@]}" sh -c "$cover" "$home" "$@"
