#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Renews docs/normal-view.png and docs/extended-view.png from a real login under Xvfb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${build_packages[@]}" "${e2e_packages[@]}"
build_preset default
mkdir -p "$repo_root/docs"
"$repo_root/tests/support/session.sh" x 1280x800 \
    env TAKTLOGIN_BIN="$repo_root/build/default/src/taktlogin" \
    /usr/bin/python3 -W ignore::DeprecationWarning "$repo_root/scripts/screenshots.py" "$repo_root/docs"
