// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cmath>

// Layout lengths are given in twips; 15 twips make one device-independent pixel, and Qt's
// high-DPI scaling maps those to device pixels.
namespace Twips {
inline constexpr int PerPixel = 15;

inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / PerPixel));
}

inline constexpr double fromPixels(double pixels)
{
    return pixels * PerPixel;
}
} // namespace Twips
