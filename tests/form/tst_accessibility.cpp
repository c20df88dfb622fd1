// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formharness.h"

#include <QAccessible>

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void controlsAreNamedByTheirCaptions_data();
    void controlsAreNamedByTheirCaptions();
    void verdictIsExposedAndAnnounced();
    void chartDescribesBarsAndThreshold();
};

void TestAccessibility::controlsAreNamedByTheirCaptions_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("first field") << QStringLiteral("txtPWD(0)") << QStringLiteral("Passwort eigeben:");
    QTest::newRow("second field") << QStringLiteral("txtPWD(1)") << QStringLiteral("Passwort wiederholen:");
    QTest::newRow("count 0") << QStringLiteral("txtCount(0)")
                             << QStringLiteral("Passwort-L\u00e4nge: (Eingabe)");
    QTest::newRow("count 1") << QStringLiteral("txtCount(1)")
                             << QStringLiteral("Passwort-L\u00e4nge: (Wiederholung)");
    QTest::newRow("threshold 1") << QStringLiteral("txtTakt(1)")
                                 << QStringLiteral("\u00f8-Eingabetakt (ms): (Wiederholung)");
    QTest::newRow("code 0") << QStringLiteral("txtPWDT(0)") << QStringLiteral("Passwort getaktet: (Eingabe)");
    QTest::newRow("first list") << QStringLiteral("lstPWD(0)")
                                << QStringLiteral("Eingabetakt (ms): (Eingabe)");
    QTest::newRow("login") << QStringLiteral("cmdLogin") << QStringLiteral("Login");
    QTest::newRow("cancel") << QStringLiteral("cmdEnd") << QStringLiteral("Abbrechen");
}

void TestAccessibility::controlsAreNamedByTheirCaptions()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    FormHarness h;
    QWidget *widget = h.form->findChild<QWidget *>(control);
    QVERIFY(widget);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void TestAccessibility::verdictIsExposedAndAnnounced()
{
    FormHarness h;
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.typeRhythm(1, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    QAccessibleInterface *verdict = QAccessible::queryAccessibleInterface(h.verdictBox());
    QCOMPARE(verdict->text(QAccessible::Description), QString());
    // The change event itself only reaches an accessibility bus; the end-to-end suite hears it.
    h.login()->click();
    QCOMPARE(verdict->text(QAccessible::Description), QStringLiteral("Login korrekt!"));
    QCOMPARE(verdict->text(QAccessible::Name), QStringLiteral("Anmeldeergebnis"));

    QTest::keyClick(h.field(1), Qt::Key_Backspace);
    QCOMPARE(verdict->text(QAccessible::Description), QString());
}

void TestAccessibility::chartDescribesBarsAndThreshold()
{
    FormHarness h;
    h.form->show();
    h.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
    QAccessibleInterface *chart = QAccessible::queryAccessibleInterface(h.chart(0));
    QCOMPARE(chart->text(QAccessible::Description), QStringLiteral("Keine Balken"));
    h.typeRhythm(0, QStringLiteral("abcd"), {100, 300, 200});
    QCOMPARE(chart->text(QAccessible::Description), QStringLiteral("Balken (ms): 100; 300; 200"));
    QTest::keyClick(h.field(0), Qt::Key_Tab);
    QCOMPARE(chart->text(QAccessible::Description),
             QStringLiteral("Balken (ms): 100; 300; 200. Schwelle (ms): 200"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
