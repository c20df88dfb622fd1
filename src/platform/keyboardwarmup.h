// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QWidget;

// Qt's X11 compose input context reads its tables on the first key press, which would make
// the first keystroke reach a field milliseconds late and shorten its interval. It accepts a
// key only while a focus object exists, so as soon as the window is first activated (before a
// user's key can reach it) a Shift key tap is sent to the window to get that done.
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
