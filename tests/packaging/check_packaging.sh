#!/usr/bin/env bash
# Checks what a user installs: the installed files, the desktop entry and AppStream metainfo
# as their validators see them, the .deb that CPack builds, and the Windows version resource.
# Usage: check_packaging.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir="$1"
build_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

echo "-- install"
DESTDIR="$work/root" cmake --install "$build_dir" --prefix /usr >/dev/null
for file in usr/bin/taktlogin \
            usr/share/applications/de.taktlogin.Taktlogin.desktop \
            usr/share/metainfo/de.taktlogin.Taktlogin.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/de.taktlogin.Taktlogin.svg; do
    [ -f "$work/root/$file" ] || fail "not installed: $file"
done

echo "-- desktop entry and metainfo"
desktop-file-validate "$work/root/usr/share/applications/de.taktlogin.Taktlogin.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/de.taktlogin.Taktlogin.metainfo.xml"
grep -q '^Name=Taktlogin$' "$work/root/usr/share/applications/de.taktlogin.Taktlogin.desktop" || fail "desktop name"

echo "-- debian package"
(cd "$work" && cpack --config "$build_dir/CPackConfig.cmake" -B "$work/deb" >/dev/null)
deb="$(ls "$work"/deb/taktlogin_*.deb)"
dpkg-deb --field "$deb" Package | grep -qx taktlogin || fail "package name"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "no Qt dependency recorded"
dpkg-deb --field "$deb" Depends | grep -q "qt6-translations-l10n" || fail "German Qt texts not required"
dpkg-deb --field "$deb" Recommends | grep -q "qt6-wayland" || fail "Qt's Wayland plugin not recommended"
dpkg-deb --contents "$deb" > "$work/contents.txt"
grep -q '\./usr/bin/taktlogin$' "$work/contents.txt" || fail "binary missing from the package"
grep -q 'usr/share/applications/de.taktlogin.Taktlogin.desktop' "$work/contents.txt" || fail "desktop file missing"
# The packaged program starts: unpacked, it keeps running until it is stopped.
dpkg-deb -x "$deb" "$work/unpacked"
QT_QPA_PLATFORM=offscreen "$work/unpacked/usr/bin/taktlogin" >/dev/null 2>&1 &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the packaged program did not stay up"
kill "$pid"

echo "-- windows version resource"
windres=x86_64-w64-mingw32-windres
"$windres" --preprocessor=cpp "$source_dir/packaging/windows/taktlogin.rc" -O res -o "$work/taktlogin.res"
"$windres" -i "$work/taktlogin.res" -O rc > "$work/readback.rc"
grep -q '^LANGUAGE 7, 1$' "$work/readback.rc" || fail "resource language is not German (Germany)"
grep -q 'FILEVERSION 1, 0, 0, 0' "$work/readback.rc" || fail "file version"
grep -q 'PRODUCTVERSION 1, 0, 0, 0' "$work/readback.rc" || fail "product version"
grep -q 'BLOCK "040704B0"' "$work/readback.rc" || fail "German Unicode string table"
grep -q 'VALUE "FileVersion", "1.00"' "$work/readback.rc" || fail "file version string"
grep -q 'VALUE "ProductVersion", "1.00"' "$work/readback.rc" || fail "product version string"
grep -q 'VALUE "Translation", 0x407, 1200' "$work/readback.rc" || fail "translation entry"
echo "packaging checks passed"
