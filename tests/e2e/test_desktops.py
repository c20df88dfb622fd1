# SPDX-FileCopyrightText: 2026 Taktlogin-Team
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real program on desktops as German users have them: a dark KDE colour scheme, ibus on a
German layout with dead keys and Compose, a screen DPI that Qt does not scale away, and the
Alt and Ctrl+Alt chords. Each class puts the shared X server back as it found it."""

import colorsys
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from testsupport.desktop import App  # noqa: E402
from testsupport.login import log_in  # noqa: E402
from testsupport.screen import x_pixels  # noqa: E402
from testsupport.waiting import wait_until  # noqa: E402
from testsupport.xkeyboard import XKeyboard  # noqa: E402

PALE_YELLOW = (255, 255, 221)
RHYTHM = [60, 400, 60, 400, 60]


def luminance(rgb):
    def linear(channel):
        c = channel / 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)))
    return (lb + 0.05) / (la + 0.05)


def strongest(pixels, background):
    """The pixel that stands out most from the background, and its contrast."""
    best = max((pixel for row in pixels for pixel in row), key=lambda pixel: contrast(pixel, background))
    return best, contrast(best, background)


# Breeze Dark's background of each colour group; its text is near white in all of them.
KDEGLOBALS = "[General]\nColorScheme=BreezeDark\n" + "".join(
    f"\n[Colors:{group}]\nBackgroundNormal={background}\nForegroundNormal=252,252,252\n"
    for group, background in (("Window", "42,46,50"), ("View", "27,30,32"), ("Button", "49,54,59"),
                              ("Selection", "61,174,233")))


class DarkColourScheme(unittest.TestCase):
    """KDE's Breeze Dark, read by Qt's own KDE theme from a kdeglobals in a temporary HOME."""

    def setUp(self):
        self.home = tempfile.mkdtemp()
        os.makedirs(os.path.join(self.home, ".config"))
        with open(os.path.join(self.home, ".config", "kdeglobals"), "w") as kdeglobals:
            kdeglobals.write(KDEGLOBALS)
        self.app = App(extra_env={"LC_ALL": "C.UTF-8", "HOME": self.home,
                                  "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
                                  "XDG_CURRENT_DESKTOP": "KDE", "KDE_SESSION_VERSION": "5"})

    def tearDown(self):
        self.app.close()
        shutil.rmtree(self.home, ignore_errors=True)

    def test_output_reads_on_its_backgrounds(self):
        # The scheme is in effect: the form has Breeze Dark's window colour.
        corner = self.app.pixels("Anmelden:")[-3][-3]
        self.assertEqual(corner, (42, 46, 50), "the dark colour scheme did not reach the program")

        self.app.choose_view("Erweitert")
        self.app.control("Passwort eigeben:", "text").queryComponent().grabFocus()
        wait_until(lambda: self.app.focused() == "Passwort eigeben:", what="focus in the first field")
        self.assertEqual(log_in(self.app, ("geheim", RHYTHM), ("geheim", RHYTHM))[0], "Login korrekt!")

        for name in ("Passwort-Länge: (Eingabe)", "ø-Eingabetakt (ms): (Eingabe)",
                     "Passwort getaktet: (Eingabe)", "Eingabetakt (ms): (Eingabe)"):
            pixel, ratio = strongest(self.app.pixels(name, inset=4), PALE_YELLOW)
            self.assertGreaterEqual(ratio, 4.5, f"{name}: {pixel}")
        # Bars and characters in the chart: apart from the blue threshold line, something dark.
        chart = self.app.pixels("Eingabetakt-Diagramm (Eingabe)", inset=4)
        not_blue = [[pixel for pixel in row if not (pixel[2] > 150 and pixel[0] < 100)] for row in chart]
        dark = sum(1 for row in not_blue for pixel in row if contrast(pixel, PALE_YELLOW) >= 3)
        self.assertGreater(dark, 100, "no bars or characters that read on the pale yellow")

        pixel, ratio = strongest(self.app.pixels("Anmeldeergebnis"), (42, 46, 50))
        self.assertGreaterEqual(ratio, 4.5, pixel)
        hue = colorsys.rgb_to_hls(*(c / 255 for c in pixel))[0] * 360
        self.assertAlmostEqual(hue, 120, delta=2, msg=f"not green: {pixel}")


class InputMethod(unittest.TestCase):
    """ibus on a German layout: key codes go through XTEST, so the layout picks the characters."""

    USE_IBUS = True

    def setUp(self):
        for tool in ("ibus-daemon", "ibus") if self.USE_IBUS else ():
            if shutil.which(tool) is None:
                # CI's test command installs it; a skip there would hide the suite.
                if os.environ.get("CI") == "true":
                    self.fail(f"{tool} is not installed")
                self.skipTest(f"{tool} is not installed")
        # Compose on the right Alt.
        self.keyboard = XKeyboard("de", "compose:ralt")
        self.daemon = None
        if self.USE_IBUS:
            self.daemon = subprocess.Popen(["ibus-daemon", "--replace", "--single", "--panel=disable"],
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_until(lambda: subprocess.run(["ibus", "engine", "xkb:de::deu"],
                                              capture_output=True).returncode == 0,
                       what="ibus with the German engine")
        self.app = App(extra_env={"LC_ALL": "C.UTF-8", "QT_IM_MODULE": "ibus" if self.USE_IBUS else "compose"},
                       keyboard=self.keyboard)

    def tearDown(self):
        self.app.close()
        if self.daemon is not None:
            subprocess.run(["ibus", "exit"], capture_output=True)
            if self.daemon.poll() is None:
                self.daemon.kill()
            self.daemon.wait(timeout=10)
        XKeyboard("us").close()

    def test_dead_keys_and_compose_type_one_character_each(self):
        self.keyboard.type("ê")                  # dead ^, then e
        time.sleep(0.15)
        self.keyboard.key("Multi_key")           # Compose, o, ": ö
        time.sleep(0.15)
        self.keyboard.type('o"', [150])
        time.sleep(0.15)
        self.keyboard.type("é")                  # dead ´, then e
        wait_until(lambda: self.app.text("Passwort eigeben:") == "êöé", what="êöé",
                   seen=lambda: repr(self.app.text("Passwort eigeben:")))
        self.app.choose_view("Erweitert")
        self.assertEqual([line.split(": ")[0] for line in self.app.lines("Eingabetakt (ms): (Eingabe)")],
                         ["ê", "ö", "é"])


class ComposeContext(InputMethod):
    """The same keys without an input method: Qt's own compose context does the composing."""

    USE_IBUS = False


def client_width(window_id):
    info = subprocess.run(["xwininfo", "-id", window_id], capture_output=True, text=True).stdout
    return int(re.search(r"Width:\s+(\d+)", info).group(1))


class ScreenDpi(unittest.TestCase):
    """Xft.dpi on the X server, as desktops set it; Qt scales it away unless told not to."""

    def tearDown(self):
        subprocess.run(["xprop", "-root", "-remove", "RESOURCE_MANAGER"], check=True)

    def start(self, dpi, env):
        subprocess.run(["xprop", "-root", "-remove", "RESOURCE_MANAGER"], check=True)
        if dpi:
            subprocess.run(["xrdb", "-merge"], input=f"Xft.dpi: {dpi}\n", text=True, check=True)
        return App(extra_env={"LC_ALL": "C.UTF-8", **env})

    def caption_fits(self, app, name):
        """The caption's text ends before its label does: the last columns are background."""
        label = app.control(name, "label").queryComponent().getExtents(0)
        pixels = x_pixels(label.x, label.y, label.width, label.height)
        background = pixels[0][0]
        text_columns = [x for x in range(len(pixels[0])) if any(row[x] != background for row in pixels)]
        self.assertTrue(text_columns, f"{name}: nothing drawn")
        return text_columns[-1] < len(pixels[0]) - 2

    def test_window_and_fonts_grow_together(self):
        app = self.start(None, {})
        try:
            design = client_width(app.window_id)
        finally:
            app.close()
        cases = [("144", {"QT_ENABLE_HIGHDPI_SCALING": "0"}, 1.5, True),
                 ("120", {"QT_SCALE_FACTOR_ROUNDING_POLICY": "RoundPreferFloor"}, 1.25, True),
                 ("144", {}, 1.5, False)]  # Qt scales by 1.5: the same layout, device pixels grow
        for dpi, env, factor, unscaled in cases:
            with self.subTest(dpi=dpi, env=env):
                app = self.start(dpi, env)
                try:
                    self.assertAlmostEqual(client_width(app.window_id), design * factor, delta=2)
                    if unscaled:
                        for name in ("Passwort wiederholen:", "Passwort eigeben:"):
                            self.assertTrue(self.caption_fits(app, name), f"{name} is cut off at {dpi} dpi")
                finally:
                    app.close()


class Chords(unittest.TestCase):
    """Alt, Ctrl+Alt and a lone tap on Alt while typing a password, on a German layout."""

    def setUp(self):
        self.keyboard = XKeyboard("de")
        self.app = App(extra_env={"LC_ALL": "C.UTF-8"}, keyboard=self.keyboard)

    def tearDown(self):
        self.app.close()
        XKeyboard("us").close()

    def test_ctrl_alt_types_nothing_on_x11(self):
        # AltGr is a modifier of its own on X11; Ctrl+Alt with a key is a command. (With a
        # letter Qt hands over a control character anyway; an umlaut it hands over as it is.)
        self.keyboard.type("a")
        self.keyboard.key("ctrl+alt+adiaeresis")
        self.keyboard.key("alt+odiaeresis")
        self.keyboard.type("d")
        wait_until(lambda: self.app.text("Passwort eigeben:") == "ad", what="ad",
                   seen=lambda: repr(self.app.text("Passwort eigeben:")))
        self.app.choose_view("Erweitert")
        self.assertEqual(len(self.app.lines("Eingabetakt (ms): (Eingabe)")), 2)

    def test_alt_tap_shows_the_menu_title_and_escape_returns(self):
        title = self.app.pixels("Ansicht")
        self.keyboard.type("ab")
        self.keyboard.key("Alt_L")
        wait_until(lambda: self.app.focused() != "Passwort eigeben:",
                   what="the menu bar to take the keyboard", seen=lambda: repr(self.app.focused()))
        # As on Windows, the title shows that the keys now go to the menu.
        wait_until(lambda: self.app.pixels("Ansicht") != title, what="the menu title highlighted")
        self.keyboard.key("Escape")
        wait_until(lambda: self.app.focused() == "Passwort eigeben:", what="focus back in the field",
                   seen=lambda: repr(self.app.focused()))
        self.keyboard.type("cd")
        wait_until(lambda: self.app.text("Passwort eigeben:") == "abcd", what="abcd",
                   seen=lambda: repr(self.app.text("Passwort eigeben:")))


if __name__ == "__main__":
    unittest.main()
