#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds taktlogin (the program alone, not the tests) and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Said before anything is installed or built: without a display the window cannot open.
platform_chosen=false
for argument in "$@"; do
    [ "$argument" = "-platform" ] || [ "$argument" = "--platform" ] && platform_chosen=true
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ] &&
    [ "$platform_chosen" = false ]; then
    install_xvfb="apt-get install xvfb"
    [ "$(id -u)" -eq 0 ] || install_xvfb="sudo $install_xvfb"
    echo "start.sh: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set);" \
        "without a screen, start it under a virtual X server: $install_xvfb && xvfb-run -a bash scripts/start.sh" >&2
    exit 1
fi

install_missing "${build_packages[@]}"
build_preset default --target taktlogin
exec "$repo_root/build/default/src/taktlogin" "$@"
