#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The first keystroke after start-up against the ones after it: each run starts the program
afresh, xdotool types four keys with equal gaps, and the keystroke list is read back over AT-SPI.
The first interval's shortfall is the mean of the second and third intervals minus the first;
a first key that reaches the field late (something gets ready on it) shortens that interval.
The same runs go, alternating, to a bare QLineEdit stamped with the same clock (baseline_stamper).
Run inside tests/support/session.sh x, or with --wayland inside tests/support/session.sh wayland,
where wtype types natively on Wayland.

usage: first_keystroke.py TAKTLOGIN BASELINE [--starts N] [--gap MS] [--wayland]"""

import argparse
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "support"))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from testsupport.desktop import App  # noqa: E402
from testsupport.rhythm import interval_of  # noqa: E402
from testsupport.waiting import wait_until  # noqa: E402

LIST = "Eingabetakt (ms): (Eingabe)"


def shortfall(binary, app_name, gap, wayland):
    if wayland:
        from test_wayland import WaylandApp
        app = WaylandApp(binary=binary, app_name=app_name)
    else:
        # Measures the very first key the program gets, so no Shift tap goes before it.
        app = App(extra_env={"LC_ALL": "C.UTF-8"}, binary=binary, app_name=app_name, settle_keyboard=False)
    try:
        app.type_rhythm("abcd", [gap, gap, gap])
        lines = wait_until(lambda: len(app.lines(LIST)) == 4 and app.lines(LIST), what="four lines")
    finally:
        app.close()
    first, second, third = (interval_of(line) for line in lines[1:])
    return (second + third) / 2 - first


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("taktlogin")
    parser.add_argument("baseline")
    parser.add_argument("--starts", type=int, default=8)
    parser.add_argument("--gap", type=int, default=300)
    parser.add_argument("--wayland", action="store_true", help="type natively on Wayland (wtype)")
    args = parser.parse_args()

    programs = {"taktlogin": (args.taktlogin, "taktlogin"), "baseline": (args.baseline, "baseline_stamper")}
    results = {name: [] for name in programs}
    for start in range(args.starts):
        order = ["taktlogin", "baseline"] if start % 2 == 0 else ["baseline", "taktlogin"]
        for name in order:
            results[name].append(shortfall(*programs[name], args.gap, args.wayland))
    for name, values in results.items():
        print(f"{name}: {len(values)} fresh starts, first interval short by median {statistics.median(values):.3f} ms "
              f"(each: {', '.join(f'{v:.2f}' for v in values)})")


if __name__ == "__main__":
    main()
