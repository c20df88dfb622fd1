// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"

#include <QLabel>

class Label : public Control<QLabel>
{
    Q_OBJECT

public:
    explicit Label(const QString &caption, QWidget *parent = nullptr);
};
