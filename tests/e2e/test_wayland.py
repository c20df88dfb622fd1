# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""One login on a Wayland desktop (headless sway, tests/support/session.sh wayland): typed with
known gaps through the virtual-keyboard protocol (wtype), the keystroke list read back over
AT-SPI, the verdict's colour taken from a screenshot (grim)."""

import json
import os
import re
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from testsupport.desktop import App  # noqa: E402
from testsupport.login import FIELDS, log_in  # noqa: E402
from testsupport.rhythm import TOLERANCE_MS, interval_of  # noqa: E402
from testsupport.screen import GREEN, count, parse_ppm, verdict_shown  # noqa: E402
from testsupport.waiting import wait_until  # noqa: E402

RHYTHM = [60, 400, 60, 400, 60]
# libwayland's WAYLAND_DEBUG=client log stamps each request as it goes out, in milliseconds:
#   1.21: "[1616707.288]  -> zwp_virtual_keyboard_v1@5.key(0, 30, 1)"
#   1.23: "[1616707.288] {Default Queue}  -> zwp_virtual_keyboard_v1#5.key(0, 30, 1)"
# Only the stamp in front and the request itself are read; what stands between them has changed.
KEY_REQUEST = re.compile(r"^\[\s*(\d+(?:\.\d+)?)\].*->\s*zwp_virtual_keyboard_v1\W\d+\.key\(\s*\d+,\s*\d+,\s*(\d)\s*\)")
# The stamp is the wall clock's microseconds in 32 bits: it starts again at 0 every 71.6 minutes.
STAMP_WRAP_MS = 2**32 / 1000


def key_presses_sent(log):
    """The moments, in milliseconds, of the key presses in a WAYLAND_DEBUG=client log."""
    requests = [match for match in map(KEY_REQUEST.match, log.splitlines()) if match]
    if not requests:
        # wtype sends at least its Shift tap: no request read means the log is in a form unknown here.
        first = next((line for line in log.splitlines() if "key(" in line), log.splitlines()[:1])
        raise AssertionError(f"no key request read in libwayland's debug log (format unknown?): {first!r}")
    moments, wraps, previous = [], 0, None
    for match in requests:
        stamp = float(match.group(1))
        if previous is not None and stamp < previous:
            wraps += 1
        previous = stamp
        if match.group(2) == "1":
            moments.append(stamp + wraps * STAMP_WRAP_MS)
    return moments


def sway(*command):
    return subprocess.run(["swaymsg", *command], check=True, capture_output=True, text=True).stdout


def form_geometry():
    """The client's own size of the window as sway has it from the client."""
    def find(node):
        if node.get("name") == "Anmelden:":
            return node
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            found = find(child)
            if found:
                return found
        return None

    geometry = find(json.loads(sway("-t", "get_tree")))["geometry"]
    return {"width": geometry["width"], "height": geometry["height"]}


class WaylandApp(App):
    def __init__(self, binary=None, app_name="taktlogin"):
        super().__init__(extra_env={"LC_ALL": "C.UTF-8", "QT_QPA_PLATFORM": "wayland"}, binary=binary,
                         app_name=app_name)

    def activate(self):
        # sway focuses a new window itself; no client may take the focus on Wayland.
        wait_until(lambda: self.focused() == "Passwort eigeben:", timeout=20, what="focus in the first field",
                   seen=lambda: f"focus on {self.focused()!r}")

    @staticmethod
    def wtype(*arguments):
        """Runs wtype and returns the times at which it sent its key presses, in milliseconds.
        Each wtype run brings a keymap of its own; a Shift tap first lets the client take it
        before the first real key (else that key can be lost). That tap is not returned."""
        result = subprocess.run(["wtype", "-k", "Shift_L", "-s", "100", *arguments], check=True,
                                env={**os.environ, "WAYLAND_DEBUG": "client"}, capture_output=True, text=True)
        return key_presses_sent(result.stderr)[1:]

    def type_rhythm(self, text, gaps_ms):
        """Types text with the gaps planned; returns the gaps as wtype sent the keys, which on a
        busy machine may be longer."""
        arguments = [text[0]]
        for character, gap in zip(text[1:], gaps_ms):
            arguments += ["-s", str(gap), character]
        sent = self.wtype(*arguments)
        if len(sent) != len(text):
            raise AssertionError(f"wtype logged {len(sent)} key presses for {text!r}")
        return [later - earlier for earlier, later in zip(sent, sent[1:])]

    def key(self, name):
        self.wtype("-k", name)

    @staticmethod
    def screen():
        return parse_ppm(subprocess.run(["grim", "-t", "ppm", "-"], capture_output=True, check=True).stdout)

    # The steps of a login. Qt reports no focus changes over AT-SPI here after the first; the
    # text shows where keys went.
    def type_entry(self, field, text, gaps_ms):
        sent = self.type_rhythm(text, gaps_ms)
        wait_until(lambda: self.text(FIELDS[field]) == text, what=f"{text!r} in {FIELDS[field]!r}",
                   seen=lambda: repr(self.text(FIELDS[field])))
        return sent

    def next_field(self):
        self.key("Tab")

    def verdict(self):
        verdict = self.control("Anmeldeergebnis")
        return wait_until(lambda: verdict.description, what="a verdict")


class DebugLog(unittest.TestCase):
    def test_key_presses_read(self):
        cases = {
            "libwayland 1.21": ("[1000.250]  -> zwp_virtual_keyboard_v1@5.key(0, 42, 1)\n"
                                "[1002.000]  -> zwp_virtual_keyboard_v1@5.key(0, 42, 0)\n"
                                "[1100.500]  -> zwp_virtual_keyboard_v1@5.key(0, 30, 1)", [1000.25, 1100.5]),
            "libwayland 1.23": ("[1000.250] {Default Queue}  -> zwp_virtual_keyboard_v1#5.key(0, 42, 1)\n"
                                "[1050.000] {Display Queue} wl_display#1.delete_id(6)\n"
                                "[1100.500] {Default Queue}  -> zwp_virtual_keyboard_v1#5.key(0, 30, 1)",
                                [1000.25, 1100.5]),
            "stamp wrapped": ("[4294967.000]  -> zwp_virtual_keyboard_v1@5.key(0, 42, 1)\n"
                              "[   99.704]  -> zwp_virtual_keyboard_v1@5.key(0, 30, 1)", [4294967.0, 4295067.0]),
        }
        for name, (log, moments) in cases.items():
            with self.subTest(name):
                self.assertEqual([round(m, 3) for m in key_presses_sent(log)], moments)
        with self.assertRaisesRegex(AssertionError, "no key request read"):
            key_presses_sent("zwp_virtual_keyboard_v1 key 42 pressed at 1000.25")


@unittest.skipUnless(os.environ.get("WAYLAND_DISPLAY"), "needs a Wayland session (tests/support/session.sh wayland)")
class Wayland(unittest.TestCase):
    def setUp(self):
        self.app = WaylandApp()

    def tearDown(self):
        self.app.close()

    def test_login_typed_natively(self):
        verdict, delivered = log_in(self.app, ("geheim", RHYTHM), ("geheim", RHYTHM))
        self.assertEqual(verdict, "Login korrekt!")
        lines = self.app.lines("Eingabetakt (ms): (Eingabe)")
        self.assertEqual([line.split(": ")[0] for line in lines], list("geheim"))
        for line, gap in zip(lines[1:], delivered[0]):
            self.assertAlmostEqual(interval_of(line), gap, delta=TOLERANCE_MS, msg=f"{line}, sent {delivered[0]}")
        wait_until(lambda: verdict_shown(self.app.screen()) == "Login korrekt!", what="the green verdict on screen")

    def test_title_bar_handed_to_qt(self):
        # As on compositors without server-side decorations: Qt draws the title bar from now on.
        sway("border", "csd")
        sway("floating", "enable")

        def see_through():
            screen = self.app.screen()
            desktop = screen[0][0]
            rows = [y for y, row in enumerate(screen) if any(pixel != desktop for pixel in row)]
            columns = [x for x in range(len(screen[0])) if any(row[x] != desktop for row in screen)]
            inside = [row[columns[0]:columns[-1] + 1] for row in screen[rows[0]:rows[-1] + 1]]
            return count(inside, desktop)

        # Rounded title-bar corners show a few hundred desktop pixels at most; a control left
        # transparent shows thousands (the verdict box alone 3,400).
        wait_until(lambda: see_through() < 1000, what="every control painted",
                   seen=lambda: f"{see_through()} desktop pixels inside the window")
        log_in(self.app, ("geheim", RHYTHM), ("geheim", RHYTHM))
        wait_until(lambda: count(self.app.screen(), GREEN) > 100, what="the whole green verdict on screen")

        # Asked for less room than it declared, the form keeps its size (what the compositor
        # then shows of it is the compositor's choice).
        sway("resize", "set", "250", "100")
        time.sleep(0.5)
        self.assertEqual(form_geometry(), {"width": 331, "height": 141})

if __name__ == "__main__":
    unittest.main()
