// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control.h"

#include <QLineEdit>

// One-line text box of a control array. Change is raised for every change of the text, the
// program's own writes included, and only when the text really differs; KeyPress for each typed
// character (8 for Backspace and Ctrl+H, 13 for Enter, 27 for Esc) before the box handles it;
// LostFocus when the focus moves to another control of the same window (not when the window is
// deactivated or a menu opens). The text never grows past maxLength(), whatever the editing.
class TextBox : public Control<QLineEdit>
{
    Q_OBJECT

public:
    explicit TextBox(int index, QWidget *parent = nullptr);

    QString Text() const { return text(); }
    // Writes the text and shows it from its start, as a display box should.
    void SetText(const QString &text);

    // A secret box keeps its text inside the program: no copy or cut, no export to the X11
    // primary selection, and input methods are told the text is sensitive. Pasting in works.
    void SetSecret(bool secret);

    // The character code the key event would deliver, or 0 for keys that deliver none.
    static int keyAsciiFor(const QKeyEvent &event);
    // Alt or Meta with a printable key is a command for the window, never typing; so is
    // Ctrl+Alt, except where Ctrl+Alt stands for AltGr (ctrlAltIsAltGr(): Windows).
    static bool isCommandChord(const QKeyEvent &event);
    static bool isCommandChord(Qt::KeyboardModifiers modifiers, const QString &text, bool ctrlAltIsAltGr);
    static bool ctrlAltIsAltGr();

Q_SIGNALS:
    void Change(int index);
    // A handler may set keyAscii to 0 to swallow the key.
    void KeyPress(int index, int &keyAscii);
    void LostFocus(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void onTextChanged(const QString &text);
    void dropSelectionExport();

    int m_index;
    bool m_secret = false;
    QString m_lastText;
};

// Drops unpaired UTF-16 surrogates, such as the half of an emoji left by cutting a paste to
// the length limit, so that a text box never holds a broken character.
QString withoutLoneSurrogates(const QString &text, int *cursor = nullptr);
