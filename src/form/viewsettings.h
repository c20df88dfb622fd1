// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the two views set. Lengths in twips; the client area is the window below its menu bar.
struct ViewSettings
{
    bool normalChecked;
    bool erweitertChecked;
    bool detailsVisible; // summary captions and boxes, keystroke lists, charts
    int lblBezeichnung1Top;
    int txtPWD1Top;
    int picOutTop;
    int cmdEndTop;
    int cmdLoginTop;
    int clientWidth;
    int clientHeight;
};

inline constexpr ViewSettings NormalView{true, false, false, 960, 840, 1320, 1320, 1320, 4965, 1830};
inline constexpr ViewSettings ExtendedView{false, true, true, 2460, 2340, 4320, 4320, 4320, 10890, 4875};

// Left (or top) that centres a window of formLength on a screen of screenLength: the difference
// rounded to a whole number (a half to the even neighbour), then halved toward zero. Throws
// std::overflow_error when the difference does not fit 32 bits.
int centredPosition(double screenLength, double formLength);
