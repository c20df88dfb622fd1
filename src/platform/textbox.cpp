#include "platform/textbox.h"

#include <QApplication>
#include <QKeyEvent>
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

class WholeCharacterValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        input = withoutLoneSurrogates(input, &pos);
        return Acceptable;
    }
};

} // namespace

TextBox::TextBox(int index, QWidget *parent) : Control<QLineEdit>(parent), m_index(index)
{
    setValidator(new WholeCharacterValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this] { Q_EMIT Change(m_index); });
}

void TextBox::SetText(const QString &text)
{
    setText(text);
}

int TextBox::keyAsciiFor(const QKeyEvent &event)
{
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    switch (event.key()) {
    case Qt::Key_Backspace:
        return control ? 127 : 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    const char16_t first = text.at(0).unicode();
    if (first < 0x20 || first == 0x7F)
        return 0;
    return first;
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
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
