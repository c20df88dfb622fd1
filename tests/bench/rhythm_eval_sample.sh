#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

# rhythm_eval on a sample written here, whose counts are worked out by hand:
#   typist 1: ten typings of 100,300,100,... -> code 0101010 (45 genuine matches)
#   typist 2: five of those, then five of 300,100,300,... -> 1010101 (10 + 10 matches)
#   typist 3: ten typings of 100 x 6 then 400 -> 0000001 (45 matches)
# Genuine: 110 of 135 pairs. Impostor (against each other typist's first typing): typist 1's
# ten typings match typist 2's first, typist 2's five 0101010 match typist 1's: 15 of 60.
set -euo pipefail
rhythm_eval="$1"
sample="$(mktemp -d)"
trap 'rm -rf "$sample"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

for i in $(seq 10); do printf '100.00\t300.00\t100.00\t300.00\t100.00\t300.00\t100.00\n'; done > "$sample/user1.txt"
{
    for i in $(seq 5); do printf '100\t300\t100\t300\t100\t300\t100\n'; done
    for i in $(seq 5); do printf '300\t100\t300\t100\t300\t100\t300\n'; done
} > "$sample/user2.txt"
for i in $(seq 10); do printf '100\t100\t100\t100\t100\t100\t400\r\n'; done > "$sample/user3.txt"
echo "not a typist" > "$sample/notes.txt"

output="$("$rhythm_eval" "$sample")"
expected=$'genuine: 110/135 matched (81.48%)\nimpostor: 15/60 matched (25.00%)'
[ "$(printf '%s\n' "$output" | head -n 2)" = "$expected" ] || fail "unexpected output: $output"

# Bad input is reported, not judged.
printf '100\tabc\n' > "$sample/user4.txt"
if "$rhythm_eval" "$sample" >/dev/null 2>&1; then fail "accepted a malformed interval"; fi
if "$rhythm_eval" >/dev/null 2>&1; then fail "ran without a folder"; fi
echo "rhythm_eval sample passed"
