# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The login sequence, the same for every way of driving the program: a driver knows how to
type_entry(field, text, gaps) (returning the delivered intervals, or None where it cannot tell
them), start_over(field), go to the next_field(), confirm() the login and read the verdict()."""

from .rhythm import type_planned
from .screen import verdict_shown, x_pixels
from .waiting import wait_until

FIELDS = ("Passwort eigeben:", "Passwort wiederholen:")


def log_in(driver, first, second):
    """Types both entries, each (text, planned gaps in ms) and each again where a delayed sender
    changed its rhythm, then logs in. Returns the verdict and both entries' delivered intervals."""
    delivered = []
    for field, (text, gaps) in enumerate((first, second)):
        if field:
            driver.next_field()
        delivered.append(type_planned(lambda: driver.type_entry(field, text, gaps),
                                      lambda: driver.start_over(field), gaps))
    driver.confirm()
    return driver.verdict(), delivered


def same_then_other_rhythm(driver, text, gaps, other_gaps):
    """Logs in with the entry repeated in its own rhythm, then in another, emptying both fields
    after each (driver.clear_both()). Returns the two verdicts."""
    verdicts = []
    for second_gaps in (gaps, other_gaps):
        verdicts.append(log_in(driver, (text, gaps), (text, second_gaps))[0])
        driver.clear_both()
    return verdicts


class KeysAndScreen:
    """A login typed on an X keyboard into whatever window has the focus, the verdict read off the
    screen by its colour (at least `least` pixels of it): for a program that cannot be asked what it
    got, so that nothing delivered is judged."""

    def __init__(self, keyboard, least=100):
        self.keyboard = keyboard
        self.least = least

    def type_entry(self, field, text, gaps_ms):
        self.keyboard.type(text, gaps_ms)

    def start_over(self, field):
        # Backspace empties a field and starts its entry over.
        self.keyboard.key("BackSpace")

    def next_field(self):
        self.keyboard.key("Tab")

    def confirm(self):
        self.keyboard.key("Return")

    def verdict(self):
        return wait_until(lambda: verdict_shown(x_pixels(), self.least), timeout=20, what="a verdict on the screen")

    def clear_both(self):
        """Empties the second field, where a login leaves the focus, then the first; the verdict goes."""
        self.keyboard.key("BackSpace")
        self.keyboard.key("shift+Tab")
        self.keyboard.key("BackSpace")
        wait_until(lambda: verdict_shown(x_pixels(), self.least) is None, what="the verdict gone from the screen")
