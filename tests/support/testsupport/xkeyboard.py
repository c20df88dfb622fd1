# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The one X keyboard of the suites: XTEST presses key codes through a layout that is set and
checked to be in effect, so the layout picks the characters as it does for a real keyboard.
Nothing is remapped on the fly, as xdotool would do for a character the layout lacks."""

import subprocess
import time
import unicodedata

from Xlib import XK, X, display
from Xlib.ext import xtest

XK.load_keysym_group("xkb")  # dead keys and ISO_Level3_Shift

# A key code whose symbol tells the layouts apart (evdev codes): some X servers keep their US map
# after setxkbmap, and then "ä" would come out as "'".
LAYOUT_PROBES = {"us": (20, "minus"), "de": (20, "ssharp")}
# Dead keys for the combining marks of the characters a layout has no key of its own for.
DEAD_KEYS = {"\u0300": "dead_grave", "\u0301": "dead_acute", "\u0302": "dead_circumflex",
             "\u0308": "dead_diaeresis", "\u0303": "dead_tilde"}
# Each modifier's key as on a PC keyboard (evdev codes), where the layout puts it there.
MODIFIERS = {"shift": ("Shift_L", 50), "ctrl": ("Control_L", 37), "alt": ("Alt_L", 64),
             "altgr": ("ISO_Level3_Shift", 108)}


class XKeyboard:
    def __init__(self, layout="us", options=""):
        self.use_layout(layout, options)

    def use_layout(self, layout, options=""):
        subprocess.run(["setxkbmap", layout, "-option", options], check=True)
        # A new connection reads the new map; an older one keeps the map it fetched.
        if getattr(self, "display", None) is not None:
            self.display.close()
        self.display = display.Display()
        code, expected = LAYOUT_PROBES[layout]
        keysym = self.display.keycode_to_keysym(code, 0)
        if keysym != XK.string_to_keysym(expected):
            raise AssertionError(f"the {layout} layout did not take: key code {code} gives keysym {keysym:#x}")
        self.layout = layout

    def code(self, keysym_name):
        keycode = self.display.keysym_to_keycode(XK.string_to_keysym(keysym_name))
        if not keycode:
            raise AssertionError(f"no key gives {keysym_name} on the {self.layout} layout")
        return keycode

    def modifier(self, name):
        keysym_name, keycode = MODIFIERS[name]
        if self.display.keycode_to_keysym(keycode, 0) == XK.string_to_keysym(keysym_name):
            return keycode
        return self.code(keysym_name)

    def press(self, keycode, held=()):
        """Presses and releases one key code while the held key codes are down."""
        for code in (*held, keycode):
            xtest.fake_input(self.display, X.KeyPress, code)
        for code in (keycode, *reversed(held)):
            xtest.fake_input(self.display, X.KeyRelease, code)
        self.display.sync()

    def key(self, chord):
        """A key by its X name with modifiers, as "Tab", "shift+Home" or "ctrl+alt+adiaeresis"."""
        *modifiers, name = chord.split("+")
        self.press(self.code(name), [self.modifier(modifier) for modifier in modifiers])

    def _strokes(self, character):
        """The key presses that type one character: its key at the level that gives it, or a dead
        key and the base letter."""
        keysym = ord(character) if ord(character) < 0x100 else 0x01000000 + ord(character)
        for keycode in range(8, 256):
            for index, held in ((0, ()), (1, ("shift",)), (4, ("altgr",)), (5, ("altgr", "shift"))):
                if self.display.keycode_to_keysym(keycode, index) == keysym:
                    return [(keycode, [self.modifier(name) for name in held])]
        base, *marks = unicodedata.normalize("NFD", character)
        if marks and all(mark in DEAD_KEYS for mark in marks):
            return [(self.code(DEAD_KEYS[mark]), []) for mark in marks] + self._strokes(base)
        raise AssertionError(f"no key types {character!r} on the {self.layout} layout")

    def type(self, text, gaps_ms=()):
        """Types text, waiting gaps_ms[i] between character i and i + 1 (with no gaps, at once)."""
        for index, character in enumerate(text):
            if index and gaps_ms:
                time.sleep(gaps_ms[index - 1] / 1000)
            for keycode, held in self._strokes(character):
                self.press(keycode, held)

    def close(self):
        self.display.close()
