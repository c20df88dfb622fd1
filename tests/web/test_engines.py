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
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from testsupport.browser import BrowserWindow, SiteServer, extract_site  # noqa: E402
from testsupport.login import KeysAndScreen, same_then_other_rhythm  # noqa: E402
from testsupport.waiting import wait_until  # noqa: E402
from testsupport.xkeyboard import XKeyboard  # noqa: E402

SITE_ZIP = None
# "é" is the dead key ´ and then e, which the browser's input method composes.
ENTRY = "Bä@é9"
GAPS = [120, 360, 120, 360]
OTHER_GAPS = [360, 120, 360, 120]


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
        cls.keyboard = XKeyboard("de")
        cls.site = extract_site(SITE_ZIP)
        cls.server = SiteServer(cls.site)

    @classmethod
    def tearDownClass(cls):
        cls.server.close()
        cls.keyboard.close()
        shutil.rmtree(cls.site, ignore_errors=True)

    def login_twice(self, name, command):
        """The same entry typed with the same rhythm, then with another: green, then red."""
        with BrowserWindow(command, self.server.url + "index.html"):
            try:
                # The program has loaded once the page has asked for it and a moment has passed;
                # the first field has the focus from the start.
                wait_until(lambda: any(path.startswith("/taktlogin.wasm") for _, path in self.server.requests),
                           timeout=60, interval=0.2, what=f"{name} to load the program")
                time.sleep(8)
                self.assertEqual(same_then_other_rhythm(KeysAndScreen(self.keyboard, least=200), ENTRY, GAPS,
                                                        OTHER_GAPS), ["Login korrekt!", "Login falsch!"])
            finally:
                self.server.requests.clear()

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
