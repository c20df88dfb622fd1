// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chartgeometry.h"

KeystrokeMark keystrokeMark(int n, Currency interval)
{
    constexpr float labelY = 30.0f;
    if (n == 1)
        return {std::nullopt, 1.1f, labelY};
    // The offsets are added in double precision and only the sum is narrowed.
    const KeystrokeMark::Box bar{static_cast<float>(n), 0.0f, static_cast<float>(n + 0.7),
                                 interval.toSingle()};
    return {bar, static_cast<float>(n + 0.1), labelY};
}
