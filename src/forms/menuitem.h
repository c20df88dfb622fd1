// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QAction>

// A menu entry with a check mark the program sets; triggered is its Click.
class MenuItem : public QAction
{
    Q_OBJECT

public:
    MenuItem(const QString &caption, QObject *parent);

    bool Checked() const { return isChecked(); }
    void SetChecked(bool checked) { setChecked(checked); }
};
