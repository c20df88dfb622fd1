// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProxyStyle>

class QMenuBar;

// A tap on Alt gives the menu bar the keyboard focus, as on Windows, but Qt's Fusion style
// draws no highlight for it: the keys typed next seem to vanish. This style draws the menu
// title highlighted while the menu bar has the focus; Escape gives it back to the field.
class MenuBarStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Gives the bar this style over the application's own; the bar owns it.
    static void install(QMenuBar *bar);

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;

private:
    explicit MenuBarStyle(QStyle *base);
};
