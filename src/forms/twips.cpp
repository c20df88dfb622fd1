// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace Twips {

double perPixel()
{
    // Once: the form is laid out for the screen it starts on.
    static const double cached = [] {
        const QScreen *screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        return std::isfinite(dpi) && dpi > 0 ? 1440.0 / dpi : 15.0;
    }();
    return cached;
}

int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / perPixel()));
}

double toPixelsF(double twips)
{
    return twips / perPixel();
}

double fromPixels(double pixels)
{
    return pixels * perPixel();
}

} // namespace Twips
