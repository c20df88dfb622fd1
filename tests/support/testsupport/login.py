# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The login sequence, the same for every way of driving the program: a driver knows how to
type_entry(field, text, gaps) (returning the delivered intervals, or None where it cannot tell
them), start_over(field), go to the next_field(), confirm() the login and read the verdict()."""

from .rhythm import type_planned

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
