// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

// Colours on backgrounds the program fixes (the pale yellow of the output boxes, the verdict
// on the form's colour) must read whatever the desktop's palette is. Contrast is measured as
// WCAG 2 defines it, from 1:1 (same colour) to 21:1 (black on white).
namespace Contrast {

inline constexpr double Text = 4.5;      // least contrast for text to read
inline constexpr double Graphics = 3.0;  // least contrast for lines and bars
inline constexpr double ClearText = 7.0; // what a colour the program has to replace aims for

double relativeLuminance(const QColor &colour);
double ratio(const QColor &a, const QColor &b);

// Lighter than the point where black and white text contrast with it equally.
bool isLight(const QColor &background);

// `preferred` where it reaches `minimum` against `background`; otherwise `preferred` with its
// hue kept and its lightness moved away from the background until it reaches `goal`, or as
// far as it goes (black or white).
QColor readableOn(const QColor &background, const QColor &preferred, double minimum, double goal);

// A colour the design fixed, such as the verdict's green: on a light background it stays
// exactly as designed; on a dark one it is lightened, hue kept, until it reaches `minimum`.
QColor designColourOn(const QColor &background, const QColor &design, double minimum);

} // namespace Contrast
