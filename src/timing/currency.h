// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// Fixed-point number with four decimal places, held as a 64-bit integer times 10,000.
// Keystroke stamps are raw counter ticks stored as the raw value, so one unit is 10,000 ticks.
class Currency
{
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t raw) { return Currency(raw); }

    // Rounds to four decimals, a half to the even neighbour. Throws std::overflow_error for
    // NaN and for values outside the 64-bit range.
    static Currency fromDouble(double value);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const;
    float toSingle() const;

    // Exact; throws std::overflow_error when the difference leaves the 64-bit range.
    Currency operator-(Currency other) const;

    // Spelled out rather than defaulted through <=>: moc, which reads the form's header, cannot
    // parse the standard <compare> header.
    friend constexpr bool operator==(Currency a, Currency b) { return a.m_raw == b.m_raw; }
    friend constexpr bool operator!=(Currency a, Currency b) { return a.m_raw != b.m_raw; }
    friend constexpr bool operator<(Currency a, Currency b) { return a.m_raw < b.m_raw; }
    friend constexpr bool operator>(Currency a, Currency b) { return a.m_raw > b.m_raw; }
    friend constexpr bool operator<=(Currency a, Currency b) { return a.m_raw <= b.m_raw; }
    friend constexpr bool operator>=(Currency a, Currency b) { return a.m_raw >= b.m_raw; }

private:
    constexpr explicit Currency(std::int64_t raw) : m_raw(raw) {}

    std::int64_t m_raw = 0;
};
