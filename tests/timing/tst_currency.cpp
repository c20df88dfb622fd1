// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "currency.h"
#include "numbertext.h"

#include <QTest>

#include <limits>
#include <stdexcept>

class TestCurrency : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void currencyText_data();
    void currencyText();
    void doubleText_data();
    void doubleText();
    void subtractionIsExact();
    void subtractionOverflowThrows();
    void toDouble_data();
    void toDouble();
    void fromDoubleRoundsHalfToEven_data();
    void fromDoubleRoundsHalfToEven();
    void fromDoubleRejectsWhatDoesNotFit_data();
    void fromDoubleRejectsWhatDoesNotFit();
};

void TestCurrency::currencyText_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");

    const QString dot = QStringLiteral(".");
    const QString comma = QStringLiteral(",");
    QTest::newRow("whole") << qint64(1'500'000) << dot << QStringLiteral("150");
    QTest::newRow("12345 ticks") << qint64(12345) << dot << QStringLiteral("1.2345");
    QTest::newRow("12345 ticks, German") << qint64(12345) << comma << QStringLiteral("1,2345");
    QTest::newRow("negative") << qint64(-35'000) << dot << QStringLiteral("-3.5");
    QTest::newRow("negative, German") << qint64(-35'000) << comma << QStringLiteral("-3,5");
    QTest::newRow("negative below one") << qint64(-1) << dot << QStringLiteral("-0.0001");
    QTest::newRow("zero") << qint64(0) << comma << QStringLiteral("0");
    QTest::newRow("leading fraction zeros") << qint64(10) << dot << QStringLiteral("0.001");
    QTest::newRow("no grouping") << qint64(12'345'678'0000) << comma << QStringLiteral("12345678");
    QTest::newRow("large stamp") << qint64(1'234'567'890'123'456'789) << dot
                                 << QStringLiteral("123456789012345.6789");
    QTest::newRow("largest") << std::numeric_limits<qint64>::max() << dot
                             << QStringLiteral("922337203685477.5807");
    QTest::newRow("smallest") << std::numeric_limits<qint64>::min() << comma
                              << QStringLiteral("-922337203685477,5808");
}

void TestCurrency::currencyText()
{
    QFETCH(qint64, raw);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(::currencyText(Currency::fromRaw(raw), separator.toStdString())),
             expected);
}

void TestCurrency::doubleText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");

    const QString dot = QStringLiteral(".");
    const QString comma = QStringLiteral(",");
    QTest::newRow("whole") << 200.0 << dot << QStringLiteral("200");
    QTest::newRow("one decimal") << 150.5 << dot << QStringLiteral("150.5");
    QTest::newRow("one decimal, German") << 150.5 << comma << QStringLiteral("150,5");
    QTest::newRow("five decimals") << 1234.56785 << dot << QStringLiteral("1234.56785");
    QTest::newRow("needs 17 digits, shown with 15") << 0.1 + 0.2 << dot << QStringLiteral("0.3");
    QTest::newRow("zero") << 0.0 << dot << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << dot << QStringLiteral("0");
    QTest::newRow("negative") << -3.5 << dot << QStringLiteral("-3.5");
    QTest::newRow("fifteen digits") << 123456789012345.0 << dot << QStringLiteral("123456789012345");
    QTest::newRow("stamp-sized with fraction") << 100000.00005 << dot << QStringLiteral("100000.00005");
    QTest::newRow("smallest threshold") << 0.0001 << comma << QStringLiteral("0,0001");
    QTest::newRow("round number, no grouping") << 1e9 << dot << QStringLiteral("1000000000");
    QTest::newRow("exponent above") << 1e15 << dot << QStringLiteral("1E+15");
    QTest::newRow("exponent above with digits") << 2.5e16 << comma << QStringLiteral("2,5E+16");
    QTest::newRow("exponent below") << 1e-6 << dot << QStringLiteral("1E-06");
}

void TestCurrency::doubleText()
{
    QFETCH(double, value);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(::doubleText(value, separator.toStdString())), expected);
}

void TestCurrency::subtractionIsExact()
{
    // Stamps far beyond double's exact integers still subtract to the exact difference.
    const Currency later = Currency::fromRaw(9'000'000'000'000'012'345);
    const Currency earlier = Currency::fromRaw(9'000'000'000'000'000'000);
    QCOMPARE((later - earlier).raw(), qint64(12345));
    QCOMPARE((earlier - later).raw(), qint64(-12345));
    QCOMPARE((later - earlier).toDouble(), 1.2345);
}

void TestCurrency::subtractionOverflowThrows()
{
    const Currency most = Currency::fromRaw(std::numeric_limits<qint64>::max());
    const Currency least = Currency::fromRaw(std::numeric_limits<qint64>::min());
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, most - Currency::fromRaw(-1));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, least - Currency::fromRaw(1));
    QCOMPARE((least - least).raw(), qint64(0));
}

void TestCurrency::toDouble_data()
{
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<double>("expected");
    QTest::addColumn<float>("expectedSingle");
    QTest::newRow("150 ms") << qint64(1'500'000) << 150.0 << 150.0f;
    QTest::newRow("fraction") << qint64(12345) << 1.2345 << 1.2345f;
    QTest::newRow("negative") << qint64(-5000) << -0.5 << -0.5f;
    QTest::newRow("beyond 2^53") << qint64(90'071'992'547'409'930) << 9'007'199'254'740.993 << 9.0071993e12f;
}

void TestCurrency::toDouble()
{
    QFETCH(qint64, raw);
    QFETCH(double, expected);
    QFETCH(float, expectedSingle);
    QCOMPARE(Currency::fromRaw(raw).toDouble(), expected);
    QCOMPARE(Currency::fromRaw(raw).toSingle(), expectedSingle);
}

void TestCurrency::fromDoubleRoundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("raw");
    // 1/32 and 3/32 are exact in binary, so their fifth decimal is an exact half.
    QTest::newRow("exact") << 1.25 << qint64(12500);
    QTest::newRow("half down to even") << 0.03125 << qint64(312);
    QTest::newRow("half up to even") << 0.09375 << qint64(938);
    QTest::newRow("negative half to even") << -0.03125 << qint64(-312);
    QTest::newRow("below half") << 0.00004 << qint64(0);
    QTest::newRow("threshold 200") << 200.0 << qint64(2'000'000);
}

void TestCurrency::fromDoubleRoundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(qint64, raw);
    QCOMPARE(Currency::fromDouble(value).raw(), raw);
}

void TestCurrency::fromDoubleRejectsWhatDoesNotFit_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
    QTest::newRow("too large") << 1e15;
    QTest::newRow("too small") << -1e15;
}

void TestCurrency::fromDoubleRejectsWhatDoesNotFit()
{
    QFETCH(double, value);
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, Currency::fromDouble(value));
}

QTEST_APPLESS_MAIN(TestCurrency)
#include "tst_currency.moc"
