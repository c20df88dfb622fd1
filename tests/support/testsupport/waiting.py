# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

import time


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition", seen=None, errors=()):
    """Polls predicate until it returns something true, and returns that. An exception of the
    kinds in `errors` counts as not yet (a page still loading). On a timeout the message names
    what was awaited and, through seen(), what was there instead."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = observed = predicate()
        except errors as error:
            value, observed = None, error
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError(f"timed out after {timeout:g} s waiting for {what}; "
                                 f"saw: {seen() if seen is not None else repr(observed)}")
        time.sleep(interval)
