// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// Run once on the system's fonts and once where fontconfig sees only fonts-liberation, whose
// best match for a missing Verdana is Liberation Mono.

#include "formharness.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>

class TestFonts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlIsSetInAProportionalFace();
};

void TestFonts::everyControlIsSetInAProportionalFace()
{
    // Qt's offscreen platform on Windows has no font database to choose from.
    if (QFontDatabase::families().isEmpty())
        QSKIP("this platform plugin lists no fonts");
    FormHarness h;
    const QString expected = qEnvironmentVariable("TAKTLOGIN_EXPECTED_FAMILY");
    const QList<QWidget *> controls =
        h.form->centralWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *control : controls) {
        const QFontInfo info(control->font());
        QVERIFY2(!info.fixedPitch(),
                 qPrintable(control->objectName() + QStringLiteral(": ") + info.family()));
        if (!expected.isEmpty())
            QCOMPARE(info.family(), expected);
    }
    // The captions are as wide as designed for a proportional face: the longest fits its label.
    auto *caption = h.control<QLabel>("lblBezeichnung(1)");
    QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->width(),
             qPrintable(QFontInfo(caption->font()).family()));
}

QTEST_MAIN(TestFonts)

#include "tst_fonts.moc"
