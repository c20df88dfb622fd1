#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The site in the three browser engines visitors have (Chromium, Firefox ESR, WebKitGTK, the
engine of Safari), each a real window on the X server of this session, typed at with real key
events: XTEST key codes through a German layout, checked to be in effect. The verdict is read off
the screen by its colour: the design's green frame and text, or its red.

usage: test_engines.py taktlogin-<version>-web.zip   (on an X server with a window manager)"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from Xlib import X, display
from Xlib.ext import xtest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from devtools import SiteServer, extract_site  # noqa: E402

SITE_ZIP = None
GREEN, RED = (0, 128, 0), (192, 0, 0)

# X key codes (evdev) on a German layout: the keys (key code, with Shift, with AltGr) for each
# character; "é" is the dead key ´ and then e, which the browser's input method composes.
SHIFT, ALTGR, TAB, RETURN, BACKSPACE = 50, 108, 23, 36, 22
CHARACTERS = {"B": [(56, True, False)], "ä": [(48, False, False)], "@": [(24, False, True)],
              "é": [(21, False, False), (26, False, False)], "9": [(18, False, False)]}


def firefox(url, profile):
    # A profile of its own that asks nothing on its first start.
    with open(os.path.join(profile, "user.js"), "w") as prefs:
        for name, value in (("browser.shell.checkDefaultBrowser", "false"),
                            ("browser.startup.homepage_override.mstone", '"ignore"'),
                            ("datareporting.policy.dataSubmissionEnabled", "false"),
                            ("toolkit.telemetry.reportingpolicy.firstRun", "false"),
                            ("browser.aboutwelcome.enabled", "false")):
            prefs.write(f'user_pref("{name}", {value});\n')
    return ["firefox-esr", "--no-remote", "--new-instance", "--profile", profile, "--width", "1200",
            "--height", "760", url]


def chromium(url, profile):
    command = ["chromium", f"--user-data-dir={profile}", "--no-first-run", "--no-default-browser-check",
               "--disable-background-networking", "--disable-sync", "--disable-component-update",
               "--window-size=1200,760", "--window-position=0,0", f"--app={url}"]
    if os.geteuid() == 0:
        command.insert(1, "--no-sandbox")
    return command


def webkit(url, profile):
    found = glob.glob("/usr/lib/*/webkit2gtk-4.1/MiniBrowser")
    return [found[0] if found else "MiniBrowser", "--geometry=1200x760", url]


class EngineTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        subprocess.run(["setxkbmap", "de"], check=True)
        # Some X servers keep their US map after setxkbmap: then "ä" would come out as "'".
        keymap = subprocess.run(["xmodmap", "-pke"], capture_output=True, text=True, check=True).stdout
        line = next(entry for entry in keymap.splitlines() if entry.split("=")[0].split() == ["keycode", "48"])
        if "adiaeresis" not in line:
            raise AssertionError(f"the German layout did not take: {line}")
        cls.display = display.Display()
        cls.site = extract_site(SITE_ZIP)
        cls.server = SiteServer(cls.site)

    @classmethod
    def tearDownClass(cls):
        cls.server.close()
        shutil.rmtree(cls.site, ignore_errors=True)

    def press(self, keycode, shift=False, altgr=False):
        held = [code for code, on in ((SHIFT, shift), (ALTGR, altgr)) if on]
        for code in held + [keycode]:
            xtest.fake_input(self.display, X.KeyPress, code)
        for code in [keycode] + held[::-1]:
            xtest.fake_input(self.display, X.KeyRelease, code)
        self.display.sync()

    def type_entry(self, text, gaps_ms):
        for index, character in enumerate(text):
            if index:
                time.sleep(gaps_ms[index - 1] / 1000)
            for key in CHARACTERS[character]:
                self.press(*key)

    def screen_counts(self):
        """How many pixels of the screen have exactly the verdict's green and red."""
        root = self.display.screen().root
        geometry = root.get_geometry()
        data = root.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
        pixels = {(data[i + 2], data[i + 1], data[i]) for i in range(0, len(data), 4)}
        counts = {GREEN: 0, RED: 0}
        if pixels & set(counts):
            for i in range(0, len(data), 4):
                colour = (data[i + 2], data[i + 1], data[i])
                if colour in counts:
                    counts[colour] += 1
        return counts

    def verdict(self, seconds=10):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            counts = self.screen_counts()
            if max(counts.values()) > 200:
                return "Login korrekt!" if counts[GREEN] > counts[RED] else "Login falsch!"
            time.sleep(0.2)
        return None

    def login_twice(self, name, command):
        """The same entry typed with the same rhythm, then with another: green, then red."""
        entry = "Bä@é9"
        profile = tempfile.mkdtemp(prefix="taktlogin-browser-")
        # WebKit's sandbox needs user namespaces, which a build's chroot may not give.
        environment = dict(os.environ, WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS="1")
        browser = subprocess.Popen(command(self.server.url + "index.html", profile), env=environment,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            # The program has loaded once the page has asked for it and a moment has passed;
            # the first field has the focus from the start.
            deadline = time.monotonic() + 60
            while not any(path.startswith("/taktlogin.wasm") for _, path in self.server.requests):
                self.assertLess(time.monotonic(), deadline, f"{name} did not load the program")
                time.sleep(0.2)
            time.sleep(8)
            results = []
            for second_gaps in ([120, 360, 120, 360], [360, 120, 360, 120]):
                self.type_entry(entry, [120, 360, 120, 360])
                self.press(TAB)
                self.type_entry(entry, second_gaps)
                self.press(RETURN)
                results.append(self.verdict())
                # Backspace empties the second field, Shift+Tab and Backspace the first.
                self.press(BACKSPACE)
                self.press(TAB, shift=True)
                self.press(BACKSPACE)
                time.sleep(0.5)
            self.assertEqual(results, ["Login korrekt!", "Login falsch!"])
        finally:
            browser.terminate()
            try:
                browser.wait(10)
            except subprocess.TimeoutExpired:
                browser.kill()
            self.server.requests.clear()
            shutil.rmtree(profile, ignore_errors=True)

    def test_chromium(self):
        self.login_twice("Chromium", chromium)

    def test_firefox(self):
        self.login_twice("Firefox ESR", firefox)

    def test_webkit(self):
        self.login_twice("WebKitGTK", webkit)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    SITE_ZIP = sys.argv.pop(1)
    unittest.main(verbosity=2)
