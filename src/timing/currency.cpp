// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "currency.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>

Currency Currency::fromDouble(double value)
{
    const double scaled = value * static_cast<double>(Scale);
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (std::isnan(scaled) || scaled >= limit || scaled < -limit)
        throw std::overflow_error("Currency overflow");
    // nearbyint rounds in the current mode, which is to-nearest-even unless someone changed it.
    const int previousMode = std::fegetround();
    if (previousMode != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(scaled);
    if (previousMode != FE_TONEAREST)
        std::fesetround(previousMode);
    if (rounded >= limit)
        throw std::overflow_error("Currency overflow");
    return Currency(static_cast<std::int64_t>(rounded));
}

double Currency::toDouble() const
{
    // Below 2^53 the raw value converts exactly, so the one division is the only rounding.
    constexpr std::int64_t exactLimit = std::int64_t{1} << 53;
    if (m_raw > -exactLimit && m_raw < exactLimit)
        return static_cast<double>(m_raw) / static_cast<double>(Scale);
    const std::int64_t whole = m_raw / Scale;
    const std::int64_t fraction = m_raw % Scale;
    return static_cast<double>(whole) + static_cast<double>(fraction) / static_cast<double>(Scale);
}

float Currency::toSingle() const
{
    return static_cast<float>(toDouble());
}

Currency Currency::operator-(Currency other) const
{
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t min = std::numeric_limits<std::int64_t>::min();
    if ((other.m_raw > 0 && m_raw < min + other.m_raw) || (other.m_raw < 0 && m_raw > max + other.m_raw))
        throw std::overflow_error("Currency overflow");
    return Currency(m_raw - other.m_raw);
}
