// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>
#include <QMainWindow>
#include <QMarginsF>

#include <functional>
#include <optional>

class QMenu;

// A form: a top-level window of fixed size whose controls sit on its client area, with a menu
// bar, placed and measured in twips by its outer size, frame included, as users see it.
class Form : public QMainWindow
{
    Q_OBJECT

public:
    // Tells the frame the window system is about to put around a window, in device-independent
    // pixels, before the window is first shown. Without one a form goes by the frame Qt knows,
    // which on some platforms is none until the window is shown.
    using FrameSource = std::function<QMarginsF(QWidget *window)>;

    explicit Form(FrameSource frameSource = {}, QWidget *parent = nullptr);
    ~Form() override;

    // The area below the menu bar on which the controls are placed.
    QWidget *Client() const { return m_client; }

    // Outer size in twips, the window manager's frame included; before the form is shown, with
    // the frame it is about to get.
    double Width() const;
    double Height() const;
    // Puts the frame's top-left corner at (left, top) twips from the primary screen's top-left
    // corner; before the form is shown, by the frame it is about to get.
    void Move(double left, double top);
    // Only the program changes the form's size: the client area gets this size in twips, the
    // window that plus the menu bar.
    void SetClientSize(double width, double height);

    // A menu on the form's menu bar. While a tap on Alt has given the bar the keyboard, its
    // title is drawn highlighted.
    QMenu *AddMenu(const QString &caption);

    // The form's font: Verdana where it is installed, else a proportional sans-serif face that
    // Debian, Windows and the browser commonly have, never a monospace one.
    static QFont Font(double pointSize, bool bold);

    // The form's colour, as the desktop's palette has it.
    QColor BackColor() const;
    // A colour the design fixed, such as the verdict's green, drawn on `background`: exactly
    // as designed on a light one, lightened (hue kept) on a dark one until it reads as text.
    static QColor DesignColourOn(const QColor &background, const QColor &design);

private:
    QMarginsF expectedFrame() const;
    // The part of the frame Qt does not know yet: all of it before the window is first framed.
    QMarginsF frameQtLacks() const;

    QWidget *m_client = nullptr;
    FrameSource m_frameSource;
    // Asked for once, the first time the size is needed before the form is shown.
    mutable std::optional<QMarginsF> m_expectedFrame;
};
