#!/usr/bin/env bash
# Makes the Debian package of the build with scripts/package.sh, checks what it declares and
# holds, has lintian judge it, unpacks it into a temporary root with dpkg -x and runs the
# programs from there.
#
# usage: test-package.sh BUILD_DIR VERSION
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
source "$repo/scripts/installed-files-test.sh"

deb=$("$repo/scripts/package.sh" "$work" "$build" | tail -n 1)
[[ "$(basename "$deb")" == "kelvane_${version}_$(dpkg --print-architecture).deb" ]] ||
  fail "the package is named $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
# The package names alone, without their versions.
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//')
for needed in libqt6widgets6 libqt6core6 libsqlite3-0 libstdc++6 qt6-qpa-plugins; do
  grep -qx "$needed" <<<"$names" || fail "Depends lacks $needed: $depends"
done

# Everything lives under /usr; only the two programs in its bin.
outside=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v -e '^\./$' -e '^\./usr/' || true)
[[ -z "$outside" ]] || fail "files outside /usr: $outside"
programs=$(dpkg-deb -c "$deb" | awk '$6 ~ /^\.\/usr\/bin\/./ { print $6 }' | sort | tr '\n' ' ')
[[ "$programs" == "./usr/bin/kelvane ./usr/bin/kelvane-cli " ]] || fail "bin holds $programs"

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" || fail "lintian"
fi

dpkg -x "$deb" "$work/root"
bin="$work/root/usr/bin"
[[ "$("$bin/kelvane-cli" --version)" == "kelvane-cli $version" ]] ||
  fail "kelvane-cli --version says $("$bin/kelvane-cli" --version)"
[[ "$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/kelvane" --version)" == \
  "kelvane $version" ]] || fail "kelvane --version"
info=$("$bin/kelvane-cli" info "$work/root/usr/share/doc/kelvane/examples/Spell.dbc")
grep -q "^Records: *320$" <<<"$info" || fail "the installed kelvane-cli cannot read the installed example"
echo "package ok: $(basename "$deb"), Depends: $depends"
