// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "contrast.h"
#include "twips.h"

#include <QApplication>
#include <QEvent>
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

    void SetTop(int top) { this->move(this->x(), Twips::toPixels(top)); }

    void SetVisible(bool visible) { this->setVisible(visible); }

    // A background fixed by the program behind the control's text (text boxes, lists). The
    // text keeps the desktop's colour where that reads on it; where it would not (a dark
    // palette's light text on pale yellow) it takes one that does, also after the desktop's
    // palette changes.
    void SetBackColor(const QColor &colour)
    {
        m_fixedBackColor = colour;
        applyFixedBackColor();
    }

protected:
    void changeEvent(QEvent *event) override
    {
        Widget::changeEvent(event);
        if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
            applyFixedBackColor();
    }

private:
    void applyFixedBackColor()
    {
        if (!m_fixedBackColor.isValid())
            return;
        const QColor desktopText = QApplication::palette(this).color(QPalette::Text);
        const QColor text =
            Contrast::readableOn(m_fixedBackColor, desktopText, Contrast::Text, Contrast::ClearText);
        QPalette palette = this->palette();
        // Setting the palette raises PaletteChange again; the second time nothing differs.
        if (palette.color(QPalette::Base) == m_fixedBackColor && palette.color(QPalette::Text) == text)
            return;
        palette.setColor(QPalette::Base, m_fixedBackColor);
        palette.setColor(QPalette::Text, text);
        this->setPalette(palette);
    }

    QColor m_fixedBackColor;
};
