#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a private Xvfb server. The server picks a free display number itself
# (-displayfd), so parallel runs and other X servers on the machine cannot collide with it.
# Usage: xserver.sh WIDTHxHEIGHT COMMAND...
set -euo pipefail

size="$1"
shift
fifo_dir="$(mktemp -d)"
trap 'rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"

Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo_dir/display" 2>"$fifo_dir/xvfb.log" &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$fifo_dir"' EXIT

display=""
if ! read -r -t 20 display <"$fifo_dir/display" || [ -z "$display" ]; then
    echo "xserver.sh: Xvfb did not report a display within 20 s:" >&2
    cat "$fifo_dir/xvfb.log" >&2
    exit 1
fi
export DISPLAY=":$display"
unset WAYLAND_DISPLAY
"$@"
