#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Start-up time to the first frame and peak memory of the login window against a bare Qt
window with the same widgets, alternating the two in one run; then resident memory over many
keystrokes with resets. Run it on the display to measure (e.g. under xvfb-run).

usage: startup_memory.py PROBE [--runs N] [--keystrokes N]"""

import argparse
import statistics
import subprocess
import time


def probe(binary, mode, *extra):
    started = time.monotonic_ns()
    result = subprocess.run([binary, mode, *extra], capture_output=True, text=True, timeout=120, check=True)
    values = dict(line.split() for line in result.stdout.splitlines() if line.strip())
    return started, values


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("probe")
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("--keystrokes", type=int, default=10000)
    args = parser.parse_args()

    startup = {"taktlogin": [], "baseline": []}
    peak = {"taktlogin": [], "baseline": []}
    probe(args.probe, "baseline")  # warm the file cache before anything is timed
    for _ in range(args.runs):
        for mode in ("taktlogin", "baseline"):
            started, values = probe(args.probe, mode)
            startup[mode].append((int(values["first-frame-ns"]) - started) / 1e6)
            peak[mode].append(int(values["peak-rss-kib"]) / 1024)

    def median(values):
        return statistics.median(values)

    for mode in ("taktlogin", "baseline"):
        print(f"{mode}: start-up median {median(startup[mode]):.1f} ms "
              f"(min {min(startup[mode]):.1f}, max {max(startup[mode]):.1f}), "
              f"peak memory median {median(peak[mode]):.1f} MiB over {args.runs} runs")
    print(f"ratio: start-up {median(startup['taktlogin']) / median(startup['baseline']):.2f}x, "
          f"peak memory {median(peak['taktlogin']) / median(peak['baseline']):.2f}x")

    _, values = probe(args.probe, "keystrokes", str(args.keystrokes))
    before = int(values["rss-after-warm-up-kib"]) / 1024
    after = int(values["rss-at-end-kib"]) / 1024
    print(f"keystrokes: resident memory {before:.2f} MiB after {values['warm-up-keystrokes']}, "
          f"{after:.2f} MiB after {args.keystrokes} (growth {after - before:+.2f} MiB)")


if __name__ == "__main__":
    main()
