// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>

// The program's icon at every size it is rendered in, for the window's title bar, the task bar
// and the window switcher. The same drawing is the desktop file's icon and, on Windows, the
// executable's.
QIcon applicationIcon();
