// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designlayout.h"

#include <algorithm>
#include <array>

namespace {

// Ordered as the rows of the form: row 0's band, row 1's band (1980 lower), the bottom line.
constexpr std::array<ControlPlacement, 24> Layout{{
    {"lblBezeichnung(6)", u"Passwort eigeben:", 120, 480, 2175, 255, 5},
    {"txtPWD(0)", u"", 2520, 360, 2295, 375, 1},
    {"lblBezeichnung(2)", u"Passwort-L\u00e4nge:", 120, 960, 2175, 255, 11},
    {"txtCount(0)", u"", 2520, 840, 2295, 375, 9},
    {"lblBezeichnung(3)", u"\u00f8-Eingabetakt (ms):", 120, 1440, 2175, 255, 14},
    {"txtTakt(0)", u"", 2520, 1320, 2295, 375, 12},
    {"lblBezeichnung(4)", u"Passwort getaktet:", 120, 1920, 2175, 255, 17},
    {"txtPWDT(0)", u"", 2520, 1800, 2295, 375, 15},
    {"lblBezeichnung(5)", u"Eingabetakt (ms):", 4980, 120, 2175, 255, 4},
    {"lstPWD(0)", u"", 4980, 360, 2295, 1830, 6},
    {"picPWD(0)", u"", 7260, 360, 3495, 1830, 21},
    {"lblBezeichnung(1)", u"Passwort wiederholen:", 120, 2460, 2295, 255, 0},
    {"txtPWD(1)", u"", 2520, 2340, 2295, 375, 2},
    {"lblBezeichnung(9)", u"Passwort-L\u00e4nge:", 120, 2940, 2175, 255, 20},
    {"txtCount(1)", u"", 2520, 2820, 2295, 375, 10},
    {"lblBezeichnung(8)", u"\u00f8-Eingabetakt (ms):", 120, 3420, 2175, 255, 19},
    {"txtTakt(1)", u"", 2520, 3300, 2295, 375, 13},
    {"lblBezeichnung(7)", u"Passwort getaktet:", 120, 3900, 2175, 255, 18},
    {"txtPWDT(1)", u"", 2520, 3780, 2295, 375, 16},
    {"lstPWD(1)", u"", 4980, 2340, 2295, 1830, 7},
    {"picPWD(1)", u"", 7260, 2340, 3495, 1830, 22},
    {"picOut", u"", 120, 4320, 2055, 375, 23},
    {"cmdEnd", u"Abbrechen", 2520, 4320, 1215, 375, 8},
    {"cmdLogin", u"Login", 3780, 4320, 1035, 375, 3},
}};

} // namespace

std::span<const ControlPlacement> designLayout()
{
    return Layout;
}

std::optional<ControlPlacement> placementOf(std::string_view objectName)
{
    const auto found = std::find_if(Layout.begin(), Layout.end(), [objectName](const ControlPlacement &p) {
        return p.objectName == objectName;
    });
    if (found == Layout.end())
        return std::nullopt;
    return *found;
}
