// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verdict.h"

#include "entry.h"

bool loginSucceeds(std::u16string_view password0, std::u16string_view password1, std::string_view code0,
                   std::string_view code1)
{
    // Both comparisons always run; neither depends on the other.
    const bool sameText = password0 == password1;
    const bool sameRhythm = code0 == code1;
    return sameText && sameRhythm;
}

bool loginSucceeds(const Entry &first, const Entry &second)
{
    return loginSucceeds(first.text(), second.text(), first.rhythmCode(), second.rhythmCode());
}

Verdict verdictFor(bool success)
{
    if (success)
        return {0x008000, u"Login korrekt!"};
    return {0x0000C0, u"Login falsch!"};
}

VerdictPlacement verdictPlacement(float scaleWidth, float scaleHeight, float messageWidth,
                                  float loginTextHeight)
{
    VerdictPlacement placement{};
    placement.frameLeft = 0.0f;
    placement.frameTop = 0.0f;
    placement.frameRight = scaleWidth - 2.0f;
    placement.frameBottom = scaleHeight - 2.0f;
    placement.textX = (scaleWidth - messageWidth) / 2.0f;
    placement.textY = ((scaleHeight - loginTextHeight) / 2.0f) - 1.0f;
    return placement;
}
