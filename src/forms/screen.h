// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

// The primary screen in twips, and its origin in pixels for positioning a window on it.
namespace Screen {
double Width();
double Height();
QPoint originPixels();
} // namespace Screen
