// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textbox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QValidator>

QString withoutLoneSurrogates(const QString &text, int *cursor)
{
    QString result;
    result.reserve(text.size());
    const int originalCursor = cursor ? *cursor : 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            result += ch;
            result += text.at(++i);
        } else if (ch.isSurrogate()) {
            if (cursor && i < originalCursor)
                --*cursor;
        } else {
            result += ch;
        }
    }
    return result;
}

namespace {

// Drops broken surrogate halves and refuses any edit that would make the text longer than the
// box's limit; QLineEdit then keeps the text it had. Qt's own limit is not enough: a caret put
// past the end of mixed-direction text inserts a padding space beyond it.
class WholeCharacterValidator final : public QValidator
{
public:
    explicit WholeCharacterValidator(QLineEdit *box) : QValidator(box), m_box(box) {}

    State validate(QString &input, int &pos) const override
    {
        input = withoutLoneSurrogates(input, &pos);
        return input.size() > m_box->maxLength() ? Invalid : Acceptable;
    }

private:
    const QLineEdit *m_box;
};

} // namespace

TextBox::TextBox(int index, QWidget *parent) : Control<QLineEdit>(parent), m_index(index)
{
    setValidator(new WholeCharacterValidator(this));
    connect(this, &QLineEdit::textChanged, this, &TextBox::onTextChanged);
}

void TextBox::onTextChanged(const QString &text)
{
    // A refused character makes the validator write the unchanged text back.
    if (text == m_lastText)
        return;
    m_lastText = text;
    Q_EMIT Change(m_index);
}

void TextBox::SetText(const QString &text)
{
    setText(text);
    setCursorPosition(0);
}

void TextBox::SetSecret(bool secret)
{
    m_secret = secret;
    setDragEnabled(false);
    // Not ImhHiddenText: the box shows its text anyway, and with it Qt's ibus context passes
    // keys by uncomposed, so dead keys and Compose sequences would type nothing right.
    const Qt::InputMethodHints sensitive =
        Qt::ImhSensitiveData | Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText;
    setInputMethodHints(secret ? inputMethodHints() | sensitive : inputMethodHints() & ~sensitive);
#ifndef QT_NO_CLIPBOARD
    QClipboard *clipboard = QGuiApplication::clipboard();
    disconnect(clipboard, nullptr, this, nullptr);
    if (secret) {
        // QLineEdit offers every selection to other X clients as the primary selection. Taking
        // the offer back before control returns to the event loop means no request is answered.
        connect(clipboard, &QClipboard::selectionChanged, this, &TextBox::dropSelectionExport);
        connect(clipboard, &QClipboard::dataChanged, this, &TextBox::dropSelectionExport);
    }
#endif
}

void TextBox::dropSelectionExport()
{
#ifndef QT_NO_CLIPBOARD
    if (!m_secret || !hasSelectedText())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString selected = selectedText();
    if (clipboard->ownsSelection() && clipboard->text(QClipboard::Selection) == selected)
        clipboard->clear(QClipboard::Selection);
    if (clipboard->ownsClipboard() && clipboard->text(QClipboard::Clipboard) == selected)
        clipboard->clear(QClipboard::Clipboard);
#endif
}

bool TextBox::isCommandChord(const QKeyEvent &event)
{
    return isCommandChord(event.modifiers(), event.text(), ctrlAltIsAltGr());
}

bool TextBox::isCommandChord(Qt::KeyboardModifiers modifiers, const QString &text, bool ctrlAltIsAltGr)
{
    if (!(modifiers & (Qt::AltModifier | Qt::MetaModifier)))
        return false;
    // Windows reports AltGr as Ctrl+Alt, and it types characters such as @ and {. Elsewhere
    // AltGr is a modifier of its own, and Ctrl+Alt with a key is a command.
    if (ctrlAltIsAltGr && (modifiers & Qt::ControlModifier) && (modifiers & Qt::AltModifier))
        return false;
    return !text.isEmpty() && text.at(0).isPrint();
}

bool TextBox::ctrlAltIsAltGr()
{
#ifdef Q_OS_WIN
    return true;
#else
    return false;
#endif
}

int TextBox::keyAsciiFor(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    switch (event.key()) {
    case Qt::Key_Backspace:
        return control ? 127 : 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_H:
        // Ctrl+H is the control character 8, the same as Backspace.
        if (control && !(modifiers & (Qt::AltModifier | Qt::MetaModifier)))
            return 8;
        break;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const char16_t first = text.at(0).unicode();
    if (first == 8)
        return 8;
    if (first < 0x20 || first == 0x7F)
        return 0;
    return first;
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (m_secret && (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut))) {
        event->accept();
        return;
    }
    if (isCommandChord(*event)) {
        event->ignore();
        return;
    }
    int keyAscii = keyAsciiFor(*event);
    if (keyAscii != 0) {
        Q_EMIT KeyPress(m_index, keyAscii);
        if (keyAscii == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (m_secret) {
        // As in Qt's own password fields: the text can be pasted in but not copied out.
        const QString cut = QLineEdit::tr("Cu&t");
        const QString copy = QLineEdit::tr("&Copy");
        const QList<QAction *> actions = menu->actions();
        for (QAction *action : actions) {
            const QString label = action->text().section(QLatin1Char('\t'), 0, 0);
            if (label == cut || label == copy)
                action->setEnabled(false);
        }
    }
    menu->popup(event->globalPos());
}
void TextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    switch (event->reason()) {
    case Qt::ActiveWindowFocusReason:
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        return;
    default:
        break;
    }
    // By now the application already names the widget that takes the focus.
    const QWidget *next = QApplication::focusWidget();
    if (next && next != this && next->window() == window())
        Q_EMIT LostFocus(m_index);
}
