// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string_view>

class Entry;

// Both texts and both rhythm codes must be equal: same UTF-16 code units, case-sensitive,
// nothing trimmed or normalised.
bool loginSucceeds(std::u16string_view password0, std::u16string_view password1, std::string_view code0,
                   std::string_view code1);
// Each entry's text as its field holds it now, and the rhythm code of its latest analysis: an
// entry edited since then is judged with the older code.
bool loginSucceeds(const Entry &first, const Entry &second);

struct Verdict
{
    std::uint32_t colour; // 0x00BBGGRR
    std::u16string_view message;
};

Verdict verdictFor(bool success);

// Where the verdict is drawn in the box's own scale: the frame's opposite corners and the
// top-left corner of the message. All arithmetic in single precision.
struct VerdictPlacement
{
    float frameLeft, frameTop, frameRight, frameBottom;
    float textX, textY;
};

VerdictPlacement verdictPlacement(float scaleWidth, float scaleHeight, float messageWidth,
                                  float loginTextHeight);
