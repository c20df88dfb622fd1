// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

// Qt's compose input context reads its tables on the first key press, which would make the
// first keystroke reach a field milliseconds late and shorten its interval. It accepts a key
// only while a focus object exists, so as soon as the window is first activated (before a
// user's key can reach it) it is given one: on X11 a Shift key tap sent to the window, on
// Wayland, where a client cannot send itself keys, a Shift press handed to the context.
class KeyboardWarmUp : public QObject
{
    Q_OBJECT

public:
    static void prepareOnFirstActivation(QWidget *window);

    // Hands the platform's compose context a Shift press, so that it reads its tables now.
    // False where there is none, or the context is an input method of its own (ibus).
    static bool prepareInputContext();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit KeyboardWarmUp(QWidget *window);
    static void tapShift(QWidget *window);
};
