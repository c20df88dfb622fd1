#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds, tests and packages taktlogin for another platform through its CMake workflow preset:
#   windows  64-bit Windows with MinGW-w64; suites, install and start under Wine; zip and setup program
#   web      WebAssembly; suites under node, the site in headless Chromium; the site and its zip
# What CMake cannot do stays here: Qt for that platform, built once from Debian's source of the
# host's own Qt into ${TAKTLOGIN_CACHE:-~/.cache/taktlogin}/qt-<version>-<platform> (counted only
# with its stamp), and, on hosts older than Debian 13, a Debian 13 system in the same cache.
# Usage: cross.sh windows|web [--qt-only]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$repo_root/scripts/debian-root.sh"

platform="${1:-}"
case "$platform" in
# dpkg-dev gives dpkg-architecture, which a minimal Debian lacks.
windows) packages=(dpkg-dev g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
    nsis zip unzip icoutils python3 python3-xlib xvfb xauth xdotool x11-utils x11-xkb-utils openbox dbus-x11 at-spi2-core) ;;
# The site is tested in Chromium over DevTools, and in Chromium, Firefox ESR and WebKitGTK on Xvfb.
web) packages=(dpkg-dev emscripten nodejs chromium python3-websocket zip unzip python3 firefox-esr
    libwebkit2gtk-4.1-0 xvfb xauth openbox dbus-x11 at-spi2-core x11-utils x11-xkb-utils x11-xserver-utils
    python3-xlib fonttools brotli npm) ;;
*) echo "usage: $0 windows|web [--qt-only]" >&2; exit 2 ;;
esac
export EMSDK=/usr/share/emscripten

# Each step names itself; a failure ends the script with that name in one line.
step_name=""
step() {
    step_name="$1"
    echo "== $step_name"
}
on_exit() {
    local status=$?
    debian_root_unmount
    [ $status -eq 0 ] || [ -z "$step_name" ] || echo "cross.sh $platform: step failed: $step_name (status $status)" >&2
}
trap on_exit EXIT

cache_root="${TAKTLOGIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/taktlogin}"
mkdir -p "$cache_root" "$repo_root/build"
# One run per cache: a second one would release the first one's mounts and share its Qt build.
exec 9>"$cache_root/.lock"
if ! flock -n 9; then
    echo "cross.sh: another cross.sh is running with the cache $cache_root; wait until it ends" \
        "or set TAKTLOGIN_CACHE to another folder" >&2
    exit 1
fi

# Debootstraps Debian 13 into the cache once and runs this script in it. The source tree is
# mounted at the same path, read-only but for build/, where the results land; the mounts go on
# any exit, so that nothing deleting the cache can reach the tree.
run_in_debian_13() {
    local root="$cache_root/debian-trixie"
    [ "$(id -u)" -eq 0 ] || { echo "cross.sh: on this Debian the build runs in a Debian 13 system in $root;" \
        "setting that up needs root (debootstrap, chroot)" >&2; exit 1; }
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
    # The system trusts what the host trusts beyond Debian's own authorities (a proxy's, say), for
    # what it fetches over TLS: npm's registry for the browser audits.
    if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null && [ -x "$root/usr/sbin/update-ca-certificates" ]; then
        cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
        chroot "$root" update-ca-certificates >/dev/null
    fi
    debian_root_mount_system "$root"
    debian_root_bind "$root" "$repo_root" "$repo_root" --bind
    mount -o remount,bind,ro "$root$repo_root"
    debian_root_bind "$root" "$repo_root/build" "$repo_root/build" --bind
    local status=0
    chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 TERM=dumb TAKTLOGIN_CACHE=/var/cache/taktlogin bash "$repo_root/scripts/cross.sh" "$@" ||
        status=$?
    debian_root_unmount
    step_name=""
    [ $status -eq 0 ] || { echo "cross.sh $platform: the build in Debian 13 failed (status $status)" >&2; exit $status; }
}

# A deb-src entry for each of Debian's archives apt knows, whichever format the system keeps its
# entries in. Without a Signed-By of its own it takes the keys of the deb entry beside it.
add_source_entries() {
    local list=/etc/apt/sources.list.d/taktlogin-src.list
    apt-get indextargets 'Created-By: Packages' 'Origin: Debian' \
        --format 'deb-src $(REPO_URI) $(RELEASE) $(COMPONENT)' | sort -u >"$list"
    [ -s "$list" ] || { rm -f "$list"; echo "cross.sh: apt knows no Debian archive to fetch the Qt source from" >&2; exit 1; }
}

host_release="$(. /etc/os-release && echo "${VERSION_ID:-0}")"
if [ "${host_release%%.*}" -lt 13 ] 2>/dev/null; then
    run_in_debian_13 "$@"
    exit 0
fi

step "install packages"
install_missing "${build_packages[@]}" "${packages[@]}"

# Qt for the platform, from the source of exactly the host's Qt, whose host tools it uses, with
# the options and patches in cmake/qt/: their digest names the build, so that a change of either
# builds Qt anew.
qt_deb_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
qt_version="${qt_deb_version%%+*}"
qt_patches="$repo_root/cmake/qt/patches/$platform"
qt_recipe="$( (cd "$repo_root/cmake/qt" && cat "$platform.cmake" ../toolchains/*.cmake &&
    if [ -d "$qt_patches" ]; then cat "$qt_patches"/*; fi) | sha256sum | cut -c1-12)"
qt_prefix="$cache_root/qt-$qt_deb_version-$platform-$qt_recipe"
qt_build="$cache_root/build-qt-$qt_deb_version-$platform-$qt_recipe"
host_cmake_dir="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
if [ -f "$qt_prefix/.taktlogin-complete" ]; then
    echo "Qt $qt_deb_version for $platform from the cache: $qt_prefix"
else
    rm -rf "$qt_prefix"
    if [ ! -f "$qt_build/.source-ready" ]; then
        step "fetch the Qt source $qt_deb_version"
        if [[ "$(apt-get indextargets --format '$(CREATED_BY)')" != *Sources* ]]; then
            [ "$(id -u)" -eq 0 ] || { echo "cross.sh: apt has no deb-src entry; add one, or run as root" >&2; exit 1; }
            add_source_entries
            apt-get update -qq
        fi
        rm -rf "$qt_build"
        mkdir -p "$qt_build/src"
        (cd "$qt_build/src" && apt-get source -qq --only-source "qt6-base=$qt_deb_version" >/dev/null)
        source_dir="$(find "$qt_build/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"
        if [ -f "$qt_patches/series" ]; then
            step "patch the Qt source"
            grep -v '^#' "$qt_patches/series" | while read -r patch; do
                patch --quiet --forward -p1 -d "$source_dir" <"$qt_patches/$patch"
            done
        fi
        if [ -f "$qt_patches/fonts" ]; then
            step "cut Qt's fonts"
            grep -v -e '^#' -e '^$' "$qt_patches/fonts" | while read -r font options; do
                read -ra options <<<"$options"
                font="$source_dir/src/3rdparty/wasm/$font"
                pyftsubset "$font" "${options[@]}" --output-file="$font.cut"
                case " ${options[*]} " in
                *" --unicodes=* "*) python3 - "$font" "$font.cut" <<'PYTHON' ;;
import sys
from fontTools.ttLib import TTFont
def drawn(path):
    font = TTFont(path)
    glyphs = font["glyf"]
    return {code: glyphs[name].getCoordinates(glyphs)[0].array.tobytes() if glyphs[name].numberOfContours else b""
            for code, name in font.getBestCmap().items()}
if drawn(sys.argv[1]) != drawn(sys.argv[2]):
    sys.exit(f"{sys.argv[2]}: characters or outlines differ from the font it was cut from")
PYTHON
                esac
                mv "$font.cut" "$font"
            done
        fi
        touch "$qt_build/.source-ready"
    fi
    source_dir="$(find "$qt_build/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)"
    step "configure Qt $qt_version for $platform"
    cmake -S "$source_dir" -B "$qt_build/build" -G Ninja -C "$repo_root/cmake/qt/$platform.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        >"$qt_build/configure.log" 2>&1 || { tail -n 30 "$qt_build/configure.log" >&2; exit 1; }
    step "build Qt $qt_version for $platform (30 to 70 minutes on two cores, once)"
    cmake --build "$qt_build/build" --parallel >"$qt_build/build.log" 2>&1 || { tail -n 30 "$qt_build/build.log" >&2; exit 1; }
    cmake --install "$qt_build/build" >"$qt_build/install.log" 2>&1 || { tail -n 30 "$qt_build/install.log" >&2; exit 1; }
    # Debian's account of who holds which rights in qtbase, bundled third-party code included.
    cp "$source_dir/debian/copyright" "$qt_prefix/debian-copyright"
    echo "$qt_deb_version" >"$qt_prefix/debian-version"
    touch "$qt_prefix/.taktlogin-complete"
fi
[ "${2:-}" != "--qt-only" ] || exit 0

# The preset reads where Qt is; one build folder per Qt version, since a toolchain of another Qt
# cannot be reconfigured in place.
export TAKTLOGIN_QT_PREFIX="$qt_prefix" TAKTLOGIN_QT_VERSION="$qt_version" TAKTLOGIN_HOST_CMAKE_DIR="$host_cmake_dir"
export WINEPREFIX="$cache_root/wineprefix"
[ "$platform" != windows ] || wineboot --init >/dev/null 2>&1 || true
step "configure, build, package and test for $platform (cmake --workflow --preset $platform)"
cd "$repo_root"
# The build folder's cache keeps the Qt it was first configured with; a Qt built anew with other
# options or patches lies in another folder, and the program must not link the old one's parts.
build_dir="$repo_root/build/cross/$platform-qt-$qt_version"
fresh=()
if [ -f "$build_dir/CMakeCache.txt" ] &&
    grep -o "$cache_root/qt-[^/]*" "$build_dir/CMakeCache.txt" | grep -qvxF "$qt_prefix"; then
    fresh=(--fresh)
fi
cmake --workflow --preset "$platform" "${fresh[@]}"

# Published only now that every test has passed, each by a rename: whole or not at all.
step "publish"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")"
if [ "$platform" = windows ]; then
    mkdir -p "$repo_root/build/windows"
    for artefact in "taktlogin-$version-windows-x64.zip" "taktlogin-$version-setup.exe"; do
        mv "$build_dir/$artefact" "$repo_root/build/windows/$artefact"
        echo "done: build/windows/$artefact"
    done
else
    site="$repo_root/build/web"
    rm -rf "$site.new" "$site.old"
    unzip -q "$build_dir/taktlogin-$version-web.zip" -d "$site.new"
    mv "$build_dir/taktlogin-$version-web.zip" "$repo_root/build/taktlogin-$version-web.zip"
    [ ! -d "$site" ] || mv "$site" "$site.old"
    mv "$site.new" "$site"
    rm -rf "$site.old"
    echo "done: build/web/ (python3 -m http.server -d build/web, then http://localhost:8000/)"
    echo "done: build/taktlogin-$version-web.zip"
fi
step_name=""
