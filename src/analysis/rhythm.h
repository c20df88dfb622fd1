// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "currency.h"

#include <array>
#include <span>
#include <string>

// The stamps of one row are indexed by the field length they were taken at, slot 0 unused.
// Lengths run up to 24, the characters a field accepts.
inline constexpr int RhythmMaxLength = 24;

// Intervals of one row as doubles: element k (k = 2..length) is the interval of slot k; the
// others stay 0. Throws std::out_of_range for a length above 24 or beyond the stamps given.
std::array<double, RhythmMaxLength + 1> rhythmIntervals(std::span<const Currency> stamps, int length);

// Midpoint of the smallest positive and the largest value; values that are not positive are
// ignored, and without any positive value the result is 0.
double RhythmThreshold(std::span<const double> values);

// '1' when the interval is longer than the threshold, '0' when it is equal or shorter. The
// threshold is first rounded to the interval's four decimals (a half to the even neighbour).
char rhythmDigit(Currency interval, double threshold);

// One digit per interval, slots 2..length, computed from the exact stamps.
std::string rhythmCode(std::span<const Currency> stamps, int length, double threshold);
