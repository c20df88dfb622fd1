// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMarginsF>

class QWidget;

// The window manager's frame around a top-level window. Qt learns it only after the window is
// mapped; a window that must be placed by its outer size before it is shown asks for it here.
class WindowFrame
{
public:
    // The frame the window will get, in device-independent pixels: on X11 the window manager
    // is asked for its extents (_NET_REQUEST_FRAME_EXTENTS, in device pixels) before the
    // window is mapped; elsewhere, or without an answer within a short wait, Qt's own frame
    // margins (zero for a window not yet framed). Fractions are kept for scale factors such
    // as 1.5, so that the position is rounded once, at the end.
    static QMarginsF expectedMargins(QWidget *window);

    // Repaints every control of the window when its frame changes while it is shown. Qt 6.4 on
    // Wayland leaves widgets transparent when the compositor hands the title bar to Qt after the
    // first frame (a plain Qt window shows it too), until each of them is painted again.
    static void repaintWhenFrameChanges(QWidget *window);

    // Ends the application when another X client destroys the window (as xdotool windowclose
    // does): the window is gone, and a process without it must not keep the password.
    static void quitWhenDestroyedOutside(QWidget *window);
};
