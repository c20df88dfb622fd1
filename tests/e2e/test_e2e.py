# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""End-to-end tests: the real taktlogin under Xvfb, typed at with real key events, read back
as assistive technology reads it, and photographed for what is only drawn."""

import os
import re
import subprocess
import sys
import time
import unittest

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from testsupport.desktop import App, xdotool  # noqa: E402
from testsupport.login import log_in  # noqa: E402
from testsupport.rhythm import TOLERANCE_MS, interval_of, rhythm_code, type_planned  # noqa: E402
from testsupport.screen import verdict_shown  # noqa: E402
from testsupport.waiting import wait_until  # noqa: E402

RHYTHM = [60, 400, 60, 400, 60]
OTHER_RHYTHM = [400, 60, 400, 60, 400]


class EndToEnd(unittest.TestCase):
    def setUp(self):
        self.app = App(extra_env={"LC_ALL": "C.UTF-8"})

    def tearDown(self):
        self.app.close()

    def check_verdict(self, second, rhythm, expected):
        # The verdict rules themselves are the unit suites'; here what the user gets of them.
        verdict, _ = log_in(self.app, ("geheim", RHYTHM), (second, rhythm))
        self.assertEqual(verdict, expected)
        self.assertEqual(verdict_shown(self.app.pixels("Anmeldeergebnis")), expected)

    def test_correct_login_is_green(self):
        self.check_verdict("geheim", RHYTHM, "Login korrekt!")

    def test_same_text_other_rhythm_is_red(self):
        self.check_verdict("geheim", OTHER_RHYTHM, "Login falsch!")

    def test_other_text_same_rhythm_is_red(self):
        self.check_verdict("gehein", RHYTHM, "Login falsch!")

    def test_keystroke_list_shows_each_gap(self):
        self.app.choose_view("Erweitert")
        gaps = [30, 600, 45, 300, 120, 80, 450, 200, 35, 150]
        delivered = self.app.type_rhythm("taktlogin42", gaps)
        lines = wait_until(lambda: len(self.app.lines("Eingabetakt (ms): (Eingabe)")) == 11
                           and self.app.lines("Eingabetakt (ms): (Eingabe)"), what="eleven lines")
        self.assertEqual(lines[0], "t: 0")
        self.assertEqual([line.split(": ")[0] for line in lines], list("taktlogin42"))
        for line, gap in zip(lines[1:], delivered):
            self.assertAlmostEqual(interval_of(line), gap, delta=TOLERANCE_MS, msg=f"{line}, delivered {delivered}")
        description = self.app.control("Eingabetakt-Diagramm (Eingabe)").description
        self.assertTrue(description.startswith("Balken (ms): "), description)
        self.assertEqual(len(description.split("; ")), 10)

    def test_leaving_a_field_fills_count_threshold_and_code(self):
        self.app.choose_view("Erweitert")
        self.app.control("Passwort eigeben:", "text").queryComponent().grabFocus()
        wait_until(lambda: self.app.focused() == "Passwort eigeben:", what="focus back in the field")
        # 150 lies clearly below the midpoint of 100 and 300; an interval right at the
        # threshold would fall on either side by a fraction of a millisecond.
        delivered = type_planned(lambda: self.app.type_rhythm("abcd", [100, 300, 150]),
                                 lambda: self.app.start_over(0), [100, 300, 150])
        self.app.key("Tab")
        count_text = wait_until(lambda: self.app.text("Passwort-Länge: (Eingabe)"), what="count")
        self.assertEqual(count_text, "4 Zeichen")
        code, threshold = rhythm_code(delivered)
        self.assertAlmostEqual(float(self.app.text("ø-Eingabetakt (ms): (Eingabe)")), threshold, delta=TOLERANCE_MS)
        self.assertEqual(self.app.text("Passwort getaktet: (Eingabe)"), code)
        self.assertEqual(self.app.text("Passwort-Länge: (Wiederholung)"), "")

    def test_backspace_resets_its_row(self):
        self.app.choose_view("Erweitert")
        self.app.control("Passwort eigeben:", "text").queryComponent().grabFocus()
        self.app.type_rhythm("geheim", RHYTHM)
        self.app.key("Tab")
        self.app.type_rhythm("abc", [100, 100])
        wait_until(lambda: len(self.app.lines("Eingabetakt (ms): (Wiederholung)")) == 3, what="row 1 lines")
        self.app.key("Left")
        self.app.key("BackSpace")
        wait_until(lambda: self.app.text("Passwort wiederholen:") == "", what="emptied field")
        self.assertEqual(self.app.lines("Eingabetakt (ms): (Wiederholung)"), [])
        self.assertEqual(len(self.app.lines("Eingabetakt (ms): (Eingabe)")), 6)
        self.assertEqual(self.app.text("Passwort eigeben:"), "geheim")

    def test_views_switch_from_the_menu(self):
        detail = "Eingabetakt (ms): (Eingabe)"
        self.assertFalse(self.app.showing(detail))
        normal_height = self.app.extents("Anmelden:").height
        self.app.choose_view("Erweitert")
        wait_until(lambda: self.app.showing(detail), what="extended view")
        self.assertTrue(self.app.showing("Eingabetakt-Diagramm (Wiederholung)"))
        self.assertGreater(self.app.extents("Anmelden:").height, normal_height)
        self.app.choose_view("Normal")
        wait_until(lambda: not self.app.showing(detail), what="normal view")
        self.assertTrue(self.app.showing("Passwort wiederholen:"))

    def test_verdict_change_is_announced(self):
        heard = []

        def listener(event):
            if event.source is not None and event.source.name == "Anmeldeergebnis":
                heard.append(event.source.description)

        pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-description")
        try:
            log_in(self.app, ("geheim", RHYTHM), ("geheim", RHYTHM))
            context = GLib.MainContext.default()

            def announced():
                context.iteration(False)
                return "Login korrekt!" in heard

            wait_until(announced, interval=0.01, what="the verdict announced", seen=lambda: heard)
        finally:
            pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-description")

    def test_abbrechen_ends_the_program_with_status_0(self):
        self.app.type_rhythm("geheim", RHYTHM)
        self.app.click("Abbrechen")
        self.assertEqual(self.app.process.wait(timeout=10), 0)


def x_output(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=10).stdout


def selection(name):
    """What another X client gets from the PRIMARY or CLIPBOARD selection ("" when no one owns it)."""
    return x_output("xclip", "-o", "-selection", name)


class Window(unittest.TestCase):
    """What the window shows to the window manager and to other X clients."""

    def setUp(self):
        self.app = App(extra_env={"LC_ALL": "C.UTF-8"})

    def tearDown(self):
        self.app.close()

    def test_caption_is_exactly_the_forms(self):
        self.assertEqual(x_output("xprop", "-id", self.app.window_id, "_NET_WM_NAME").strip(),
                         '_NET_WM_NAME(UTF8_STRING) = "Anmelden:"')

    def test_window_carries_the_icon_at_every_size(self):
        # _NET_WM_ICON is width, height, then width*height ARGB values, for each size in turn.
        values = [int(v) for v in re.findall(r"\d+", x_output("xprop", "-notype", "-id", self.app.window_id,
                                                               "32c", "_NET_WM_ICON").split("=", 1)[1])]
        sizes = []
        while values:
            width, height = values[0], values[1]
            sizes.append(width)
            self.assertEqual(width, height)
            values = values[2 + width * height:]
        self.assertEqual(sorted(sizes), [16, 24, 32, 48, 64, 128, 256])

    def frame_offset_from_centre(self, app):
        """How far the framed window lies from the screen's centre, in device pixels (x, y)."""
        screen_width, screen_height = map(int, x_output("xdotool", "getdisplaygeometry").split())
        extents = x_output("xprop", "-id", app.window_id, "_NET_FRAME_EXTENTS")
        left, right, top, bottom = map(int, re.findall(r"\d+", extents.split("=", 1)[1]))
        info = x_output("xwininfo", "-id", app.window_id)

        def field(label):
            return int(re.search(label + r":\s+(-?\d+)", info).group(1))

        outer_x, outer_y = field("Absolute upper-left X") - left, field("Absolute upper-left Y") - top
        outer_width = field("Width") + left + right
        outer_height = field("Height") + top + bottom
        self.assertGreater(top, 0, "the window manager drew no title bar: " + extents)
        return outer_x - (screen_width - outer_width) / 2, outer_y - (screen_height - outer_height) / 2

    def test_frame_is_centred_on_the_screen(self):
        # The form's arithmetic in twips halves the difference toward zero; within a pixel.
        x, y = self.frame_offset_from_centre(self.app)
        self.assertLessEqual(abs(x), 1, (x, y))
        self.assertLessEqual(abs(y), 1, (x, y))

    def test_frame_is_centred_at_scale_factors(self):
        # The window manager's frame extents are device pixels; the form works in scaled ones.
        for scale in ("1.25", "1.5", "1.75", "2"):
            with self.subTest(scale=scale):
                app = App(extra_env={"LC_ALL": "C.UTF-8", "QT_SCALE_FACTOR": scale})
                try:
                    x, y = self.frame_offset_from_centre(app)
                finally:
                    app.close()
                self.assertLessEqual(abs(x), 1, (scale, x, y))
                self.assertLessEqual(abs(y), 1, (scale, x, y))

    def test_password_is_not_offered_to_other_clients(self):
        self.app.type_rhythm("geheim", [80, 80, 80, 80, 80])
        self.app.key("alt+a")  # no menu mnemonic: types nothing
        wait_until(lambda: self.app.text("Passwort eigeben:") == "geheim", what="the typed password")
        self.app.key("shift+Home")
        self.app.key("ctrl+c")
        self.app.key("ctrl+x")
        time.sleep(0.3)
        self.assertEqual(self.app.text("Passwort eigeben:"), "geheim")
        self.assertNotIn("geheim", selection("primary"))
        self.assertNotIn("geheim", selection("clipboard"))
        # The same gestures on a display box do reach other clients, so the check above can fail.
        self.app.choose_view("Erweitert")
        self.app.key("Tab")
        wait_until(lambda: self.app.text("Passwort-Länge: (Eingabe)") == "6 Zeichen", what="the count")
        self.app.control("Passwort-Länge: (Eingabe)", "text").queryComponent().grabFocus()
        self.app.key("ctrl+a")
        wait_until(lambda: selection("primary") == "6 Zeichen", what="the count as primary selection",
                   seen=lambda: repr(selection("primary")))

    def test_window_destroyed_from_outside_ends_the_program(self):
        self.app.type_rhythm("geheim", [80, 80, 80, 80, 80])
        xdotool("windowclose", self.app.window_id)
        self.assertEqual(self.app.process.wait(timeout=10), 0)


if __name__ == "__main__":
    unittest.main()
