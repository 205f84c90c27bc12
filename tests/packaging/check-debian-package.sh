#!/usr/bin/env bash
# Builds the Debian package from the binaries already in the build folder,
# in a temporary folder, and checks what a user's system would receive: the
# exact file list, dependencies computed from the binaries, programs that
# run, a menu entry and AppStream file the validators accept, icons of the
# sizes their folders promise, readable manual pages, and no lintian error.
# Usage: check-debian-package.sh BUILD_FOLDER
set -euo pipefail

build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; exit 1; }
debs=("$work"/out/velmora_*_amd64.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "FAIL: no single velmora_*_amd64.deb in ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}
echo "built $(basename "$deb")"

expected_files=$(sort <<'LIST'
/usr/bin/velmora
/usr/bin/velmora-db
/usr/bin/velmora-decode
/usr/share/applications/org.velmora.Velmora.desktop
/usr/share/doc/velmora/changelog.gz
/usr/share/doc/velmora/copyright
/usr/share/icons/hicolor/16x16/apps/velmora.png
/usr/share/icons/hicolor/22x22/apps/velmora.png
/usr/share/icons/hicolor/24x24/apps/velmora.png
/usr/share/icons/hicolor/32x32/apps/velmora.png
/usr/share/icons/hicolor/48x48/apps/velmora.png
/usr/share/icons/hicolor/64x64/apps/velmora.png
/usr/share/man/man1/velmora-db.1.gz
/usr/share/man/man1/velmora-decode.1.gz
/usr/share/man/man1/velmora.1.gz
/usr/share/metainfo/org.velmora.Velmora.metainfo.xml
LIST
)
actual_files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort)
if [[ "$actual_files" != "$expected_files" ]]; then
  fail "file list differs (< expected, > packaged):"
  diff <(echo "$expected_files") <(echo "$actual_files") >&2 || true
fi

field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == velmora ]] || fail "Package is '$(field Package)'"
[[ $(field Architecture) == amd64 ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer '$(field Maintainer)' is no name with an address"
depends=$(field Depends | tr ',|' '\n\n' | awk '{print $1}')
for library in libqt6widgets6 libqt6core6 libsqlite3-0 libc6; do
  grep -qx "$library" <<<"$depends" || fail "Depends lacks $library: $(field Depends)"
done
description=$(field Description)
grep -q 'арбитражных судов' <<<"$description" || fail "the long description has no Russian text"
grep -q 'arbitration courts' <<<"$description" || fail "the long description has no English text"

root="$work/root"
dpkg-deb -x "$deb" "$root"

"$root/usr/bin/velmora-decode" --help >"$work/help" || fail "the packaged velmora-decode --help failed"
grep -q -- '--format' "$work/help" || fail "the packaged velmora-decode printed no help"
"$root/usr/bin/velmora-db" --help >"$work/db-help" 2>&1 || true
grep -q 'copy' "$work/db-help" || fail "the packaged velmora-db printed no help"
# The window program's dynamic links are all found (a missing Qt library shows here, not at a user's desk).
if ldd "$root/usr/bin/velmora" | grep -q 'not found'; then fail "velmora has unresolved libraries"; fi

desktop="$root/usr/share/applications/org.velmora.Velmora.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejected the menu entry"
grep -qx 'Exec=velmora' "$desktop" || fail "the menu entry does not start velmora"
grep -qx 'Icon=velmora' "$desktop" || fail "the menu entry's icon is not velmora"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/org.velmora.Velmora.metainfo.xml" \
  || fail "appstreamcli rejected the metainfo"

for icon in "$root"/usr/share/icons/hicolor/*/apps/velmora.png; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  file "$icon" | grep -q "PNG image data, ${size/x/ x }," || fail "$icon is not $size: $(file -b "$icon")"
done

for page in "$root"/usr/share/man/man1/*.1.gz; do
  gzip -t "$page" || fail "$page is not gzip"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [[ -z "$warnings" ]] || fail "$page: $warnings"
done

# Errors fail the check; warnings are printed for whoever reads the log.
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reported errors"

if [[ $failures -gt 0 ]]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package checks passed"
