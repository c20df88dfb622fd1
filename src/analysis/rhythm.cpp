// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rhythm.h"

#include <stdexcept>

std::array<double, KeyTimes::MaxLength + 1> rhythmIntervals(const KeyTimes &keyTimes, int row, int length)
{
    if (length > KeyTimes::MaxLength)
        throw std::out_of_range("rhythmIntervals: length out of range");
    std::array<double, KeyTimes::MaxLength + 1> intervals{};
    for (int k = 2; k <= length; ++k)
        intervals[static_cast<std::size_t>(k)] = keyTimes.interval(row, k).toDouble();
    return intervals;
}

double RhythmThreshold(std::span<const double> values)
{
    double smallest = 0;
    double largest = 0;
    for (const double x : values) {
        // Also skips NaN, which compares false.
        if (!(x > 0))
            continue;
        if (smallest == 0 || x < smallest)
            smallest = x;
        if (x > largest)
            largest = x;
    }
    return (largest + smallest) / 2;
}

char rhythmDigit(Currency interval, double threshold)
{
    return interval > Currency::fromDouble(threshold) ? '1' : '0';
}

std::string rhythmCode(const KeyTimes &keyTimes, int row, int length, double threshold)
{
    if (length > KeyTimes::MaxLength)
        throw std::out_of_range("rhythmCode: length out of range");
    std::string code;
    for (int k = 2; k <= length; ++k)
        code += rhythmDigit(keyTimes.interval(row, k), threshold);
    return code;
}
