// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"

#include <QListWidget>

// Unsorted, single-selection list of lines; AddItem appends.
class ListBox : public Control<QListWidget>
{
    Q_OBJECT

public:
    explicit ListBox(QWidget *parent = nullptr);

    void AddItem(const QString &line);
    void Clear();
    int ListCount() const;
    QString List(int index) const;
};
