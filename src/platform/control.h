// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/twips.h"

#include <QWidget>

// The placement and visibility every control of the form offers, in twips.
template <class Widget> class Control : public Widget
{
public:
    using Widget::Widget;

    void Place(int left, int top, int width, int height)
    {
        this->setGeometry(Twips::toPixels(left), Twips::toPixels(top), Twips::toPixels(width),
                          Twips::toPixels(height));
    }

    int Top() const { return static_cast<int>(Twips::fromPixels(this->y())); }
    void SetTop(int top) { this->move(this->x(), Twips::toPixels(top)); }

    // The control's own setting, whether or not its window is on screen.
    bool Visible() const { return !this->isHidden(); }
    void SetVisible(bool visible) { this->setVisible(visible); }
};
