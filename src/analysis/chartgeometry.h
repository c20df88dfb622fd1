// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "currency.h"

#include <optional>

// Where one keystroke appears on its row's chart (x = keystroke number, y = interval).
struct KeystrokeMark
{
    struct Box
    {
        float left, bottom, right, top;
    };
    std::optional<Box> bar; // none for the first character
    float labelX;           // top-left corner of the character
    float labelY;
};

// n is the field length after the change (1..24); interval is ignored for n = 1.
KeystrokeMark keystrokeMark(int n, Currency interval);
