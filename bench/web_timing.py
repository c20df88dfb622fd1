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

Last, as a phone meets the site (DevTools' device emulation: a 412 x 915 touch screen, the CPU 4x
slower): the painted form on a first visit down two lines, on a second visit in a new browser
session with the same profile, and the time from a key's keydown to the end of the next frame
that shows it, beside a plain <input> in the same page that draws one bar on a <canvas> per key.

usage: web_timing.py SITE_ZIP [--starts N] [--blocks N] [--length N] [--seed N] [--lines KBITS,...]
                              [--visits N] [--keys N] [--phone-only]"""

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
# The phone's lines: name, kbit/s, round trip in ms.
PHONE_LINES = (("9 Mbit/s, 60 ms", 9000, 60), ("1.6 Mbit/s, 150 ms", 1600, 150))
# From a key's keydown to the end of the frame that first draws after it: the draw is either
# Qt's, in an animation frame of its own, or the plain input's bar, after which a frame is waited
# for. A message posted at that point runs once the frame's rendering is done.
FRAME_PROBE = """(() => {
    const frame = window.requestAnimationFrame.bind(window);
    let inFrame = false;
    window.requestAnimationFrame = callback => frame(time => {
        inFrame = true; try { callback(time); } finally { inFrame = false; } });
    window.keyFrames = { taktlogin: [], plain: [] };
    let pending = null;
    addEventListener('keydown', e => { if (e.key.length !== 1) return;
        pending = { which: document.activeElement && document.activeElement.id === 'plain' ? 'plain' : 'taktlogin',
                    pressed: e.timeStamp }; }, true);
    const afterRendering = done => { const channel = new MessageChannel(); channel.port1.onmessage = done;
        channel.port2.postMessage(0); };
    function drawn() {
        if (!pending) return;
        const key = pending; pending = null;
        const record = () => keyFrames[key.which].push(performance.now() - key.pressed);
        if (inFrame) afterRendering(record); else frame(() => afterRendering(record));
    }
    for (const name of ['putImageData', 'fillRect']) {
        const original = CanvasRenderingContext2D.prototype[name];
        CanvasRenderingContext2D.prototype[name] = function (...args) { drawn(); return original.apply(this, args); };
    }
})()"""


def describe(name, errors):
    absolute = [abs(e) for e in errors]
    return (f"| {name} | {statistics.median(errors):+.2f} ms | {statistics.median(absolute):.2f} ms | "
            f"{percentile(absolute, 0.95):.2f} ms | {max(absolute):.2f} ms |")


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
            browser.type("a")
            time.sleep(0.05)
        costs = browser.evaluate("costs")
        return statistics.median(costs), percentile(costs, 0.95)


def as_phone(browser, line=None):
    """Emulates the phone, and the line if one is given, for what the page loads next."""
    browser.call("Emulation.setDeviceMetricsOverride", width=412, height=915, deviceScaleFactor=2.625, mobile=True)
    browser.call("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=5)
    browser.call("Emulation.setCPUThrottlingRate", rate=4)
    if line:
        _, kbits, latency = line
        browser.call("Network.enable")
        browser.call("Network.emulateNetworkConditions", offline=False, latency=latency,
                     downloadThroughput=kbits * 125, uploadThroughput=kbits * 125)


def phone_visits(site, visits):
    """Median ms to the painted form: cold on each line, then a return on the first line."""
    results = {}
    with SiteServer(site) as server:
        for line in PHONE_LINES:
            times = []
            for _ in range(visits):
                with Chromium() as browser:
                    as_phone(browser, line)
                    times.append(browser.open_form(server.url + "index.html"))
            results[f"first visit, {line[0]}"] = times
        returns = []
        for _ in range(visits):
            profile = tempfile.mkdtemp(prefix="taktlogin-visitor-")
            try:
                with Chromium(profile=profile) as browser:
                    as_phone(browser, PHONE_LINES[0])
                    browser.open_form(server.url + "index.html")
                    time.sleep(5)  # the visitor stays a moment; the browser keeps what it compiled
                with Chromium(profile=profile) as browser:
                    as_phone(browser, PHONE_LINES[0])
                    returns.append(browser.open_form(server.url + "index.html"))
            finally:
                shutil.rmtree(profile, ignore_errors=True)
        results[f"second visit, new session, {PHONE_LINES[0][0]}"] = returns
    return results


def key_to_frame(site, keys, rng):
    """ms from keydown to the end of the next frame drawn, for the form's field and the plain input."""
    with SiteServer(site) as server, Chromium() as browser:
        as_phone(browser)
        browser.call("Page.enable")
        browser.call("Page.addScriptToEvaluateOnNewDocument", source=FRAME_PROBE)
        browser.open_form(server.url + "index.html")
        time.sleep(1)
        browser.evaluate("""(() => { const plain = document.createElement('input'); plain.id = 'plain';
            plain.style = 'position:fixed;left:8px;bottom:8px;z-index:10;width:150px';
            const bars = document.createElement('canvas'); bars.width = 160; bars.height = 40;
            bars.style = 'position:fixed;left:170px;bottom:8px;z-index:10';
            document.body.append(plain, bars);
            const context = bars.getContext('2d'); let count = 0;
            plain.addEventListener('input', () => { context.fillStyle = '#3366cc';
                context.fillRect((count++ % 16) * 10, 0, 8, 40); }); })()""")
        # The form's field first (it has the focus from the start), then the plain input.
        block = 20
        for which in ("taktlogin", "plain"):
            if which == "plain":
                browser.evaluate("document.getElementById('plain').focus()")
            for _ in range(keys // block):
                before = browser.evaluate(f"keyFrames.{which}.length")
                browser.key("Backspace", "Backspace")
                for _ in range(block):
                    time.sleep(rng.uniform(0.1, 0.16))
                    browser.type(rng.choice(LETTERS))
                time.sleep(0.5)
                if browser.evaluate(f"keyFrames.{which}.length") - before < block * 0.9:
                    sys.exit(f"web_timing.py: keys meant for {which} were not drawn there")
        return browser.evaluate("keyFrames")


def phone(site, options, rng):
    print("As a phone: 412 x 915 touch screen, CPU 4x slower, files as gzip_static sends them")
    print("| visit | painted form, median | slowest |")
    print("|---|---|---|")
    for name, times in phone_visits(site, options.visits).items():
        print(f"| {name} | {statistics.median(times) / 1000:.2f} s | {max(times) / 1000:.2f} s |")
    frames = key_to_frame(site, options.keys, rng)
    print("| keydown to the end of the next frame, CPU 4x slower | median | 95th percentile |")
    print("|---|---|---|")
    for name in ("taktlogin", "plain"):
        print(f"| {'Taktlogin field' if name == 'taktlogin' else 'plain input with a canvas bar'} | "
              f"{statistics.median(frames[name]):.1f} ms | {percentile(frames[name], 0.95):.1f} ms |")
    print(f"ratio of medians: {statistics.median(frames['taktlogin']) / statistics.median(frames['plain']):.2f}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site_zip")
    parser.add_argument("--starts", type=int, default=10)
    parser.add_argument("--blocks", type=int, default=10)
    parser.add_argument("--length", type=int, default=12)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--lines", default="16000,4000")
    parser.add_argument("--visits", type=int, default=3)
    parser.add_argument("--keys", type=int, default=100)
    parser.add_argument("--phone-only", action="store_true")
    options = parser.parse_args()
    rng = random.Random(options.seed)

    site = extract_site(options.site_zip)
    served = [name for name in sorted(os.listdir(site))
              if name != "COPYING.txt" and not name.endswith((".gz", ".br"))]
    transferred = {name: len(gzip.compress(open(os.path.join(site, name), "rb").read(), 9)) for name in served}
    print(f"site, gzip -9 per file: {sum(transferred.values()) / 1e6:.2f} MB "
          f"(taktlogin.wasm {transferred['taktlogin.wasm'] / 1e6:.2f} MB, "
          f"{os.path.getsize(os.path.join(site, 'taktlogin.wasm')) / 1e6:.2f} MB unpacked)")
    brotli = os.path.join(site, "taktlogin.wasm.br")
    if os.path.exists(brotli):
        print(f"taktlogin.wasm as the release's Brotli file: {os.path.getsize(brotli) / 1e6:.2f} MB")
    if options.phone_only:
        phone(site, options, rng)
        return

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
            browser.type(text, gaps)
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
        if name.endswith((".gz", ".br")):
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
    switch = "environment: { QT_WASM_ACCESSIBILITY: '1' },"
    if text.count(switch) != 1:
        sys.exit(f"web_timing.py: the start script no longer turns the mirror on with one {switch}")
    with open(start, "w") as script:
        script.write(text.replace(switch, ""))
    for name, folder, mirrored in (("mirror on (the site)", site, True), ("mirror off", plain, False)):
        median, high = keystroke_cost(folder, 100, mirrored)
        print(f"per keystroke, {name}: median {median:.2f} ms, 95th percentile {high:.2f} ms")

    phone(site, options, rng)


if __name__ == "__main__":
    main()
