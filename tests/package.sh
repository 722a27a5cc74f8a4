#!/usr/bin/env bash
# The Debian package as dpkg sees it: package.sh DEB. Its desktop entry and catalogue
# entry pass the validators; it holds the program, its clipboard keeper, its lists, the link, the entries and
# the icons, nothing else; dpkg-shlibdeps named its libraries.
set -euo pipefail
deb=$1 root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/tovu.desktop"
appstreamcli validate-tree --no-net "$root"
want=$(printf './usr/%s\n' bin/tovu lib/tovu/{tovu,tovu-clipboard,list{1..4}.nl2} share/applications/tovu.desktop \
  share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/tovu.png \
  share/metainfo/org.example.tovu.metainfo.xml | sort)
diff <(echo "$want") <(dpkg-deb -c "$deb" | awk '!/^d/ { print $6 }' | sort) || { echo "contents differ"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6 (>= ' <<<"$depends" && grep -qw fonts-ipafont-gothic <<<"$depends" ||
  { echo "Depends: $depends"; exit 1; }
echo "package: $deb passes"
