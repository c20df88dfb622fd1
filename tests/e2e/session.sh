#!/usr/bin/env bash
# Runs a command inside a desktop-like session on the current X display: a D-Bus session bus,
# the accessibility bus and a window manager (without one no window is ever activated).
# Usage: xvfb-run -a -s "-screen 0 1280x800x24" session.sh COMMAND...
set -euo pipefail

eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
openbox >/dev/null 2>&1 &
window_manager=$!

cleanup() {
    kill "$window_manager" "$launcher" 2>/dev/null || true
    kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
}
trap cleanup EXIT

# Wait until the accessibility bus answers before the first program starts.
for _ in $(seq 50); do
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1; then
        break
    fi
    sleep 0.1
done

"$@"
