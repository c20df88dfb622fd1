#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The setup program under Wine, as a Windows user meets it: a silent install (files, Start-menu
# shortcut, entry in "Apps"), a login in the program started from the Start menu, a second
# install over the first, a setup (silent and by hand) and an uninstall refused while the
# program runs, a silent uninstall that leaves nothing, and the portable program started from
# a folder whose path has spaces and umlauts. What is installed is compared with the zip, which
# holds the same folder. Runs on an X server without a window manager (tests/support/session.sh
# bare-x); each login runs under openbox (session.sh wm).
# Usage: wine_install.sh SETUP.exe ZIP VERSION WORK_DIR
set -euo pipefail

setup="$1"
zip="$2"
version="$3"
work_dir="$4"
rm -rf "$work_dir/unpacked"
mkdir -p "$work_dir/unpacked"
unzip -q "$zip" -d "$work_dir/unpacked"
package_dir="$work_dir/unpacked/$(basename "$zip" .zip)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

fail() {
    echo "wine_install.sh: $*" >&2
    exit 1
}

windows_variable() {
    wine cmd /c "echo %$1%" 2>/dev/null | tr -d '\r'
}

install_win="$(windows_variable LOCALAPPDATA)\\Programs\\Taktlogin"
shortcut_win="$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Taktlogin.lnk"
install_dir="$(winepath -u "$install_win")"
install_dir="${install_dir%/}"
shortcut="$(winepath -u "$shortcut_win")"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Taktlogin'

# The value of one entry in a listing of the uninstall key, or nothing.
# Usage: registry_value LISTING NAME
registry_value() {
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p" <<<"$1"
}

# Every wait below has a bound and, when it runs out, a line of its own: a busy machine may make
# Wine slow, but never leaves the script ended without saying where.

# Runs a Windows program to its end within SECONDS; sets `status` to its exit status.
# Usage: run_bounded SECONDS WHAT PROGRAM ARGUMENTS...
run_bounded() {
    local seconds="$1" what="$2"
    shift 2
    status=0
    timeout --kill-after=10 "$seconds" wine "$@" >/dev/null 2>&1 || status=$?
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        fail "$what did not end within $seconds s"
    fi
}

# The same, and waits for everything it started to end too.
run_to_end() {
    run_bounded "$@"
    timeout "$1" wineserver -w || fail "$2: Wine's processes did not end within $1 s"
}

# Prints the id of a visible window whose title matches, waiting up to 60 s; nothing if none.
wait_for_window() {
    timeout 60 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true
}

# Every file of the package is installed unchanged, and besides them only the uninstaller.
expect_installed() {
    local what="$1" file
    [ -d "$install_dir" ] || fail "$what: no folder $install_win"
    while IFS= read -r -d '' file; do
        cmp -s "$package_dir/$file" "$install_dir/$file" || fail "$what: $file is missing or differs"
    done < <(cd "$package_dir" && find . -type f -print0)
    local expected actual
    expected="$( (cd "$package_dir" && find . -type f && echo ./uninstall.exe) | sort)"
    actual="$(cd "$install_dir" && find . -type f | sort)"
    [ "$expected" = "$actual" ] || fail "$what: the folder holds other files: $(diff <(echo "$expected") <(echo "$actual") | grep '^[<>]' | head -n 5 | tr '\n' ' ')"
    [ -f "$shortcut" ] || fail "$what: no Start-menu shortcut $shortcut_win"
    local entries name wanted
    entries="$(wine reg query "$key" 2>/dev/null | tr -d '\r')"
    while IFS='|' read -r name wanted; do
        [ "$(registry_value "$entries" "$name")" = "$wanted" ] ||
            fail "$what: $name in $key is '$(registry_value "$entries" "$name")', not '$wanted'"
    done <<EOF
DisplayName|Taktlogin
DisplayVersion|$version
Publisher|Taktlogin-Team
DisplayIcon|$install_win\taktlogin.exe,0
UninstallString|"$install_win\uninstall.exe"
EOF
    # EstimatedSize in KiB, within a tenth of what the files hold.
    local size bytes
    size="$(($(registry_value "$entries" EstimatedSize)))"
    bytes="$(find "$install_dir" -type f -printf '%s\n' | awk '{ sum += $1 } END { print sum }')"
    ((size * 1024 > bytes * 9 / 10 && size * 1024 < bytes * 11 / 10)) ||
        fail "$what: EstimatedSize $size KiB for $bytes bytes of files"
    echo "$what: $(find "$install_dir" -type f | wc -l) files, the shortcut and the uninstall key ($size KiB)"
}

# What an earlier, broken run may have left.
rm -rf "$install_dir" "$shortcut"
wine reg delete "$key" /f >/dev/null 2>&1 || true

echo "-- silent install"
run_to_end 300 "the silent install" "$setup" /S
[ "$status" -eq 0 ] || fail "the silent install ended with status $status"
expect_installed "installed"

echo "-- a login in the program started from the Start menu"
"$here/../support/session.sh" wm python3 "$here/wine_login.py" "$shortcut_win"

echo "-- a second install over the first"
rm "$install_dir/styles/"*.dll
run_to_end 300 "the second install" "$setup" /S
[ "$status" -eq 0 ] || fail "the second install ended with status $status"
expect_installed "installed again"

echo "-- setup and uninstall while the program runs"
status=0
timeout 60 wine start "$install_win\\taktlogin.exe" >/dev/null 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "wine start of the installed program ended with status $status"
[ -n "$(wait_for_window '^Anmelden:$')" ] || fail "the installed program showed no window within 60 s"
before="$(stat -c %Y "$install_dir/taktlogin.exe")"
run_bounded 300 "a silent setup while the program runs" "$setup" /S
[ "$status" -eq 2 ] || fail "a setup started while the program runs ended with status $status, not 2"
# Started by hand, it says so in a message box (its own title) and ends when that is closed.
wine "$setup" >/dev/null 2>&1 &
interactive=$!
message="$(wait_for_window '^Installation von Taktlogin$')"
[ -n "$message" ] || fail "a setup started by hand while the program runs showed no message within 60 s"
# No window manager runs here: the message box gets the focus directly, then Return, sent to it
# and typed, until it closes.
for _ in $(seq 30); do
    kill -0 "$interactive" 2>/dev/null || break
    timeout 10 xdotool windowfocus "$message" >/dev/null 2>&1 || true
    timeout 10 xdotool key --window "$message" Return >/dev/null 2>&1 || true
    timeout 10 xdotool key Return >/dev/null 2>&1 || true
    sleep 1
done
kill -0 "$interactive" 2>/dev/null && fail "the setup's message did not close on Return within 30 s"
status=0
wait "$interactive" || status=$?
[ "$status" -eq 2 ] || fail "after its message the setup ended with status $status, not 2"
# In place (_?=), so that the status is the uninstaller's own and not that of its copy in %TEMP%.
run_bounded 300 "an uninstall while the program runs" "$install_dir/uninstall.exe" /S "_?=$install_win"
[ "$status" -eq 2 ] || fail "an uninstall started while the program runs ended with status $status, not 2"
[ "$(stat -c %Y "$install_dir/taktlogin.exe")" = "$before" ] || fail "taktlogin.exe was replaced while it ran"
wineserver -k 2>/dev/null || true
timeout 60 wineserver -w || fail "Wine's processes did not end within 60 s of wineserver -k"
expect_installed "refused while running"

echo "-- silent uninstall"
run_to_end 300 "the silent uninstall" "$install_dir/uninstall.exe" /S
[ "$status" -eq 0 ] || fail "the silent uninstall ended with status $status"
[ ! -e "$install_dir" ] || fail "left behind in $install_win: $(cd "$install_dir" && find . | head -n 5 | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is left"
if wine reg query "$key" >/dev/null 2>&1; then
    fail "the uninstall key is left"
fi
echo "uninstalled: no folder, no shortcut, no key"

echo "-- the portable program in a folder with spaces and umlauts"
portable_win='C:\Users\Jörg Müller\Downloads\Taktlogin 1.0'
wine cmd /c mkdir "$portable_win" >/dev/null 2>&1 || true
portable_dir="$(winepath -u "$portable_win")"
[ -d "$portable_dir" ] || fail "could not make $portable_win"
cp -r "$package_dir/." "$portable_dir/"
"$here/../support/session.sh" wm python3 "$here/wine_login.py" "$portable_win\\taktlogin.exe"
rm -rf "$portable_dir"
rmdir "$(dirname "${portable_dir%/}")" "$(dirname "$(dirname "${portable_dir%/}")")" 2>/dev/null || true
