#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what a user installs: the installed files, the desktop entry and AppStream metainfo
# as their validators see them, the .deb that CPack builds as lintian and hardening-check see it,
# the licence information of the sources, and that the Windows manifest is well-formed.
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
            usr/share/icons/hicolor/scalable/apps/de.taktlogin.Taktlogin.svg \
            usr/share/man/man1/taktlogin.1.gz \
            usr/share/doc/taktlogin/copyright \
            usr/share/doc/taktlogin/changelog.gz; do
    [ -f "$work/root/$file" ] || fail "not installed: $file"
done

echo "-- desktop entry and metainfo"
desktop-file-validate "$work/root/usr/share/applications/de.taktlogin.Taktlogin.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/de.taktlogin.Taktlogin.metainfo.xml"
grep -q '^Name=Taktlogin$' "$work/root/usr/share/applications/de.taktlogin.Taktlogin.desktop" || fail "desktop name"
# No address or homepage may point at a domain the project does not hold.
grep -q 'https://taktlogin.invalid/' "$work/root/usr/share/metainfo/de.taktlogin.Taktlogin.metainfo.xml" ||
    fail "metainfo homepage is not the one set in packaging/packaging.cmake"

echo "-- man page"
[ "$(MANPATH="$work/root/usr/share/man" man -w taktlogin)" = "$work/root/usr/share/man/man1/taktlogin.1.gz" ] ||
    fail "man -w does not find taktlogin(1)"
warnings="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$work/root/usr/share/man/man1/taktlogin.1.gz" 2>&1 >/dev/null)"
[ -z "$warnings" ] || fail "man page warnings: $warnings"

echo "-- licence information (reuse lint)"
/usr/bin/python3 "$source_dir/tests/packaging/reuse_lint.py" "$source_dir" >"$work/reuse.txt" 2>&1 ||
    { cat "$work/reuse.txt" >&2; fail "reuse lint"; }

echo "-- debian package, built twice"
# The package as scripts/package.sh builds it: the program alone, with the default compiler.
# The same commit built in two folders of different depth gives byte-identical packages: file
# dates come from the last commit (SOURCE_DATE_EPOCH), build folders are mapped out of the
# debug information.
SOURCE_DATE_EPOCH="$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || echo 1765152000)"
export SOURCE_DATE_EPOCH
for folder in one "second folder/deeper"; do
    env -u CXX cmake -S "$source_dir" -B "$work/$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTAKTLOGIN_BUILD_TESTS=OFF -DTAKTLOGIN_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$work/$folder" --parallel >/dev/null
    (cd "$work/$folder" && cpack -B "$work/$folder/deb" >/dev/null)
done
for package in taktlogin taktlogin-dbgsym; do
    cmp "$work/one/deb/${package}_"*.deb "$work/second folder/deeper/deb/${package}_"*.deb ||
        fail "$package differs between two builds of one commit"
done
deb="$(ls "$work"/one/deb/taktlogin_*.deb)"
dbgsym="$(ls "$work"/one/deb/taktlogin-dbgsym_*.deb)"
dpkg-deb --field "$deb" Package | grep -qx taktlogin || fail "package name"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "no Qt dependency recorded"
dpkg-deb --field "$deb" Depends | grep -q "qt6-translations-l10n" || fail "German Qt texts not required"
# Only Qt's public API: the package takes any Qt 6 of a version range, never one exact build
# (qt6-base-abi on Debian 12, qt6-base-private-abi on Debian 13), which a Qt update would break.
dpkg-deb --field "$deb" Depends | grep -Eq "qt6-base(-private)?-abi" &&
    fail "the package is tied to one exact Qt build: $(dpkg-deb --field "$deb" Depends)"
# Every dependency is one this release can satisfy: apt plans the installation without doing it.
apt-get --simulate install "$deb" >"$work/simulated.txt" 2>&1 ||
    { cat "$work/simulated.txt" >&2; fail "the package cannot be installed on this system"; }
dpkg-deb --field "$deb" Recommends | grep -q "qt6-wayland" || fail "Qt's Wayland plugin not recommended"
dpkg-deb --contents "$deb" > "$work/contents.txt"
grep -q '\./usr/bin/taktlogin$' "$work/contents.txt" || fail "binary missing from the package"
grep -q 'usr/share/applications/de.taktlogin.Taktlogin.desktop' "$work/contents.txt" || fail "desktop file missing"
dpkg-deb -x "$deb" "$work/unpacked"
dpkg-deb -x "$dbgsym" "$work/dbgsym"

echo "-- lintian"
# Errors and warnings fail. Info tags fail too, except those README explains: lintian's English
# spelling lists read German words (Programm, Plattform) as typos, and it cannot follow the
# dbgsym package's documentation link into the other package.
lintian_status=0
lintian --fail-on error,warning --display-info "$deb" "$dbgsym" >"$work/lintian.txt" 2>&1 || lintian_status=$?
sed -i '/^running with root privileges/d' "$work/lintian.txt"
cat "$work/lintian.txt"
[ "$lintian_status" -eq 0 ] || fail "lintian"
unexplained="$(grep -v -E '^I: taktlogin(-dbgsym)?: (spelling-error-in-description|typo-in-manual-page) ' "$work/lintian.txt" |
    grep -v -E '^I: taktlogin-dbgsym: cannot-check-whether-usr-share-doc-symlink-points-to-foreign-package$' |
    grep -v -E '^N: ' || true)"
[ -z "$unexplained" ] || fail "lintian tags that README does not explain: $unexplained"

echo "-- hardening"
binary="$work/unpacked/usr/bin/taktlogin"
# Control-flow protection is marked in a program only when every object linked into it carries
# it; Debian 12's C start files (Scrt1.o) do not, so there it cannot show in any program.
skipped=()
if ! readelf -n "$(c++ -print-file-name=Scrt1.o)" | grep -q 'x86 feature: IBT'; then
    echo "the C start files lack control-flow protection: hardening-check cannot see it (--nocfprotection)"
    skipped+=(--nocfprotection)
fi
# Debian 13's hardening-check also asks for branch protection, which only AArch64 has.
if [ "$(uname -m)" != aarch64 ] && grep -q nobranchprotection "$(command -v hardening-check)"; then
    skipped+=(--nobranchprotection)
fi
hardening-check "${skipped[@]}" "$binary" || fail "hardening-check"
objdump -d "$binary" >"$work/disassembly.txt"
grep -q endbr64 "$work/disassembly.txt" || fail "no endbr64: not built with -fcf-protection"

echo "-- debug symbols"
readelf -S "$binary" | grep -q '\.debug_info' && fail "the packaged program is not stripped"
build_id="$(readelf -n "$binary" | sed -n 's/.*Build ID: \([0-9a-f]*\).*/\1/p')"
debug_file="$work/dbgsym/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug"
[ -f "$debug_file" ] || fail "taktlogin-dbgsym has no debug file for build ID $build_id"
readelf -S "$debug_file" 2>/dev/null | grep -q '\.debug_info' || fail "the debug file has no debug information"
[ "$(readlink "$work/dbgsym/usr/share/doc/taktlogin-dbgsym")" = taktlogin ] || fail "dbgsym documentation link"

# The packaged program starts: unpacked, it keeps running until it is stopped.
QT_QPA_PLATFORM=offscreen "$work/unpacked/usr/bin/taktlogin" >/dev/null 2>&1 &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the packaged program did not stay up"
kill "$pid"

# The Windows build embeds the manifest as it stands; windows_package reads it back from the program.
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' "$source_dir/packaging/windows/taktlogin.exe.manifest" ||
    fail "the manifest is not well-formed XML"
echo "packaging checks passed"
