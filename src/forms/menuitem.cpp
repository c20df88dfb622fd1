// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "menuitem.h"

MenuItem::MenuItem(const QString &caption, QObject *parent) : QAction(caption, parent)
{
    setCheckable(true);
}
