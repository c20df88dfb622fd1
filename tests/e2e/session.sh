#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command inside a desktop-like session on the current X display: a D-Bus session bus,
# the accessibility bus and a window manager (without one no window is ever activated).
# Usage: xserver.sh 1280x800 session.sh COMMAND...
set -euo pipefail

eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
wm_log="$(mktemp)"
window_manager=""

cleanup() {
    kill $window_manager "$launcher" 2>/dev/null || true
    kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
    rm -f "$wm_log"
}
trap cleanup EXIT

# The window manager must be managing the screen before the first window appears; on a busy
# machine it has been seen to end before it got there, so it gets three chances.
wm_ready() {
    kill -0 "$window_manager" 2>/dev/null && xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
for attempt in 1 2 3; do
    openbox >"$wm_log" 2>&1 &
    window_manager=$!
    for _ in $(seq 100); do
        wm_ready && break 2
        kill -0 "$window_manager" 2>/dev/null || break
        sleep 0.1
    done
    echo "session.sh: openbox (attempt $attempt) is not managing the screen: $(tr '\n' ' ' <"$wm_log")" >&2
    kill "$window_manager" 2>/dev/null || true
done
wm_ready || { echo "session.sh: no window manager on $DISPLAY" >&2; exit 1; }

# Wait until the accessibility bus answers before the first program starts.
for _ in $(seq 50); do
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; then
        break
    fi
    sleep 0.1
done

"$@"
