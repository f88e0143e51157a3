#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a Linux desktop reads of it with the
# desktop's own tools: the menu entry (desktop-file-validate), the software centres' metainfo
# (appstreamcli, without the network), and the file type, compiled by update-mime-database
# into a database of its own. Also checks that the files agree with each other: the entry's
# program, icon and file type are the ones installed, and each icon is drawn at its size.
#
# usage: test-desktop-files.sh BUILD_DIR VERSION
set -euo pipefail

source "$(dirname "$0")/installed-files-test.sh"
root=$work

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
share="$root/usr/share"
entry="$share/applications/kelvane.desktop"
mime="$share/mime/packages/kelvane.xml"
metainfo=$(find "$share/metainfo" -name '*.metainfo.xml')

# Both print hints they do not fail on; anything they print is worth a look.
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
[[ -z "$report" ]] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli rejects $metainfo"

mkdir -p "$root/mime/packages"
cp "$mime" "$root/mime/packages/"
# Told where it looks, it does not note that the folder is not one of the user's.
report=$(XDG_DATA_HOME="$root" XDG_DATA_DIRS="$root" update-mime-database "$root/mime" 2>&1) || fail "update-mime-database: $report"
[[ -z "$report" ]] || fail "update-mime-database: $report"
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime")
grep -qx "50:$type:\*\.dbc" "$root/mime/globs2" || fail "no *.dbc glob for $type"
grep -aq "^\[50:$type\]" "$root/mime/magic" || fail "no magic for $type"
grep -aq "WDBC" "$root/mime/magic" || fail "the magic does not look for WDBC"

key() { sed -n "s/^$1=//p" "$entry"; }
[[ "$(key MimeType)" == "$type;" ]] || fail "the entry's MimeType is not $type"
program=$(key Exec | cut -d' ' -f1)
[[ -x "$root/usr/bin/$program" ]] || fail "the entry starts $program, which is not installed"
icon=$(key Icon)
[[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ]] || fail "no scalable icon $icon"
for png in "$share"/icons/hicolor/*x*/apps/"$icon".png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  drawn=$(od -An -tu1 -j16 -N8 "$png" |
    awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }')
  [[ "$drawn" == "$size" ]] || fail "$png is drawn at $drawn"
done

grep -q "<launchable type=\"desktop-id\">kelvane.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch kelvane.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not $version"
echo "desktop files valid: $entry, $(basename "$metainfo"), $type"
