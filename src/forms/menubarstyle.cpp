// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "menubarstyle.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

MenuBarStyle::MenuBarStyle(QStyle *base) : QProxyStyle(base)
{
}

void MenuBarStyle::install(QMenuBar *bar)
{
    // A fresh instance of the style the application uses (-style included): a proxy without a
    // base would take the desktop's default instead.
    QStyle *base = QStyleFactory::create(QApplication::style()->name());
    if (!base)
        return;
    auto *style = new MenuBarStyle(base);
    style->setParent(bar);
    bar->setStyle(style);
}

void MenuBarStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                               const QWidget *widget) const
{
    // Keyboard mode: the bar itself has the focus and names its current title as selected.
    // (Under the mouse the focus stays in the field.) Drawn as an open title is drawn.
    if (element == CE_MenuBarItem && widget && widget->hasFocus() && (option->state & State_Selected)) {
        if (const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option)) {
            QStyleOptionMenuItem highlighted(*item);
            highlighted.state |= State_Sunken;
            QProxyStyle::drawControl(element, &highlighted, painter, widget);
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
