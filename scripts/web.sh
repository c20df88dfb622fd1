#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The browser release: the site in build/web/ and build/taktlogin-<version>-web.zip, its suites
# run under node and the site tested in headless Chromium (see cross.sh).
exec bash "$(dirname "${BASH_SOURCE[0]}")/cross.sh" web "$@"
