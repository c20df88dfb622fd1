// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Layout lengths are given in twips, 1/1440 inch. Qt sizes fonts by the screen's logical DPI,
// so the layout uses the same inch: 1440 / logical DPI twips make one device-independent pixel.
// Where Qt scales to the screen (the default) the logical DPI is 96, 15 twips per pixel, and
// Qt's high-DPI scaling maps those pixels to device pixels. Where it does not
// (QT_ENABLE_HIGHDPI_SCALING=0, or a scale factor rounded down) the logical DPI is the
// screen's, and window and fonts grow together.
namespace Twips {

// 1440 / the primary screen's logical DPI, read once when first asked (15 before there is a
// screen).
double perPixel();

int toPixels(double twips);
double toPixelsF(double twips);
double fromPixels(double pixels);

} // namespace Twips
