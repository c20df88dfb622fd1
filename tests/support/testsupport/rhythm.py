# SPDX-FileCopyrightText: 2026 Taktlogin-Team
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The rhythm rule as an independent oracle, and entries typed until they carry the planned rhythm."""

import math

# How far an interval the program lists may lie from the one delivered to it: the X server's
# stamps are whole milliseconds, and the program needs a moment to take each key. Measured on 2
# cores kept busy by two other processes (load 4 to 5), over 480 intervals of 30 to 600 ms:
# median 0.5 ms, 95th percentile 4.8 ms, worst 7.1 ms.
TOLERANCE_MS = 10.0
# An entry is only used to judge a verdict where each delivered interval lies this far from its
# threshold; nearer, the program could fairly put it on either side.
CLEAR_OF_THRESHOLD_MS = 3 * TOLERANCE_MS


def rhythm_code(intervals):
    """The rhythm code and threshold of intervals, by the program's rule: the midpoint of the
    shortest positive and the longest interval, "1" for each interval above it."""
    threshold = (min(gap for gap in intervals if gap > 0) + max(intervals)) / 2
    return "".join("1" if gap > threshold else "0" for gap in intervals), threshold


def kept_plan(delivered, planned):
    """Whether the delivered intervals have the planned ones' rhythm code, each clear of the threshold."""
    code, threshold = rhythm_code(delivered)
    return (code == rhythm_code(planned[:len(delivered)])[0]
            and min(abs(gap - threshold) for gap in delivered) > CLEAR_OF_THRESHOLD_MS)


def type_planned(type_once, start_over, planned, attempts=3):
    """Types an entry with type_once() until the intervals it returns keep the planned rhythm,
    calling start_over() between tries: a sender held up on a busy machine changes a rhythm, and
    a verdict must not judge that. A type_once() that can tell no delivered intervals (None) is
    taken as it is. Returns the delivered intervals."""
    delivered = None
    for attempt in range(attempts):
        delivered = type_once()
        if delivered is None or kept_plan(delivered, planned):
            return delivered
        if attempt + 1 < attempts:
            start_over()
    raise AssertionError(f"{attempts} tries with gaps {planned} ms never delivered the planned rhythm "
                         f"{rhythm_code(planned)[0]}; the last delivered {delivered}")


def percentile(values, share):
    """The nearest-rank percentile: the smallest value at or above `share` of all values."""
    ordered = sorted(values)
    return ordered[max(0, math.ceil(share * len(ordered)) - 1)]


def interval_of(line):
    """The milliseconds of a keystroke line such as "e: 401.2345" (the program's locale is C)."""
    return float(line.rsplit(": ", 1)[1])
