// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contrast.h"

#include <algorithm>
#include <cmath>

namespace Contrast {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// Luminance where black and white reach the same contrast: (L + 0.05)^2 = 1.05 * 0.05.
const double EqualContrastLuminance = std::sqrt(1.05 * 0.05) - 0.05;

} // namespace

double relativeLuminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

double ratio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isLight(const QColor &background)
{
    return relativeLuminance(background) > EqualContrastLuminance;
}

QColor readableOn(const QColor &background, const QColor &preferred, double minimum, double goal)
{
    if (ratio(preferred, background) >= minimum)
        return preferred;
    const QColor hsl = preferred.toHsl();
    const double step = isLight(background) ? -0.005 : 0.005;
    QColor candidate = preferred;
    // Lightness runs from 0 (black) to 1 (white); 200 steps of 0.005 reach either end.
    for (double lightness = hsl.lightnessF(); lightness >= 0.0 && lightness <= 1.0; lightness += step) {
        candidate =
            QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), static_cast<float>(lightness)).toRgb();
        if (ratio(candidate, background) >= goal)
            return candidate;
    }
    return isLight(background) ? QColor(Qt::black) : QColor(Qt::white);
}

QColor designColourOn(const QColor &background, const QColor &design, double minimum)
{
    if (isLight(background))
        return design;
    return readableOn(background, design, minimum, minimum);
}

} // namespace Contrast
