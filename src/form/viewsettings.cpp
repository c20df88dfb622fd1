// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "viewsettings.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

int centredPosition(double screenLength, double formLength)
{
    const double difference = std::nearbyint(screenLength - formLength);
    if (!(difference >= std::numeric_limits<std::int32_t>::min() &&
          difference <= std::numeric_limits<std::int32_t>::max()))
        throw std::overflow_error("centredPosition: difference out of range");
    return static_cast<std::int32_t>(difference) / 2;
}
