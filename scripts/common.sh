# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by start.sh, test.sh and package.sh: installs what is missing and builds one preset.
# Works on a fresh Debian 12 or 13 machine that has only git and bash.

set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

build_packages=(g++ cmake ninja-build pkg-config librsvg2-bin qt6-base-dev libxcb1-dev libgl-dev fonts-dejavu-core
    qt6-translations-l10n libbenchmark-dev)
# The end-to-end suite drives the real window under Xvfb and reads it over AT-SPI.
# Sanitizer runtime and libFuzzer come with clang; the ci preset compiles through clazy.
fuzz_packages=(clang libclang-rt-dev clang-format clazy)
# The Debian package: dpkg-shlibdeps and file for CPack.
package_packages=(dpkg-dev file)
# Packaging checks: validators, lintian, hardening-check (devscripts), reuse, man.
packaging_packages=("${package_packages[@]}" appstream desktop-file-utils lintian devscripts reuse man-db)
# The font test runs once where fontconfig sees only fonts-liberation.
gui_test_packages=(fonts-liberation)
# ibus, setxkbmap, xrdb and XTEST from Python: input methods, keyboard layouts and screen DPI.
e2e_packages=(xvfb xauth xdotool x11-utils xclip imagemagick openbox dbus-x11 at-spi2-core python3-pyatspi strace
    sway wtype grim qt6-wayland ibus x11-xkb-utils x11-xserver-utils python3-xlib)

# Installs the Debian packages among "$@" that are not installed yet.
install_missing() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "$(basename "$0"): missing Debian packages: ${missing[*]}; run this script as root," \
                "or set up sudo, or install them first: apt-get install ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds the given CMake preset; further arguments go to the build, such as
# --target taktlogin.
build_preset() {
    local preset="$1"
    cd "$repo_root"
    cmake --preset "$preset" -G Ninja >/dev/null
    cmake --build --preset "$preset" "${@:2}" --parallel
}
