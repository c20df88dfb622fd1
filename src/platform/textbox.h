#pragma once

#include "platform/control.h"

#include <QLineEdit>

// One-line text box of a control array. Change is raised for every change of the text, the
// program's own writes included; KeyPress for each typed character (8 for Backspace, 13 for
// Enter, 27 for Esc) before the box handles it; LostFocus when the focus moves to another
// control of the same window (not when the window is deactivated or a menu opens).
class TextBox : public Control<QLineEdit>
{
    Q_OBJECT

public:
    explicit TextBox(int index, QWidget *parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString &text);

    // The character code the key event would deliver, or 0 for keys that deliver none.
    static int keyAsciiFor(const QKeyEvent &event);

Q_SIGNALS:
    void Change(int index);
    // A handler may set keyAscii to 0 to swallow the key.
    void KeyPress(int index, int &keyAscii);
    void LostFocus(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_index;
};

// Drops unpaired UTF-16 surrogates, such as the half of an emoji left by cutting a paste to
// the length limit, so that a text box never holds a broken character.
QString withoutLoneSurrogates(const QString &text, int *cursor = nullptr);
