#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds the program alone and packs it as Debian packages:
# build/package/taktlogin_<version>_<arch>.deb and its debug symbols, taktlogin-dbgsym_*.deb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${build_packages[@]}" "${package_packages[@]}"
# File dates from the last commit, so that a build of one commit gives the same package anywhere.
SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git -C "$repo_root" log -1 --format=%ct)}"
export SOURCE_DATE_EPOCH
build_preset package
rm -rf "$repo_root/build/package"
cpack --config "$repo_root/build/package-build/CPackConfig.cmake" -B "$repo_root/build/package"
rm -rf "$repo_root/build/package/_CPack_Packages"
ls "$repo_root"/build/package/*.deb
