// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/keyboardwarmup.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestKeyboardWarmUp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void preparingTheComposeContextTypesNothing();
};

void TestKeyboardWarmUp::preparingTheComposeContextTypesNothing()
{
    QLineEdit field;
    field.setText(QStringLiteral("ab"));
    field.show();
    field.activateWindow();
    field.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&field));
    QSignalSpy edits(&field, &QLineEdit::textEdited);

    // This run asks for Qt's compose context (QT_IM_MODULE=compose): it is prepared.
    QVERIFY(KeyboardWarmUp::prepareInputContext());
    QCoreApplication::processEvents();
    QCOMPARE(field.text(), QStringLiteral("ab"));
    QCOMPARE(edits.count(), 0);
}

QTEST_MAIN(TestKeyboardWarmUp)

#include "tst_keyboardwarmup.moc"
