#!/usr/bin/env bash
# Installs into a temporary prefix and checks what a desktop needs: the
# program folder with its clip, the link on PATH, the man pages, a valid
# menu entry and software-centre description, and the themed icons.
# Usage: install_files_test.sh BUILD_DIR VERSION
set -euo pipefail
# shellcheck source=tests/install/common.sh
source "$(dirname "$0")/common.sh"
need desktop-file-validate appstreamcli
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
id=org.example.Vemora

[ -x "$prefix/lib/vemora/vemora" ] || fail "no executable in lib/vemora"
[ -f "$prefix/lib/vemora/quorl.avi" ] || fail "the clip is not beside the executable"
[ -L "$prefix/bin/vemora" ] || fail "bin/vemora is not a link"
[[ $(readlink "$prefix/bin/vemora") != /* ]] || fail "bin/vemora is an absolute link: the tree cannot move"
[ "$(realpath "$prefix/bin/vemora")" = "$(realpath "$prefix/lib/vemora/vemora")" ] ||
  fail "bin/vemora does not lead to the executable"
[ "$("$prefix/bin/vemora-calc" --clients 50)" = "26.68" ] || fail "installed vemora-calc"
for page in vemora vemora-calc; do
  [ -f "$prefix/share/man/man1/$page.1" ] || fail "no man page for $page"
done

desktop=$prefix/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate: $desktop"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not in bin/"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = "$id" ] || fail "Icon= is not $id"

for size in 16 32; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$icon" ] || fail "no ${size}px icon"
  # From the PNG header: width, height, then bit depth and colour type (4 bits of a palette).
  header=$(od -An -tu4 --endian=big -j16 -N8 "$icon" | xargs):$(od -An -tu1 -j24 -N2 "$icon" | xargs)
  [ "$header" = "$size $size:4 3" ] || fail "$icon: size, depth and colour type are $header"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$id.svg" || fail "no scalable icon"

metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate: $metainfo"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "metainfo does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo release is not $version"
grep -q '<summary xml:lang="de">' "$metainfo" || fail "no German summary"
echo "install files test passed"
