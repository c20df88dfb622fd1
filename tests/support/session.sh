#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command in a desktop-like session of its own, with a D-Bus session bus and the
# accessibility bus answering before it starts:
#   session.sh x WIDTHxHEIGHT COMMAND...  a private Xvfb with openbox managing it (without a
#                                         window manager no window is ever activated)
#   session.sh bare-x WIDTHxHEIGHT COMMAND...  the same without a window manager
#   session.sh wm COMMAND...              openbox on the current display for the command's time
#   session.sh wayland COMMAND...         a headless sway, Wayland only (no Xwayland); sway refuses
#                                         to run as root, so root hands the whole session to an
#                                         unprivileged user of its own (taktlogin-e2e)
# The command's status is the script's; taking the session down never changes it.
set -euo pipefail

kind="${1:-}"
shift || true
case "$kind" in
x | bare-x) size="${1:?usage: session.sh x|bare-x WIDTHxHEIGHT COMMAND...}"; shift ;;
wayland | wm) ;;
*) echo "usage: session.sh x|bare-x WIDTHxHEIGHT COMMAND... | session.sh wayland|wm COMMAND..." >&2; exit 2 ;;
esac

# Without the compositor, its tools or Qt's Wayland plugin the run is skipped (status 77), but
# not in CI, whose test command installs them: there a skip would hide the suite.
skip() {
    echo "skipped: $1"
    if [ "${CI:-}" = true ]; then
        echo "session.sh: CI=true, where the test command installs it: failing instead" >&2
        exit 1
    fi
    exit 77
}

session_dir="$(mktemp -d)"
pids=()
cleanup() {
    local status=$?
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    [ -n "${DBUS_SESSION_BUS_PID:-}" ] && kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    # Buses that are still ending may write into the runtime folder while it is removed (on a
    # busy machine they take longer), so the removal is tried again for a while.
    for _ in $(seq 50); do
        rm -rf "$session_dir" 2>/dev/null && break
        sleep 0.1
    done
    exit $status
}
trap cleanup EXIT

# Waits up to SECONDS for COMMAND to succeed; fails with MESSAGE.
# Usage: wait_for SECONDS MESSAGE COMMAND...
wait_for() {
    local tenths=$(($1 * 10)) message="$2"
    shift 2
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    echo "session.sh: $message" >&2
    exit 1
}

start_buses() {
    eval "$(dbus-launch --sh-syntax)"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    pids+=($!)
    wait_for 10 "the accessibility bus did not answer within 10 s" \
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
}

start_x() {
    # A display number no X server uses. Xvfb's own choice (-displayfd) looks only at this
    # system's lock files, but X servers in other chroots of the machine share the names of the
    # abstract sockets, and then a client of this session would reach theirs.
    local display="" number attempt
    for attempt in 1 2 3; do
        for number in $(shuf -i 10-999 -n 100); do
            if [ ! -e "/tmp/.X$number-lock" ] && ! grep -q "@/tmp/.X11-unix/X$number\$" /proc/net/unix; then
                break
            fi
        done
        Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp 2>"$session_dir/xvfb.log" &
        local server=$!
        pids+=("$server")
        for _ in $(seq 200); do
            if [ -S "/tmp/.X11-unix/X$number" ] && xprop -display ":$number" -root >/dev/null 2>&1; then
                display="$number"
                break 2
            fi
            kill -0 "$server" 2>/dev/null || break
            sleep 0.1
        done
        kill "$server" 2>/dev/null || true
    done
    if [ -z "$display" ]; then
        echo "session.sh: Xvfb did not start:" >&2
        cat "$session_dir/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=":$display"
    unset WAYLAND_DISPLAY
    start_buses
    [ "$kind" = bare-x ] || start_wm
}

start_wm() {
    # The window manager must be managing the screen before the first window appears; on a busy
    # machine it has been seen to end before it got there, so it gets three chances.
    local window_manager
    wm_ready() {
        kill -0 "$window_manager" 2>/dev/null && xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
    }
    for attempt in 1 2 3; do
        openbox >"$session_dir/openbox.log" 2>&1 &
        window_manager=$!
        pids+=("$window_manager")
        for _ in $(seq 100); do
            wm_ready && return 0
            kill -0 "$window_manager" 2>/dev/null || break
            sleep 0.1
        done
        echo "session.sh: openbox (attempt $attempt) is not managing the screen: $(tr '\n' ' ' <"$session_dir/openbox.log")" >&2
        kill "$window_manager" 2>/dev/null || true
    done
    echo "session.sh: no window manager on $DISPLAY" >&2
    exit 1
}

start_wayland() {
    local tool
    for tool in sway wtype grim; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
    # Qt's own plugin folders only: a search through /usr/lib meets folders this user may not read.
    local plugin="" candidate
    for candidate in /usr/lib/qt6/plugins/platforms/libqwayland-generic.so \
        /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so; do
        [ -e "$candidate" ] && plugin="$candidate"
    done
    [ -n "$plugin" ] || skip "Qt's Wayland plugin (qt6-wayland) is not installed"

    export XDG_RUNTIME_DIR="$session_dir"
    printf 'xwayland disable\noutput HEADLESS-1 resolution 1280x800\n' >"$session_dir/sway.config"
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$session_dir/sway.config" \
        >"$session_dir/sway.log" 2>&1 &
    local compositor=$!
    pids+=("$compositor")
    local socket=""
    for _ in $(seq 100); do
        socket="$(find "$session_dir" -maxdepth 1 -name 'wayland-*' -type s -print -quit)"
        [ -n "$socket" ] && break
        kill -0 "$compositor" 2>/dev/null || { cat "$session_dir/sway.log" >&2; exit 1; }
        sleep 0.1
    done
    [ -n "$socket" ] || { echo "session.sh: sway opened no socket within 10 s" >&2; exit 1; }
    export WAYLAND_DISPLAY="${socket##*/}"
    SWAYSOCK="$(find "$session_dir" -maxdepth 1 -name 'sway-ipc.*.sock' -print -quit)"
    export SWAYSOCK
    unset DISPLAY
    start_buses
}

if [ "$kind" = wayland ] && [ "$(id -u)" -eq 0 ]; then
    user=taktlogin-e2e
    id "$user" >/dev/null 2>&1 || useradd --system --create-home --shell /usr/sbin/nologin "$user"
    # The checkout may lie where that user cannot read (under /root): the tests and the program
    # run from a copy it can.
    tests_dir="$(cd "$(dirname "$0")/.." && pwd)"
    stage="$session_dir/stage"
    mkdir -p "$stage"
    cp -r "$tests_dir/e2e" "$tests_dir/support" "$stage/"
    [ -n "${TAKTLOGIN_BIN:-}" ] && cp "$TAKTLOGIN_BIN" "$stage/taktlogin"
    chmod -R a+rX "$session_dir"
    arguments=()
    for argument in "$@"; do
        arguments+=("${argument//"$tests_dir"/$stage}")
    done
    status=0
    runuser -u "$user" -- env -i PATH=/usr/local/bin:/usr/bin:/bin HOME="$(getent passwd "$user" | cut -d: -f6)" \
        CI="${CI:-}" LANG=C.UTF-8 LC_ALL=C.UTF-8 TAKTLOGIN_BIN="$stage/taktlogin" "$stage/support/session.sh" \
        wayland "${arguments[@]}" || status=$?
    exit $status
fi

case "$kind" in
wayland) start_wayland ;;
wm) start_wm ;;
*) start_x ;;
esac
"$@"
