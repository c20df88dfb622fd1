// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandbutton.h"

CommandButton::CommandButton(const QString &caption, QWidget *parent) : Control<QPushButton>(caption, parent)
{
    // Enter is routed by the window itself (see Form1::keyPressEvent), not by the focused button.
    setAutoDefault(false);
}
