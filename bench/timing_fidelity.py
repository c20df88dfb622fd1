#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Timing fidelity end to end: xdotool types into the login window with known gaps between
keys, and the keystroke list is read back over AT-SPI. The same gaps go, in the same run and
alternating block by block, to a bare QLineEdit stamped with the same clock (baseline_stamper).
Run inside tests/support/session.sh x.

usage: timing_fidelity.py TAKTLOGIN BASELINE [--blocks N] [--length N] [--seed N]"""

import argparse
import os
import random
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "support"))
from testsupport.desktop import App  # noqa: E402
from testsupport.rhythm import interval_of, percentile  # noqa: E402
from testsupport.waiting import wait_until  # noqa: E402

LIST = "Eingabetakt (ms): (Eingabe)"
LETTERS = "abcdefghijklmnopqrstuvwxyz"


def type_block(app, text, gaps):
    app.activate()
    app.type_rhythm(text, gaps)
    lines = wait_until(lambda: len(app.lines(LIST)) == len(text) and app.lines(LIST), what="all lines")
    app.key("ctrl+a")
    app.key("BackSpace")
    wait_until(lambda: app.lines(LIST) == [], what="an empty list")
    return [interval_of(line) - gap for line, gap in zip(lines[1:], gaps)]


def summary(errors):
    absolute = [abs(e) for e in errors]
    return statistics.median(absolute), percentile(absolute, 0.95), statistics.mean(errors)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("taktlogin")
    parser.add_argument("baseline")
    parser.add_argument("--blocks", type=int, default=10)
    parser.add_argument("--length", type=int, default=21, help="keystrokes per block, at most 24")
    parser.add_argument("--seed", type=int, default=1208)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    env = {"LC_ALL": "C.UTF-8"}
    apps = {"taktlogin": App(extra_env=env, binary=args.taktlogin),
            "baseline": App(extra_env=env, binary=args.baseline, app_name="baseline_stamper")}
    errors = {name: [] for name in apps}
    try:
        for block in range(args.blocks):
            text = "".join(rng.choice(LETTERS) for _ in range(args.length))
            gaps = [rng.randint(30, 600) for _ in range(args.length - 1)]
            order = ["taktlogin", "baseline"] if block % 2 == 0 else ["baseline", "taktlogin"]
            for name in order:
                errors[name] += type_block(apps[name], text, gaps)
    finally:
        for app in apps.values():
            app.close()

    keystrokes = args.blocks * args.length
    results = {name: summary(values) for name, values in errors.items()}
    for name, (median, p95, mean) in results.items():
        print(f"{name}: {keystrokes} keystrokes, {len(errors[name])} intervals: |error| median {median:.3f} ms, "
              f"p95 {p95:.3f} ms (mean signed error {mean:+.3f} ms)")
    (tm, tp, _), (bm, bp, _) = results["taktlogin"], results["baseline"]
    print(f"taktlogin - baseline: median {tm - bm:+.3f} ms, p95 {tp - bp:+.3f} ms; "
          f"ratio median {tm / bm if bm else float('inf'):.2f}x, p95 {tp / bp if bp else float('inf'):.2f}x")


if __name__ == "__main__":
    main()
