#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser build in headless Chromium, from a loopback server: the gzipped transfer of the
site, the time from navigation to the painted form, and the error of the program's intervals for
key events sent with planned gaps, beside a plain HTML <input> in the same page that stamps its
own input events with performance.now(). Blocks alternate between the two. Errors are taken
against the planned gaps and against the key events as the page received them (the sender's
own delay drops out of the second).

Then, on imitated slow lines, the cold time to the painted form with the release's gzipped files
sent as they are and with the plain files; and what the screen-reader mirror, which the page turns
on, costs per keystroke: the main thread's time from a character's input event to the end of its
task, beside a copy of the site that leaves the mirror off.

usage: web_timing.py SITE_ZIP [--starts N] [--blocks N] [--length N] [--seed N] [--lines KBITS,...]"""

import argparse
import gzip
import json
import os
import random
import re
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support"))
from testsupport.browser import Chromium, SiteServer, control, extract_site  # noqa: E402
from testsupport.rhythm import percentile  # noqa: E402

LETTERS = "abcdefghijklmnopqrstuvwxyz"


def describe(name, errors):
    absolute = [abs(e) for e in errors]
    return (f"| {name} | {statistics.median(errors):+.2f} ms | {statistics.median(absolute):.2f} ms | "
            f"{percentile(absolute, 0.95):.2f} ms | {max(absolute):.2f} ms |")


def type_block(browser, text, gaps):
    for index, character in enumerate(text):
        if index:
            time.sleep(gaps[index - 1] / 1000)
        browser.key(character, f"Key{character.upper()}", character)


def cold_load(site, kbits):
    """Milliseconds from navigation to the painted form for a first visit down a line of kbits."""
    with SiteServer(site) as server, Chromium() as browser:
        browser.call("Network.enable")
        browser.call("Network.setCacheDisabled", cacheDisabled=True)
        browser.call("Network.emulateNetworkConditions", offline=False, latency=40,
                     downloadThroughput=kbits * 125, uploadThroughput=kbits * 125)
        return browser.open_form(server.url + "index.html"), server.sent


def keystroke_cost(site, count, mirrored):
    """Median and 95th percentile of the main thread's time per typed character, in ms."""
    with SiteServer(site) as server, Chromium() as browser:
        browser.open_form(server.url + "index.html")
        time.sleep(1)
        if browser.evaluate(f"{control('picOut')} !== null") != mirrored:
            sys.exit(f"web_timing.py: the screen-reader mirror is {'off' if mirrored else 'on'} in {site}, "
                     f"where it should be {'on' if mirrored else 'off'}")
        # From the capture of the input event to the next task: the program's whole handling.
        browser.evaluate("""(() => { window.costs = []; const channel = new MessageChannel();
            let started = 0; channel.port1.onmessage = () => costs.push(performance.now() - started);
            addEventListener('input', () => { started = performance.now(); channel.port2.postMessage(0); }, true);
            })()""")
        for index in range(count):
            if index and index % 20 == 0:
                browser.key("Backspace", "Backspace")
            browser.key("a", "KeyA", "a")
            time.sleep(0.05)
        costs = browser.evaluate("costs")
        return statistics.median(costs), percentile(costs, 0.95)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site_zip")
    parser.add_argument("--starts", type=int, default=10)
    parser.add_argument("--blocks", type=int, default=10)
    parser.add_argument("--length", type=int, default=12)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--lines", default="16000,4000")
    options = parser.parse_args()
    rng = random.Random(options.seed)

    site = extract_site(options.site_zip)
    transferred = {name: len(gzip.compress(open(os.path.join(site, name), "rb").read(), 9))
                   for name in sorted(os.listdir(site)) if name != "COPYING.txt" and not name.endswith(".gz")}
    print(f"site, gzip -9 per file: {sum(transferred.values()) / 1e6:.2f} MB "
          f"(taktlogin.wasm {transferred['taktlogin.wasm'] / 1e6:.2f} MB)")

    server = SiteServer(site)
    browser = Chromium()
    try:
        painted = [browser.open_form(server.url + f"index.html?start={n}") for n in range(options.starts)]
        print(f"navigation to painted form over {options.starts} loads: median {statistics.median(painted):.0f} ms, "
              f"slowest {max(painted):.0f} ms")

        browser.open_form(server.url + "index.html")
        browser.watch_form()
        # The plain input beside the form, stamping its own input events.
        browser.evaluate("""(() => { const plain = document.createElement('input'); plain.id = 'plain';
            plain.style = 'position:fixed;left:8px;top:8px;z-index:10'; document.body.append(plain);
            window.plainStamps = []; plain.addEventListener('input', () => plainStamps.push(performance.now())); })()""")
        errors = {"Taktlogin against planned": [], "plain input against planned": [],
                  "Taktlogin against received": [], "plain input against received": []}
        for block in range(2 * options.blocks):
            text = "".join(rng.choice(LETTERS) for _ in range(options.length))
            gaps = [rng.choice((80, 120, 160, 200, 250, 300)) for _ in range(options.length - 1)]
            plain = block % 2 == 1
            before = browser.evaluate("delivered.length")
            if plain:
                browser.evaluate("plainStamps = []; document.getElementById('plain').value = ''; document.getElementById('plain').focus()")
            else:
                # A click into the first field takes the focus back from the plain input.
                previous = browser.evaluate(
                    f"{control('picPWD(0)')}.getAttribute('aria-description')")
                box = browser.evaluate(f"(r => [r.x + r.width / 2, r.y + r.height / 2])"
                                       f"({control('txtPWD(0)')}.getBoundingClientRect())")
                for kind in ("mousePressed", "mouseReleased"):
                    browser.call("Input.dispatchMouseEvent", type=kind, x=box[0], y=box[1], button="left", clickCount=1)
            type_block(browser, text, gaps)
            received = browser.evaluate("delivered")[before:]
            if plain:
                stamps = browser.evaluate("plainStamps")
                measured = [b - a for a, b in zip(stamps, stamps[1:])]
            else:
                browser.key("Tab", "Tab")
                description = browser.wait_for(
                    f"(d => d !== {json.dumps(previous)} && d)({control('picPWD(0)')}.getAttribute('aria-description'))", 10, "the bars")
                bars = re.match(r"Balken \(ms\): (.*)\. Schwelle", description).group(1).split("; ")
                measured = [float(bar.replace(",", ".")) for bar in bars]
            arrived = [b - a for a, b in zip(received, received[1:])]
            if len(measured) != len(gaps) or len(arrived) != len(gaps):
                sys.exit(f"block {block}: {len(measured)} intervals measured, {len(arrived)} received, {len(gaps)} sent")
            name = "plain input" if plain else "Taktlogin"
            errors[f"{name} against planned"] += [m - g for m, g in zip(measured, gaps)]
            errors[f"{name} against received"] += [m - r for m, r in zip(measured, arrived)]
            if not plain:
                # Back into the first field; Backspace empties it and drops its stamps.
                browser.key("Tab", "Tab", modifiers=8)
                browser.key("Backspace", "Backspace")
        print(f"{options.blocks} blocks of {options.length} characters each, intervals of 80 to 300 ms")
        print("| Stamped by | median error | median |error| | 95th percentile | worst |")
        print("|---|---|---|---|---|")
        for name, values in errors.items():
            print(describe(name, values))
        # "Received" is when the page's main thread handled the key, just before the program did;
        # how long after the browser made the event that was.
        print(describe("main thread after the key event", browser.evaluate("lateness")))
    finally:
        browser.close()
        server.close()

    plain = tempfile.mkdtemp(prefix="taktlogin-plain-")
    shutil.copytree(site, plain, dirs_exist_ok=True)
    for name in os.listdir(plain):
        if name.endswith(".gz"):
            os.remove(os.path.join(plain, name))
    print("| line | gzipped files: painted form | sent | plain files: painted form |")
    print("|---|---|---|---|")
    for kbits in (int(k) for k in options.lines.split(",")):
        packed, sent = cold_load(site, kbits)
        unpacked, _ = cold_load(plain, kbits)
        print(f"| {kbits / 1000:g} Mbit/s | {packed / 1000:.1f} s | {sent / 1e6:.2f} MB | {unpacked / 1000:.1f} s |")

    # The same site with the start script's turning on of the mirror taken out; keystroke_cost()
    # checks that the mirror is there in the one and not in the other.
    start = os.path.join(plain, "taktlogin-start.js")
    with open(start) as script:
        text = script.read()
    if text.count("enableScreenReaders(0);") != 1:
        sys.exit("web_timing.py: the start script no longer turns the mirror on with one enableScreenReaders(0);")
    with open(start, "w") as script:
        script.write(text.replace("enableScreenReaders(0);", ""))
    for name, folder, mirrored in (("mirror on (the site)", site, True), ("mirror off", plain, False)):
        median, high = keystroke_cost(folder, 100, mirrored)
        print(f"per keystroke, {name}: median {median:.2f} ms, 95th percentile {high:.2f} ms")


if __name__ == "__main__":
    main()
