// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rhythm.h"

#include <stdexcept>

namespace {

void checkLength(std::span<const Currency> stamps, int length)
{
    if (length > RhythmMaxLength || (length >= 0 && static_cast<std::size_t>(length) >= stamps.size()))
        throw std::out_of_range("rhythm: no stamp slot for this length");
}

Currency intervalAt(std::span<const Currency> stamps, int k)
{
    return stamps[static_cast<std::size_t>(k)] - stamps[static_cast<std::size_t>(k - 1)];
}

} // namespace

std::array<double, RhythmMaxLength + 1> rhythmIntervals(std::span<const Currency> stamps, int length)
{
    checkLength(stamps, length);
    std::array<double, RhythmMaxLength + 1> intervals{};
    for (int k = 2; k <= length; ++k)
        intervals[static_cast<std::size_t>(k)] = intervalAt(stamps, k).toDouble();
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

std::string rhythmCode(std::span<const Currency> stamps, int length, double threshold)
{
    checkLength(stamps, length);
    std::string code;
    for (int k = 2; k <= length; ++k)
        code += rhythmDigit(intervalAt(stamps, k), threshold);
    return code;
}
