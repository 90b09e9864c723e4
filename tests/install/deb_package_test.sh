#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks it: its contents,
# that Depends is exactly what the binaries need, that lintian finds no
# error or warning, and, as root, a real install with apt-get and a clean
# purge.
# Usage: deb_package_test.sh BUILD_DIR
set -euo pipefail
# shellcheck source=tests/install/common.sh
source "$(dirname "$0")/common.sh"
need dpkg-deb dpkg-shlibdeps lintian
build=$1
work=$(mktemp -d)
installed=
cleanup() {
  [ -n "$installed" ] && apt-get purge -y -qq -o DPkg::Lock::Timeout=120 vemora >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

"${CPACK:-cpack}" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack -G DEB failed"; }
debs=("$work"/vemora_*_*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "expected one vemora_*.deb, got: ${debs[*]}"
deb=${debs[0]}

dpkg-deb --contents "$deb" | awk '{print $6 $7 $8}' >"$work/contents"
# The package takes what the install rules put in place (checked by the
# install files test); here only what packaging itself adds or moves.
for path in ./usr/share/man/man1/vemora.1.gz ./usr/share/man/man1/vemora-calc.1.gz \
    ./usr/share/doc/vemora/copyright ./usr/share/doc/vemora/changelog.gz; do
  grep -qxF -- "$path" "$work/contents" || fail "package lacks $path"
done
grep -v '^\./usr/' "$work/contents" | grep -vxF './' && fail "package has files outside /usr"

# Depends must be what dpkg-shlibdeps computes for every ELF file, no more.
dpkg-deb -x "$deb" "$work/root"
mkdir "$work/root/debian" && touch "$work/root/debian/control"
mapfile -t elves < <(cd "$work/root" && find . -type f -perm -u+x |
  while read -r f; do [ "$(head -c4 "$f" | tr -d '\0')" = $'\x7fELF' ] && echo "$f"; done)
[ ${#elves[@]} -eq 2 ] || fail "expected two programs, found: ${elves[*]}"
computed=$(cd "$work/root" && dpkg-shlibdeps -O "${elves[@]/#/-e}" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
declared=$(dpkg-deb -f "$deb" Depends)
split() { tr ',' '\n' <<<"$1" | sed 's/^ *//;s/ *$//' | sort; }
[ "$(split "$declared")" = "$(split "$computed")" ] ||
  fail "Depends: $declared; dpkg-shlibdeps: $computed"
grep -q 'libqt6widgets6' <<<"$declared" || fail "Depends lacks the Qt widgets library"

# lintian: no error, no warning, and full RELRO (an informational tag).
lintian_ok=yes
lintian -I --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || lintian_ok=
grep -v 'running with root privileges' "$work/lintian.log" || true
[ -n "$lintian_ok" ] || fail "lintian reports errors or warnings"
grep -q 'hardening-no-\(relro\|bindnow\)' "$work/lintian.log" && fail "a program lacks full RELRO"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is not qt6-wayland"

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the package was checked but not installed"
elif dpkg-query -W -f='${Status}' vemora 2>/dev/null | grep -q 'ok installed'; then
  echo "vemora is already installed here: leaving it alone, not installing"
else
  installed=yes
  apt-get install -y -qq -o DPkg::Lock::Timeout=120 "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install of the package failed"; }
  apt-get purge -y -qq -o DPkg::Lock::Timeout=120 vemora >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get purge failed"; }
  installed=  # no maintainer scripts: what dpkg put in place, it removes
  echo "installed with apt-get and purged cleanly"
fi
echo "deb package test passed"
