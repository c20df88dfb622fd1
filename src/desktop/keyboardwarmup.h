// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

// Qt's compose input context reads its tables on the first key press, which would make the
// first keystroke reach a field milliseconds late and shorten its interval. It accepts a key
// only while a focus object exists, so as soon as the window is first activated (before a
// user's key can reach it) the window is sent a Shift key tap. Only on X11: a Wayland client
// cannot send itself keys, and reaching the context directly would take Qt's private API, for
// at most about 4 ms on the first interval of a session (see BENCHMARKS.md).
class KeyboardWarmUp : public QObject
{
    Q_OBJECT

public:
    static void prepareOnFirstActivation(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit KeyboardWarmUp(QWidget *window);
    static void tapShift(QWidget *window);
};
