#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command in a headless sway session (Wayland only, no Xwayland) with a D-Bus session
# bus and the accessibility bus. sway refuses to run as root, so root hands the whole session
# to an unprivileged user of its own (taktlogin-e2e, created when missing).
# Usage: wayland_session.sh COMMAND...
set -euo pipefail

# Without the compositor, its tools or Qt's Wayland plugin the run is skipped (status 77), but
# not in CI, whose test command installs them: there a skip would hide the suite.
skip() {
    echo "skipped: $1"
    if [ "${CI:-}" = true ]; then
        echo "wayland_session.sh: CI=true, where the test command installs it: failing instead" >&2
        exit 1
    fi
    exit 77
}
for tool in sway wtype grim; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
# Qt's own plugin folders only: a search through /usr/lib meets folders this user may not read.
plugin=""
for candidate in /usr/lib/qt6/plugins/platforms/libqwayland-generic.so \
    /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so; do
    [ -e "$candidate" ] && plugin="$candidate"
done
[ -n "$plugin" ] || skip "Qt's Wayland plugin (qt6-wayland) is not installed"

user=taktlogin-e2e
if [ "$(id -u)" -eq 0 ]; then
    id "$user" >/dev/null 2>&1 || useradd --system --create-home --shell /usr/sbin/nologin "$user"
    # The checkout may lie where that user cannot read (under /root): the suite and the program
    # run from a copy it can.
    e2e_dir="$(cd "$(dirname "$0")" && pwd)"
    stage="$(mktemp -d /tmp/taktlogin-wayland.XXXXXX)"
    cp -r "$e2e_dir" "$stage/e2e"
    if [ -n "${TAKTLOGIN_BIN:-}" ]; then
        cp "$TAKTLOGIN_BIN" "$stage/taktlogin"
    fi
    chmod -R a+rX "$stage"
    arguments=()
    for argument in "$@"; do
        arguments+=("${argument//"$e2e_dir"/$stage/e2e}")
    done
    status=0
    runuser -u "$user" -- env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$(getent passwd "$user" | cut -d: -f6)" \
        CI="${CI:-}" LANG=C.UTF-8 LC_ALL=C.UTF-8 TAKTLOGIN_BIN="$stage/taktlogin" "$stage/e2e/wayland_session.sh" \
        "${arguments[@]}" || status=$?
    rm -rf "$stage"
    exit $status
fi

XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
config="$XDG_RUNTIME_DIR/sway.config"
printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x800\n' >"$config"

WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$config" \
    >"$XDG_RUNTIME_DIR/sway.log" 2>&1 &
compositor=$!
# The suite's status is the script's; taking the session down never changes it. Buses that are
# still ending may write into the runtime folder while it is removed (on a busy machine they
# take longer), so the removal is tried again for a while.
cleanup() {
    local status=$?
    [ -n "${launcher:-}" ] && kill "$launcher" 2>/dev/null || true
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
    kill "$compositor" 2>/dev/null || true
    wait 2>/dev/null || true
    for _ in $(seq 50); do
        rm -rf "$XDG_RUNTIME_DIR" 2>/dev/null && break
        sleep 0.1
    done
    exit $status
}
trap cleanup EXIT

for _ in $(seq 100); do
    socket="$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'wayland-*' -type s -print -quit)"
    [ -n "$socket" ] && break
    kill -0 "$compositor" 2>/dev/null || { cat "$XDG_RUNTIME_DIR/sway.log" >&2; exit 1; }
    sleep 0.1
done
[ -n "$socket" ] || { echo "wayland_session.sh: sway opened no socket within 10 s" >&2; exit 1; }
export WAYLAND_DISPLAY="${socket##*/}"
SWAYSOCK="$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'sway-ipc.*.sock' -print -quit)"
export SWAYSOCK
unset DISPLAY

eval "$(dbus-launch --sh-syntax)"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1
done

"$@"
