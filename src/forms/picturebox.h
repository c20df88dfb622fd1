// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPointF>

#include <functional>
#include <optional>

// A drawing surface with a user coordinate system. Everything drawn goes at once into a
// backing image at device resolution, so the drawing survives being hidden or covered and
// its memory stays the size of the box however much is drawn.
class PictureBox : public Control<QFrame>
{
    Q_OBJECT

public:
    enum class Border
    {
        None,
        Sunken
    };
    enum class Unit
    {
        Pixel,
        Twip
    }; // the scale until Scale sets one
    enum class Shape
    {
        Line,
        Box
    };

    // What a drawing call did, in user coordinates, for whoever observes the box.
    struct DrawCall
    {
        enum class Kind
        {
            Cls,
            Scale,
            Line,
            Box,
            Print
        };
        Kind kind;
        QPointF from;
        QPointF to;
        QColor colour;
        int width = 0;
        QString text;
    };

    PictureBox(Border border, Unit unit, QWidget *parent = nullptr);

    void Scale(double x1, double y1, double x2, double y2);
    double ScaleLeft() const;
    double ScaleTop() const;
    double ScaleWidth() const;
    double ScaleHeight() const;

    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }
    void SetCurrentX(double x) { m_currentX = x; }
    void SetCurrentY(double y) { m_currentY = y; }

    void SetDrawWidth(int width);
    // Until one is set: the desktop's button-text colour where it reads on the background,
    // else one that does (a dark palette's light text on a pale background).
    QColor ForeColor() const;
    void SetForeColor(const QColor &colour) { m_foreColor = colour; }
    QColor BackColor() const { return m_backColor; }
    void SetBackColor(const QColor &colour);

    // From (x1, y1) to (x2, y2); a box takes them as opposite corners and is not filled.
    // Without a colour it is drawn in ForeColor. Leaves the current position at (x2, y2).
    void Line(double x1, double y1, double x2, double y2, Shape shape = Shape::Line,
              std::optional<QColor> colour = std::nullopt);
    // The text with its top-left corner at the current position, then a new line.
    void Print(const QString &text);
    void Cls();

    double TextWidth(const QString &text) const;
    double TextHeight(const QString &text) const;

    // Logical pixel inside the drawing area for a point in user coordinates.
    QPointF toPixel(double x, double y) const;
    // The drawing as it stands, at device resolution.
    const QImage &image();

    void setDrawObserver(std::function<void(const DrawCall &)> observer) { m_observer = std::move(observer); }

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QSizeF drawingSize() const;
    void ensureImage();
    void notify(DrawCall call) const;
    void updateDefaultForeColor();

    Unit m_unit;
    bool m_userScale = false;
    double m_scaleLeft = 0;
    double m_scaleTop = 0;
    double m_scaleWidth = 1;
    double m_scaleHeight = 1;
    double m_currentX = 0;
    double m_currentY = 0;
    int m_drawWidth = 1;
    std::optional<QColor> m_foreColor;
    QColor m_backColor;
    QColor m_defaultForeColor; // ForeColor() until one is set; follows background and palette
    QImage m_image;
    std::function<void(const DrawCall &)> m_observer;
};
