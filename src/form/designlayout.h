// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <span>
#include <string_view>

// The window's controls as designed: places and sizes in twips, captions, tab order. This is
// the Extended view; the Normal view moves five of them (see viewsettings.h).
struct ControlPlacement
{
    std::string_view objectName; // name with its array index, e.g. "txtPWD(0)"
    std::u16string_view caption;
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
};

std::span<const ControlPlacement> designLayout();

// The placement of one control; nothing for a name that is not on the form.
std::optional<ControlPlacement> placementOf(std::string_view objectName);
