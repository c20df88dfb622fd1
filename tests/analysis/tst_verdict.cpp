// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "verdict.h"

#include <QTest>

class TestVerdict : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void comparison_data();
    void comparison();
    void placement_data();
    void placement();
};

void TestVerdict::comparison_data()
{
    QTest::addColumn<QString>("password0");
    QTest::addColumn<QString>("password1");
    QTest::addColumn<QString>("code0");
    QTest::addColumn<QString>("code1");
    QTest::addColumn<bool>("success");
    const QString code = QStringLiteral("0101");
    QTest::newRow("same text, same rhythm")
        << QStringLiteral("geheim") << QStringLiteral("geheim") << code << code << true;
    QTest::newRow("other rhythm") << QStringLiteral("geheim") << QStringLiteral("geheim") << code
                                  << QStringLiteral("0100") << false;
    QTest::newRow("code of other length")
        << QStringLiteral("geheim") << QStringLiteral("geheim") << code << QStringLiteral("01010") << false;
    QTest::newRow("letter case") << QStringLiteral("Geheim") << QStringLiteral("geheim") << code << code
                                 << false;
    QTest::newRow("trailing space not trimmed")
        << QStringLiteral("geheim ") << QStringLiteral("geheim") << code << code << false;
    // U+00E9 against e + U+0301: the same letter to a reader, other code units.
    QTest::newRow("not normalised") << QStringLiteral("caf\u00e9!") << QStringLiteral("cafe\u0301!") << code
                                    << code << false;
    QTest::newRow("both empty") << QString() << QString() << QString() << QString() << true;
}

void TestVerdict::comparison()
{
    QFETCH(QString, password0);
    QFETCH(QString, password1);
    QFETCH(QString, code0);
    QFETCH(QString, code1);
    QFETCH(bool, success);
    QCOMPARE(loginSucceeds(password0.toStdU16String(), password1.toStdU16String(), code0.toStdString(),
                           code1.toStdString()),
             success);
}

void TestVerdict::placement_data()
{
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("textWidth");
    QTest::addColumn<float>("textHeight");
    QTest::addColumn<float>("right");
    QTest::addColumn<float>("bottom");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::newRow("verdict box") << 137.0f << 25.0f << 99.0f << 16.0f << 135.0f << 23.0f << 19.0f << 3.5f;
    QTest::newRow("text wider than box")
        << 50.0f << 10.0f << 80.0f << 14.0f << 48.0f << 8.0f << -15.0f << -3.0f;
}

void TestVerdict::placement()
{
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(float, textWidth);
    QFETCH(float, textHeight);
    QFETCH(float, right);
    QFETCH(float, bottom);
    QFETCH(float, x);
    QFETCH(float, y);
    const VerdictPlacement p = verdictPlacement(width, height, textWidth, textHeight);
    QCOMPARE(p.frameLeft, 0.0f);
    QCOMPARE(p.frameTop, 0.0f);
    QCOMPARE(p.frameRight, right);
    QCOMPARE(p.frameBottom, bottom);
    QCOMPARE(p.textX, x);
    QCOMPARE(p.textY, y);
}

QTEST_APPLESS_MAIN(TestVerdict)
#include "tst_verdict.moc"
