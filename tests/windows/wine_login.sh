#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A short login in the real taktlogin.exe under Wine, on Qt's windows platform plugin: one
# entry typed twice in the same rhythm (green verdict), then the repetition in another rhythm
# (red verdict). The verdict is read from screenshots. Runs under a window manager
# (tests/support/session.sh wm), which the rest of the install test goes without. The program is started as Explorer starts it, by its Windows path:
# taktlogin.exe itself or a shortcut to it. The last screenshot is kept.
# Usage: wine_login.sh 'C:\...\taktlogin.exe'|'C:\...\Taktlogin.lnk' SCREENSHOT.png
set -euo pipefail

program_path="$1"
screenshot="$2"
work="$(mktemp -d)"
program=""
cleanup() {
    if [ -n "$program" ]; then
        kill "$program" 2>/dev/null || true
    fi
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "wine_login.sh: $*" >&2
    exit 1
}

wine start /wait "$program_path" >"$work/program.log" 2>&1 &
program=$!

window=""
for _ in $(seq 300); do
    window="$(xdotool search --onlyvisible --name '^Anmelden:$' 2>/dev/null | tail -n 1 || true)"
    [ -n "$window" ] && break
    # Wine's start returns at once for a shortcut; then the program's own process counts.
    if ! kill -0 "$program" 2>/dev/null && ! pgrep -i -x 'taktlogin\.exe' >/dev/null; then
        cat "$work/program.log" >&2
        fail "taktlogin.exe ended before showing its window"
    fi
    sleep 0.2
done
[ -n "$window" ] || fail "no window 'Anmelden:' within 60 s"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window"
sleep 1

# Types the characters of $1 with the gaps (in seconds) that follow.
type_rhythm() {
    local text="$1"
    shift
    local command=(key --delay 0 "${text:0:1}")
    local i
    for ((i = 1; i < ${#text}; i++)); do
        command+=(sleep "$1" key --delay 0 "${text:i:1}")
        shift
    done
    xdotool "${command[@]}"
}

# Pixels of exactly this colour on the screen.
count_colour() {
    import -window root "$work/shot.png"
    convert "$work/shot.png" -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:round(mean*w*h)]' info:
}

# Types the repetition with the given gaps, presses Login and expects the verdict in the first
# colour, with no pixel of the second.
expect_verdict() {
    local what="$1" expected="$2" other="$3"
    shift 3
    type_rhythm geheim "$@"
    xdotool key Return
    sleep 1
    local seen unseen
    seen="$(count_colour "$expected")"
    unseen="$(count_colour "$other")"
    echo "$what: $seen pixels of $expected, $unseen of $other"
    [ "$seen" -gt 100 ] && [ "$unseen" -eq 0 ] || fail "no verdict in $expected after $what"
}

green='rgb(0,128,0)'
red='rgb(192,0,0)'
type_rhythm geheim 0.06 0.4 0.06 0.4 0.06
xdotool key Tab
expect_verdict "the same rhythm" "$green" "$red" 0.06 0.4 0.06 0.4 0.06
xdotool key BackSpace
expect_verdict "another rhythm" "$red" "$green" 0.4 0.06 0.4 0.06 0.4

cp "$work/shot.png" "$screenshot"
xdotool key --window "$window" alt+F4 2>/dev/null || true
echo "login under Wine from $program_path: green for the same rhythm, red for another"
