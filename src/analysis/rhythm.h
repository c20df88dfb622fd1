// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "currency.h"
#include "keytimes.h"

#include <array>
#include <span>
#include <string>

// Intervals of one row as doubles: element k (k = 2..length) is the interval of slot k; the
// others stay 0. Throws std::out_of_range for a length above 24 or a bad row.
std::array<double, KeyTimes::MaxLength + 1> rhythmIntervals(const KeyTimes &keyTimes, int row, int length);

// Midpoint of the smallest positive and the largest value; values that are not positive are
// ignored, and without any positive value the result is 0.
double RhythmThreshold(std::span<const double> values);

// '1' when the interval is longer than the threshold, '0' when it is equal or shorter. The
// threshold is first rounded to the interval's four decimals (a half to the even neighbour).
char rhythmDigit(Currency interval, double threshold);

// One digit per interval, slots 2..length, computed from the exact stamps.
std::string rhythmCode(const KeyTimes &keyTimes, int row, int length, double threshold);
