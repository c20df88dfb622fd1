#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-builds taktlogin for 64-bit Windows on Debian, runs every Qt Test suite under Wine,
# installs, runs and uninstalls the setup program under Wine, and writes
# build/windows/taktlogin-<version>-windows-x64.zip and build/windows/taktlogin-<version>-setup.exe.
#
# Qt for Windows is built once from Debian's source of the host's own Qt version and kept in
# ${TAKTLOGIN_CACHE:-~/.cache/taktlogin}/qt-<version>-mingw64; later runs reuse it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Each step names itself; a failure ends the script with that name in one line.
step_name=""
step() {
    step_name="$1"
    echo "== $step_name"
}
source "$repo_root/scripts/debian-root.sh"
# The mounts of the Debian 13 system go on every exit, failures included.
on_exit() {
    local status=$?
    debian_root_unmount
    if [ $status -ne 0 ] && [ -n "$step_name" ]; then
        echo "windows.sh: step failed: $step_name (status $status)" >&2
    fi
}
trap on_exit EXIT

windows_packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 zip unzip dpkg-dev perl icoutils python3 qt6-translations-l10n nsis
    xvfb xauth xdotool x11-utils imagemagick openbox)

target=x86_64-w64-mingw32
version="$(sed -n 's/^project(taktlogin VERSION \([0-9.]*\).*/\1/p' "$repo_root/CMakeLists.txt")"
homepage="$(sed -n 's/^set(TAKTLOGIN_HOMEPAGE "\(.*\)")$/\1/p' "$repo_root/packaging/packaging.cmake")"
out_dir="$repo_root/build/windows"
cache_root="${TAKTLOGIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/taktlogin}"

# Debootstraps Debian 13 into the cache once (counted only with its stamp) and runs this script
# in it. The source tree is mounted at the same path, read-only but for build/windows, where the
# results land; the mounts go on any exit, so that nothing deleting the cache can reach the tree.
run_in_debian_13() {
    local root="$cache_root/debian-trixie"
    [ "$(id -u)" -eq 0 ] || {
        echo "windows.sh: on Debian $host_release the Windows build runs in a Debian 13 system in" \
            "$root; setting that up needs root (debootstrap, chroot): run windows.sh as root" >&2
        exit 1
    }
    step "Debian 13 system for the build"
    debian_root_release "$root"
    if [ ! -f "$root/.taktlogin-complete" ]; then
        install_missing debootstrap
        rm -rf --one-file-system "$root"
        mkdir -p "$root"
        debootstrap --variant=minbase --include=ca-certificates trixie "$root" http://deb.debian.org/debian \
            >"$cache_root/debootstrap.log" 2>&1 || { tail -n 20 "$cache_root/debootstrap.log" >&2; return 1; }
        rm -f "$root/etc/apt/sources.list"
        printf 'Types: deb deb-src\nURIs: http://deb.debian.org/debian\nSuites: trixie trixie-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\nTypes: deb deb-src\nURIs: http://deb.debian.org/debian-security\nSuites: trixie-security\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            >"$root/etc/apt/sources.list.d/debian.sources"
        touch "$root/.taktlogin-complete"
    fi
    cp /etc/resolv.conf "$root/etc/resolv.conf"

    debian_root_mount_system "$root"
    mkdir -p "$out_dir"
    debian_root_bind "$root" "$repo_root" "$repo_root" --bind
    mount -o remount,bind,ro "$root$repo_root"
    debian_root_bind "$root" "$out_dir" "$out_dir" --bind
    local status=0
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM=dumb TAKTLOGIN_CACHE=/var/cache/taktlogin \
        bash "$repo_root/scripts/windows.sh" "$@" || status=$?
    debian_root_unmount
    step_name=""
    [ $status -eq 0 ] || { echo "windows.sh: the build in Debian 13 failed (status $status)" >&2; exit $status; }
}

# Qt for Windows is built from the source of the host's own Qt, whose host tools (moc, uic, rcc)
# it needs in the same version. Hosts older than Debian 13 carry no Qt that still receives
# fixes, so there the whole script runs again in a Debian 13 system kept in the cache.
host_release="$(. /etc/os-release && echo "${VERSION_ID:-0}")"
if [ "${host_release%%.*}" -lt 13 ] 2>/dev/null; then
    run_in_debian_13 "$@"
    exit 0
fi

step "install packages"
install_missing "${build_packages[@]}" "${windows_packages[@]}"

qt_deb_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
qt_version="${qt_deb_version%%+*}"
qt_version="${qt_version%%-*}"
qt_prefix="$cache_root/qt-$qt_deb_version-mingw64"
qt_build="$cache_root/build-qt-$qt_deb_version-mingw64"
toolchain="$repo_root/cmake/toolchains/mingw-w64.cmake"
host_cmake_dir="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
mkdir -p "$cache_root"


# Qt source of exactly the host's version, from Debian's source packages.
fetch_qt_source() {
    local source_dir="$1"
    local codename
    codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
    if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -q '^Sources$'; then
        local sudo=()
        [ "$(id -u)" -ne 0 ] && sudo=(sudo)
        echo "adding deb-src for $codename" >&2
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\nTypes: deb-src\nURIs: http://deb.debian.org/debian-security\nSuites: %s-security\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$codename" "$codename" "$codename" | "${sudo[@]}" tee /etc/apt/sources.list.d/taktlogin-deb-src.sources >/dev/null
        "${sudo[@]}" apt-get update -qq >&2
    fi
    rm -rf "$source_dir"
    mkdir -p "$source_dir"
    (cd "$source_dir" && apt-get source -qq --only-source "qt6-base=$qt_deb_version" >/dev/null)
    local unpacked
    unpacked="$(find "$source_dir" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"
    [ -n "$unpacked" ] || return 1
    echo "$unpacked"
}

build_qt() {
    # A cache counts as finished only with its stamp; anything else is built again.
    if [ -f "$qt_prefix/.taktlogin-complete" ]; then
        echo "Qt $qt_deb_version for Windows from the cache: $qt_prefix"
        return 0
    fi
    rm -rf "$qt_prefix"
    local source_dir
    if [ -f "$qt_build/.source-ready" ]; then
        source_dir="$(cat "$qt_build/.source-ready")"
    else
        step "fetch the Qt source $qt_deb_version"
        rm -rf "$qt_build"
        mkdir -p "$qt_build"
        source_dir="$(fetch_qt_source "$qt_build/src")"
        echo "$source_dir" > "$qt_build/.source-ready"
    fi
    step "configure Qt $qt_version for Windows"
    # Tablet support needs wintab.h, which Debian's source lacks; OpenGL stays on because the
    # windows platform plugin of 6.4 does not compile without it.
    cmake -S "$source_dir" -B "$qt_build/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_testlib=ON -DFEATURE_widgets=ON \
        >"$qt_build/configure.log" 2>&1 || { tail -n 30 "$qt_build/configure.log" >&2; return 1; }
    step "build Qt $qt_version for Windows (about an hour on two cores the first time)"
    cmake --build "$qt_build/build" --parallel >"$qt_build/build.log" 2>&1 ||
        { tail -n 30 "$qt_build/build.log" >&2; return 1; }
    cmake --install "$qt_build/build" >"$qt_build/install.log" 2>&1 || { tail -n 30 "$qt_build/install.log" >&2; return 1; }
    # Debian's account of who holds which rights in qtbase, the bundled third-party code included.
    cp "$source_dir/debian/copyright" "$qt_prefix/debian-copyright"
    touch "$qt_prefix/.taktlogin-complete"
}
build_qt

if [ "${1:-}" = "--qt-only" ]; then
    exit 0
fi

step "build taktlogin and the test suites for Windows"
# One build folder per Qt version: a toolchain of another Qt cannot be reconfigured in place.
build_dir="$out_dir/build-qt-$qt_version"
export TAKTLOGIN_QT_WINDOWS="$qt_prefix" TAKTLOGIN_QT_VERSION="$qt_version" TAKTLOGIN_HOST_CMAKE_DIR="$host_cmake_dir"
(cd "$repo_root" && cmake --preset windows >/dev/null && cmake --build --preset windows --parallel)

# Everything a suite or the program needs to start: Qt's DLLs and plugins, the MinGW runtime.
step "collect the runtime files"
runtime_dir="$out_dir/runtime"
rm -rf "$runtime_dir"
mkdir -p "$runtime_dir/platforms" "$runtime_dir/styles" "$runtime_dir/translations"
gcc_dir="$(dirname "$("$target-g++-posix" -print-libgcc-file-name)")"
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6Test; do
    cp "$qt_prefix/bin/$dll.dll" "$runtime_dir/"
done
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$qt_prefix/plugins/platforms/qoffscreen.dll" "$runtime_dir/platforms/"
cp "$qt_prefix"/plugins/styles/*.dll "$runtime_dir/styles/"
cp "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" "$runtime_dir/"
cp "$(find /usr/$target/lib -name libwinpthread-1.dll | head -n 1)" "$runtime_dir/"
cp /usr/share/qt6/translations/qtbase_de.qm "$runtime_dir/translations/"

# Each DLL a bundled file imports is bundled itself or comes with every Windows.
check_imports() {
    local dir="$1"
    local missing=0 file dll
    while IFS= read -r -d '' file; do
        while IFS= read -r dll; do
            if [ -z "$(find "$dir" -maxdepth 2 -iname "$dll" -print -quit)" ] &&
                ! grep -qix "$dll" "$repo_root/packaging/windows/system-dlls.txt"; then
                echo "$(basename "$file") needs $dll, which is neither bundled nor part of Windows" >&2
                missing=1
            fi
        done < <("$target-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
    done < <(find "$dir" -iname '*.exe' -print0 -o -iname '*.dll' -print0)
    return $missing
}

# Address space layout randomisation with 64-bit entropy and DEP for every bundled file:
# DllCharacteristics HIGH_ENTROPY_VA (0x20), DYNAMIC_BASE (0x40), NX_COMPAT (0x100).
check_pe_security() {
    local dir="$1"
    local weak=0 file flags
    while IFS= read -r -d '' file; do
        flags="$("$target-objdump" -p "$file" | sed -n 's/^DllCharacteristics\s*\([0-9a-fA-F]*\)$/\1/p')"
        if [ -z "$flags" ] || (((0x$flags & 0x160) != 0x160)); then
            echo "$(basename "$file"): DllCharacteristics ${flags:-missing}, lacks ASLR (dynamic base," \
                "high-entropy VA) or DEP (NX compatible)" >&2
            weak=1
        fi
    done < <(find "$dir" -iname '*.exe' -print0 -o -iname '*.dll' -print0)
    return $weak
}

step "test suites under Wine"
export WINEPREFIX="$cache_root/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wineboot --init >/dev/null 2>&1 || true
suite_dir="$out_dir/suites"
rm -rf "$suite_dir"
cp -r "$runtime_dir" "$suite_dir"
cp "$build_dir"/tst_*.exe "$suite_dir/"
check_imports "$suite_dir"
failed=0
for exe in "$suite_dir"/tst_*.exe; do
    name="$(basename "$exe" .exe)"
    # As under ctest on Linux: offscreen, the high-DPI suite at scale 2. Wine does not hand
    # QT_* variables of the Unix environment to the program: the platform goes on the command
    # line (only where QApplication reads it, in suites that use Qt Gui), the scale factor into
    # the Windows environment of the prefix.
    args=()
    if "$target-objdump" -p "$exe" | grep 'DLL Name: Qt6Gui.dll' >/dev/null; then
        args=(-platform offscreen)
    fi
    if [ "$name" = tst_highdpi ]; then
        wine reg add 'HKCU\Environment' /v QT_SCALE_FACTOR /d 2 /f >/dev/null 2>&1
    else
        wine reg delete 'HKCU\Environment' /v QT_SCALE_FACTOR /f >/dev/null 2>&1 || true
    fi
    # Wine does not pass a console program's stdout on to a pipe; the suite writes a file.
    log="$out_dir/$name.txt"
    rm -f "$log"
    if (cd "$suite_dir" && timeout 600 wine "./$name.exe" "${args[@]}" -o "$name.txt,txt" \
        >"$out_dir/$name.wine.log" 2>&1); then
        :
    else
        failed=1
    fi
    mv "$suite_dir/$name.txt" "$log" 2>/dev/null || true
    totals="$(tr -d '\r' <"$log" 2>/dev/null | grep '^Totals:' || echo "Totals: none (see $out_dir/$name.wine.log)")"
    echo "$name: $totals"
done
wine reg delete 'HKCU\Environment' /v QT_SCALE_FACTOR /f >/dev/null 2>&1 || true
[ $failed -eq 0 ] || { echo "at least one test suite failed under Wine" >&2; exit 1; }

step "a crash under Wine leaves no report"
# Unprotected, Wine hands the access violation to its debugger (the AeDebug entry), which
# reports it; that shows the check can see a report. Protected as taktlogin starts, the
# process ends at once with the exception code as its status (0xC0000005, of which the
# Unix side sees the low byte, 5), and nothing is reported or dumped.
cp "$build_dir/crashprobe.exe" "$suite_dir/"
# No crash dialog: the unprotected run would wait for it.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
marker="$out_dir/crash-marker"
touch "$marker"
crash_status=0
(cd "$suite_dir" && WINEDEBUG= env -u DISPLAY wine ./crashprobe.exe --unprotected >"$out_dir/crash-unprotected.log" 2>&1) || crash_status=$?
grep -q -i 'unhandled exception' "$out_dir/crash-unprotected.log" ||
    { echo "the unprotected crash was not reported; the check below could not fail (status $crash_status)" >&2; exit 1; }
crash_status=0
(cd "$suite_dir" && WINEDEBUG= env -u DISPLAY wine ./crashprobe.exe >"$out_dir/crash-protected.log" 2>&1) || crash_status=$?
wineserver -w
if grep -i 'unhandled exception\|winedbg\|backtrace' "$out_dir/crash-protected.log" >&2; then
    echo "the protected crash was reported" >&2
    exit 1
fi
[ "$crash_status" -eq 5 ] || { echo "the protected crash ended with status $crash_status, not 5 (0xC0000005)" >&2; exit 1; }
dumps="$(find "$WINEPREFIX" -newer "$marker" \( -iname '*.dmp' -o -iname '*.mdmp' -o -iname '*.wer' \) | head -n 5)"
[ -z "$dumps" ] || { echo "the crash left dump files: $dumps" >&2; exit 1; }
echo "unprotected: reported by Wine's debugger; protected: status 5, no report, no dump file"

step "assemble the package"
package_dir="$out_dir/taktlogin-$version-windows-x64"
rm -rf "$package_dir"
cp -r "$runtime_dir" "$package_dir"
rm "$package_dir/Qt6Test.dll" "$package_dir/platforms/qoffscreen.dll"
cp "$build_dir/taktlogin.exe" "$package_dir/"
"$target-strip" "$package_dir"/*.exe "$package_dir"/*.dll "$package_dir"/*/*.dll
check_imports "$package_dir"
check_pe_security "$package_dir"
# Texts for Windows users: UTF-8 with a byte order mark and CRLF line ends, which every
# Notepad reads right.
windows_text() {
    { printf '\xef\xbb\xbf'; sed 's/\r*$/\r/'; } >"$1"
}

# The licences of what the zip carries: the program's (GPL-3.0-or-later), Qt's (LGPL-3.0, whose
# text builds on the GPL's) with where the Qt DLLs' source is to be had, and those of the GCC
# runtime and winpthreads, each with the Debian package it came from and its copyright file.
mkdir -p "$package_dir/licenses"
cp "$repo_root/LICENSES/GPL-3.0-or-later.txt" "$package_dir/COPYING.txt"
cp /usr/share/common-licenses/LGPL-3 "$package_dir/licenses/Qt-LGPL-3.0.txt"
cp /usr/share/common-licenses/GPL-3 "$package_dir/licenses/GPL-3.0.txt"
cp "$qt_prefix/debian-copyright" "$package_dir/licenses/Qt-Urheberrecht.txt"
windows_text "$package_dir/licenses/Qt-Quelle.txt" <<EOF
Die Qt-Bibliotheken und -Plugins dieses Pakets (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll,
platforms/qwindows.dll, styles/*.dll) und translations/qtbase_de.qm stammen aus Qt $qt_version
unter der GNU Lesser General Public License, Version 3 (licenses/Qt-LGPL-3.0.txt). Sie sind
unverändert und werden zur Laufzeit dynamisch geladen; sie dürfen durch eine eigene, kompatible
Qt-Version ersetzt werden. Wer welche Rechte an Qt und dem darin enthaltenen Code Dritter hält,
steht in licenses/Qt-Urheberrecht.txt (Debians Urheberrechtsdatei zu qt6-base).

Gebaut aus Debians Quellpaket qt6-base, Version $qt_deb_version, mit MinGW-w64 für Windows x64.
Die Quelle ist zu haben mit

    apt-get source qt6-base=$qt_deb_version

auf einem Debian-System mit deb-src-Eintrag, oder unter

    https://snapshot.debian.org/package/qt6-base/$qt_deb_version/

Die Build-Einstellungen stehen in scripts/windows.sh des Taktlogin-Quellcodes.
EOF

# A notice for runtime DLLs of the cross compiler: which files, their licence, the Debian
# package they came from and where its source is, then that package's copyright file.
# Usage: runtime_notice FILE SUMMARY DLL...
runtime_notice() {
    local notice="$1" summary="$2" package source_name source_version dll names=""
    shift 2
    package="$(dpkg -S "$(readlink -f "$1")" | head -n 1 | cut -d: -f1)"
    source_name="$(dpkg-query -W -f='${source:Package}' "$package")"
    source_version="$(dpkg-query -W -f='${source:Version}' "$package")"
    for dll in "$@"; do
        names+="$(basename "$dll") "
    done
    {
        cat <<EOF
Dateien: $names
$summary

Aus Debians Paket $package, Version $(dpkg-query -W -f='${Version}' "$package"), gebaut aus dem
Quellpaket $source_name, Version $source_version. Die Quelle ist zu haben mit

    apt-get source $source_name=$source_version

oder unter https://snapshot.debian.org/package/$source_name/$source_version/

Es folgt Debians Urheberrechtsdatei zu diesem Paket.

EOF
        cat "/usr/share/doc/$package/copyright"
    } | windows_text "$notice"
}
runtime_notice "$package_dir/licenses/GCC-Laufzeit.txt" \
    "Die Laufzeitbibliotheken von GCC (C++-Standardbibliothek und libgcc) stehen unter der GNU General
Public License, Version 3 oder später (licenses/GPL-3.0.txt), mit der GCC Runtime Library
Exception, Version 3.1; deren Text steht in der Urheberrechtsdatei unten." \
    "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll"
runtime_notice "$package_dir/licenses/winpthreads.txt" \
    "winpthreads, die POSIX-Thread-Bibliothek von MinGW-w64, steht unter der MIT-Lizenz (expat), ihre
Kopfdatei pthread.h unter der BSD-3-Clause-Lizenz von Lockless Inc.; beide Texte stehen in der
Urheberrechtsdatei unten, in den Abschnitten zu mingw-w64-libraries/winpthreads." \
    "$(find /usr/$target/lib -name libwinpthread-1.dll | head -n 1)"
sed -e "s/@VERSION@/$version/g" -e "s|@HOMEPAGE@|$homepage|g" "$repo_root/packaging/windows/LIESMICH.txt.in" |
    windows_text "$package_dir/LIESMICH.txt"

step "check the version resource"
python3 "$repo_root/scripts/check_version_resource.py" "$package_dir/taktlogin.exe"

step "check the icon and the manifest"
# Explorer and the taskbar show the group icon, Qt's windows platform loads it by name.
wrestool -x --type=14 --name=IDI_ICON1 -o "$out_dir/taktlogin-exe.ico" "$package_dir/taktlogin.exe"
icon_sizes="$(icotool -l "$out_dir/taktlogin-exe.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\1 .*/\1/p' | sort -n | tr '\n' ' ')"
[ "$icon_sizes" = "16 24 32 48 256 " ] || { echo "taktlogin.exe: icon sizes '$icon_sizes', not 16 24 32 48 256" >&2; exit 1; }
manifest="$(wrestool -x --raw --type=24 --name=1 "$package_dir/taktlogin.exe" | tr -d '\r')"
for wanted in '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' '>PerMonitorV2</dpiAwareness>' 'level="asInvoker"'; do
    grep -qF -- "$wanted" <<<"$manifest" || { echo "taktlogin.exe: the manifest lacks $wanted" >&2; exit 1; }
done
echo "icon: $icon_sizes px; manifest: Windows 10/11, per-monitor DPI awareness v2, as invoker"

# The zip and the setup program are made in a staging folder and moved out only once the
# setup program has passed its run under Wine: they are there whole or not at all.
stage="$out_dir/stage"
rm -rf "$stage"
mkdir -p "$stage"

step "pack the zip"
zip_name="taktlogin-$version-windows-x64.zip"
(cd "$out_dir" && zip -q -r -X "$stage/$zip_name" "$(basename "$package_dir")")
# What a user and the licences need to find in it.
zip_listing="$(unzip -Z1 "$stage/$zip_name")"
for wanted in taktlogin.exe LIESMICH.txt COPYING.txt licenses/Qt-LGPL-3.0.txt licenses/GPL-3.0.txt \
    licenses/Qt-Urheberrecht.txt licenses/Qt-Quelle.txt licenses/GCC-Laufzeit.txt licenses/winpthreads.txt; do
    grep -qx "taktlogin-$version-windows-x64/$wanted" <<<"$zip_listing" || { echo "the zip lacks $wanted" >&2; exit 1; }
done
grep -q 'libstdc++-6.dll libgcc_s_seh-1.dll' "$package_dir/licenses/GCC-Laufzeit.txt" &&
    grep -q 'GCC RUNTIME LIBRARY EXCEPTION' "$package_dir/licenses/GCC-Laufzeit.txt" &&
    grep -q 'libwinpthread-1.dll' "$package_dir/licenses/winpthreads.txt" &&
    grep -q 'mingw-w64-libraries/winpthreads' "$package_dir/licenses/winpthreads.txt" ||
    { echo "a runtime licence notice names the wrong files or lacks its licence text" >&2; exit 1; }

step "build the setup program"
# Every file by name, in install and in uninstall, so that uninstalling removes what was
# installed and nothing else.
install_list="$stage/install-files.nsh"
uninstall_list="$stage/uninstall-files.nsh"
: >"$install_list"
: >"$uninstall_list"
while IFS= read -r -d '' dir; do
    relative="${dir#.}"
    printf 'SetOutPath "$INSTDIR%s"\n' "${relative//\//\\}" >>"$install_list"
    while IFS= read -r -d '' file; do
        printf 'File "%s"\n' "$package_dir$relative/$file" >>"$install_list"
        printf 'Delete "$INSTDIR%s\\%s"\n' "${relative//\//\\}" "$file" >>"$uninstall_list"
    done < <(cd "$package_dir$relative" && find . -maxdepth 1 -type f -printf '%P\0' | sort -z)
done < <(cd "$package_dir" && find . -type d -print0 | sort -z)
while IFS= read -r -d '' dir; do
    printf 'RMDir "$INSTDIR\\%s"\n' "${dir//\//\\}" >>"$uninstall_list"
done < <(cd "$package_dir" && find . -mindepth 1 -type d -printf '%P\0' | sort -rz)
setup_name="taktlogin-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DPUBLISHER=Taktlogin-Team -DHOMEPAGE="$homepage" \
    -DPACKAGE_DIR="$package_dir" -DICON="$build_dir/src/icons/taktlogin.ico" \
    -DINSTALL_LIST="$install_list" -DUNINSTALL_LIST="$uninstall_list" \
    -DOUTFILE="$stage/$setup_name" "$repo_root/packaging/windows/taktlogin.nsi" >"$out_dir/makensis.log" 2>&1 ||
    { tail -n 20 "$out_dir/makensis.log" >&2; exit 1; }
check_pe_security "$stage"

step "install, start and uninstall under Wine"
"$repo_root/tests/e2e/xserver.sh" 1280x800 "$repo_root/scripts/wine_install.sh" \
    "$stage/$setup_name" "$package_dir" "$version" "$out_dir"

step "write the zip and the setup program"
mv "$stage/$zip_name" "$out_dir/$zip_name"
mv "$stage/$setup_name" "$out_dir/$setup_name"
step_name=""
echo "done: $out_dir/$zip_name"
echo "done: $out_dir/$setup_name"
