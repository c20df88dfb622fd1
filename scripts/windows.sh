#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows release: build/windows/taktlogin-<version>-windows-x64.zip and
# build/windows/taktlogin-<version>-setup.exe, each tested under Wine (see cross.sh).
exec bash "$(dirname "${BASH_SOURCE[0]}")/cross.sh" windows "$@"
