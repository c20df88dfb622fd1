// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "textbox.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

class TestTextBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changeFollowsEveryRealChange();
    void pasteIsCutToTheLimit_data();
    void pasteIsCutToTheLimit();
    void loneSurrogatesAreDropped_data();
    void loneSurrogatesAreDropped();
    void keyPressCodes_data();
    void keyPressCodes();
    void keyPressCanSwallowTheKey();
    void lostFocusOnlyForAnotherControl();
    void refusedInputIsNoChange_data();
    void refusedInputIsNoChange();
    void commandChordsTypeNothing_data();
    void commandChordsTypeNothing();
    void secretTextStaysInside_data();
    void secretTextStaysInside();
    void writtenTextShowsFromItsStart();
};

void TestTextBox::changeFollowsEveryRealChange()
{
    TextBox box(1);
    QSignalSpy changes(&box, &TextBox::Change);
    box.SetText(QStringLiteral("abc"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.last().at(0).toInt(), 1);
    box.SetText(QStringLiteral("abc")); // same text: no change
    QCOMPARE(changes.count(), 1);
    box.selectAll();
    box.cut();
    QCOMPARE(changes.count(), 2);
    box.undo();
    QCOMPARE(changes.count(), 3);
    QCOMPARE(box.Text(), QStringLiteral("abc"));
    QApplication::clipboard()->setText(QStringLiteral("xy"));
    box.end(false);
    box.paste();
    QCOMPARE(changes.count(), 4);
    QCOMPARE(box.Text(), QStringLiteral("abcxy"));
}

void TestTextBox::pasteIsCutToTheLimit_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    const QString twenty = QStringLiteral("abcdefghijklmnopqrst");
    QTest::newRow("fits") << QStringLiteral("ab") << QStringLiteral("cd") << QStringLiteral("abcd");
    QTest::newRow("longer than the room")
        << twenty << QStringLiteral("123456789") << twenty + QStringLiteral("1234");
    QTest::newRow("long paste into empty") << QString() << twenty + twenty << twenty + QStringLiteral("abcd");
    // 23 units leave room for one: the emoji would be cut in half, so it is not inserted.
    QTest::newRow("emoji at the cut")
        << twenty + QStringLiteral("abc") << QStringLiteral("\U0001F600") << twenty + QStringLiteral("abc");
    QTest::newRow("emoji before the cut")
        << twenty + QStringLiteral("a") << QStringLiteral("x\U0001F600\U0001F600")
        << twenty + QStringLiteral("ax\U0001F600");
}

void TestTextBox::pasteIsCutToTheLimit()
{
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    TextBox box(0);
    box.setMaxLength(24);
    box.SetText(before);
    box.end(false);
    QApplication::clipboard()->setText(clipboard);
    box.paste();
    QCOMPARE(box.Text(), after);
    QVERIFY(box.Text().size() <= 24);
}

void TestTextBox::loneSurrogatesAreDropped_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("newCursor");
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    QTest::newRow("whole pair kept") << QStringLiteral("a\U0001F600b") << 3 << QStringLiteral("a\U0001F600b")
                                     << 3;
    QTest::newRow("trailing high") << QStringLiteral("ab") + high << 3 << QStringLiteral("ab") << 2;
    QTest::newRow("leading low") << QString(low) + QStringLiteral("ab") << 3 << QStringLiteral("ab") << 2;
    QTest::newRow("swapped halves") << QString(low) + high << 0 << QString() << 0;
    QTest::newRow("plain") << QStringLiteral("abc") << 1 << QStringLiteral("abc") << 1;
}

void TestTextBox::loneSurrogatesAreDropped()
{
    QFETCH(QString, input);
    QFETCH(int, cursor);
    QFETCH(QString, output);
    QFETCH(int, newCursor);
    QCOMPARE(withoutLoneSurrogates(input, &cursor), output);
    QCOMPARE(cursor, newCursor);
}

void TestTextBox::keyPressCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("code");
    QTest::newRow("letter") << int(Qt::Key_A) << QStringLiteral("a") << 0 << 97;
    QTest::newRow("umlaut") << int(Qt::Key_Adiaeresis) << QStringLiteral("\u00e4") << 0 << 0xE4;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << QStringLiteral("\b") << 0 << 8;
    QTest::newRow("ctrl+backspace") << int(Qt::Key_Backspace) << QString() << int(Qt::ControlModifier) << 127;
    QTest::newRow("enter") << int(Qt::Key_Return) << QStringLiteral("\r") << 0 << 13;
    QTest::newRow("escape") << int(Qt::Key_Escape) << QStringLiteral("\x1b") << 0 << 27;
    QTest::newRow("delete gives none") << int(Qt::Key_Delete) << QStringLiteral("\x7f") << 0 << 0;
    QTest::newRow("arrow gives none") << int(Qt::Key_Left) << QString() << 0 << 0;
    QTest::newRow("ctrl+h is backspace")
        << int(Qt::Key_H) << QStringLiteral("\b") << int(Qt::ControlModifier) << 8;
    QTest::newRow("ctrl+h without text") << int(Qt::Key_H) << QString() << int(Qt::ControlModifier) << 8;
    QTest::newRow("ctrl+a gives none")
        << int(Qt::Key_A) << QStringLiteral("\x01") << int(Qt::ControlModifier) << 0;
}

void TestTextBox::keyPressCodes()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(TextBox::keyAsciiFor(event), code);
}

void TestTextBox::keyPressCanSwallowTheKey()
{
    TextBox box(0);
    std::vector<int> seen;
    connect(&box, &TextBox::KeyPress, &box, [&seen](int, int &keyAscii) {
        seen.push_back(keyAscii);
        if (keyAscii == 'x')
            keyAscii = 0;
    });
    QTest::keyClicks(&box, QStringLiteral("axb"));
    QCOMPARE(box.Text(), QStringLiteral("ab"));
    QCOMPARE(seen, (std::vector<int>{'a', 'x', 'b'}));
}

void TestTextBox::lostFocusOnlyForAnotherControl()
{
    QWidget window;
    auto *box = new TextBox(1, &window);
    auto *other = new TextBox(0, &window);
    other->move(0, 40);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus(Qt::OtherFocusReason);
    QSignalSpy lost(box, &TextBox::LostFocus);

    // Window deactivation and a popup take the focus away without another control taking it.
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(box, &deactivated);
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(box, &popup);
    QCOMPARE(lost.count(), 0);

    other->setFocus(Qt::TabFocusReason);
    QCOMPARE(lost.count(), 1);
    QCOMPARE(lost.first().at(0).toInt(), 1);
}

void TestTextBox::refusedInputIsNoChange_data()
{
    QTest::addColumn<bool>("paste");
    QTest::newRow("typed emoji") << false;
    QTest::newRow("pasted emoji") << true;
}

void TestTextBox::refusedInputIsNoChange()
{
    QFETCH(bool, paste);
    TextBox box(0);
    box.setMaxLength(24);
    const QString full = QStringLiteral("abcdefghijklmnopqrstuvw"); // 23 units: no room for a pair
    box.SetText(full);
    box.end(false);
    QSignalSpy changes(&box, &TextBox::Change);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (paste) {
            QApplication::clipboard()->setText(QStringLiteral("\U0001F600"));
            box.paste();
        } else {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\U0001F600"));
            QApplication::sendEvent(&box, &press);
        }
    }
    QCOMPARE(box.Text(), full);
    QCOMPARE(changes.count(), 0);
}

void TestTextBox::commandChordsTypeNothing_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typesOnWindows");
    QTest::addColumn<bool>("typesElsewhere");
    QTest::newRow("alt+a") << int(Qt::AltModifier) << "a" << false << false;
    QTest::newRow("meta+a") << int(Qt::MetaModifier) << "a" << false << false;
    QTest::newRow("alt+shift+a") << int(Qt::AltModifier | Qt::ShiftModifier) << "A" << false << false;
    // Windows reports AltGr as Ctrl+Alt; X11 and Wayland have a modifier of their own for it.
    QTest::newRow("ctrl+alt+a") << int(Qt::ControlModifier | Qt::AltModifier) << "a" << true << false;
    QTest::newRow("ctrl+alt+umlaut") << int(Qt::ControlModifier | Qt::AltModifier) << "\u00e4" << true
                                     << false;
    QTest::newRow("ctrl+alt+q gives @") << int(Qt::ControlModifier | Qt::AltModifier) << "@" << true << false;
    QTest::newRow("ctrl+meta+a") << int(Qt::ControlModifier | Qt::MetaModifier) << "a" << false << false;
    QTest::newRow("altgr+q gives @") << int(Qt::GroupSwitchModifier) << "@" << true << true;
    QTest::newRow("shift+a") << int(Qt::ShiftModifier) << "A" << true << true;
    QTest::newRow("umlaut") << int(Qt::NoModifier) << "\u00e4" << true << true;
}

void TestTextBox::commandChordsTypeNothing()
{
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, typesOnWindows);
    QFETCH(bool, typesElsewhere);
    // Both rules are checked everywhere; the key event goes through this platform's.
    for (const bool windows : {true, false})
        QCOMPARE(!TextBox::isCommandChord(Qt::KeyboardModifiers(modifiers), text, windows),
                 windows ? typesOnWindows : typesElsewhere);

    const bool types = TextBox::ctrlAltIsAltGr() ? typesOnWindows : typesElsewhere;
    TextBox box(0);
    QSignalSpy changes(&box, &TextBox::Change);
    int presses = 0;
    connect(&box, &TextBox::KeyPress, &box, [&presses](int, int &) { ++presses; });
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(&box, &press);
    QCOMPARE(box.Text(), types ? text : QString());
    QCOMPARE(changes.count(), types ? 1 : 0);
    QCOMPARE(presses, types ? 1 : 0);
}

void TestTextBox::secretTextStaysInside_data()
{
    QTest::addColumn<bool>("secret");
    QTest::newRow("password field") << true;
    QTest::newRow("display box") << false;
}

void TestTextBox::secretTextStaysInside()
{
    QFETCH(bool, secret);
    QWidget window;
    auto *box = new TextBox(0, &window);
    box->SetSecret(secret);
    window.show();
    box->setFocus();
    const Qt::InputMethodHints sensitive =
        Qt::ImhSensitiveData | Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase;
    QCOMPARE((box->inputMethodHints() & sensitive) == sensitive, secret);
    // Input methods such as ibus would stop composing dead keys for a hidden text.
    QVERIFY(!(box->inputMethodHints() & Qt::ImhHiddenText));

    const QString marker = QStringLiteral("vorher");
    box->SetText(QStringLiteral("geheim"));
    for (const auto chord : {QKeySequence::Copy, QKeySequence::Cut}) {
        QApplication::clipboard()->setText(marker);
        box->selectAll();
        QTest::keySequence(box, QKeySequence(chord));
        QCOMPARE(QApplication::clipboard()->text() == marker, secret);
        QCOMPARE(box->Text() == QStringLiteral("geheim"), secret || chord == QKeySequence::Copy);
        box->SetText(QStringLiteral("geheim"));
    }

    // The context menu of a password field offers pasting, not copying.
    box->selectAll();
    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &menuEvent);
    QMenu *menu = nullptr;
    QTRY_VERIFY((menu = box->findChild<QMenu *>()) != nullptr);
    QStringList enabled;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions) {
        if (action->isEnabled() && !action->isSeparator())
            enabled << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    }
    menu->close();
    QCOMPARE(enabled.contains(QStringLiteral("Copy")), !secret);
    QCOMPARE(enabled.contains(QStringLiteral("Cut")), !secret);
    QVERIFY(enabled.contains(QStringLiteral("Paste")));
}

void TestTextBox::writtenTextShowsFromItsStart()
{
    TextBox box(0);
    box.resize(60, 25);
    box.show();
    QString code;
    for (int digit = 0; digit < 23; ++digit) {
        code += digit % 3 == 0 ? QLatin1Char('1') : QLatin1Char('0');
        box.SetText(code);
    }
    QCOMPARE(box.cursorPosition(), 0);
    // Scrolled to its start: the caret sits at the box's left margin, not left of it.
    const int caretLeft = box.inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    QVERIFY2(caretLeft > -5 && caretLeft < 10, qPrintable(QString::number(caretLeft)));
}

QTEST_MAIN(TestTextBox)
#include "tst_textbox.moc"
