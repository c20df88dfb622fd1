// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chartgeometry.h"
#include "rhythm.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Stamps = std::array<Currency, RhythmMaxLength + 1>;

// A row whose stamps follow the given intervals (in milliseconds) after a first stamp.
Stamps stampsWithIntervals(const std::vector<double> &intervalsMs, qint64 firstStamp = 1'000'000'000)
{
    Stamps stamps{};
    qint64 stamp = firstStamp;
    stamps[1] = Currency::fromRaw(stamp);
    std::size_t n = 2;
    for (const double ms : intervalsMs) {
        stamp += static_cast<qint64>(std::llround(ms * 10'000));
        stamps.at(n++) = Currency::fromRaw(stamp);
    }
    return stamps;
}

} // namespace

class TestRhythm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void threshold_data();
    void threshold();
    void code_data();
    void code();
    void pasteIntoResetRow();
    void digitComparesAtFourDecimals_data();
    void digitComparesAtFourDecimals();
    void lengthsWithoutSlotAreRefused();
    void keystrokeMark_data();
    void keystrokeMark();
};

void TestRhythm::threshold_data()
{
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<double>("expected");
    QTest::newRow("midpoint") << std::vector<double>{0, 0, 100, 300, 200} << 200.0;
    QTest::newRow("all equal") << std::vector<double>{120, 120, 120} << 120.0;
    QTest::newRow("one value") << std::vector<double>{42.5} << 42.5;
    QTest::newRow("negatives and zeros ignored") << std::vector<double>{-500, 0, 50, 150, -1} << 100.0;
    QTest::newRow("none positive") << std::vector<double>{0, -3, 0} << 0.0;
    QTest::newRow("empty") << std::vector<double>{} << 0.0;
    QTest::newRow("order does not matter") << std::vector<double>{300, 100, 200} << 200.0;
    QTest::newRow("NaN ignored") << std::vector<double>{std::numeric_limits<double>::quiet_NaN(), 10, 30}
                                 << 20.0;
}

void TestRhythm::threshold()
{
    QFETCH(std::vector<double>, values);
    QFETCH(double, expected);
    const double t = RhythmThreshold(values);
    QVERIFY(!std::isnan(t));
    QCOMPARE(t, expected);
}

void TestRhythm::code_data()
{
    QTest::addColumn<std::vector<double>>("intervals");
    QTest::addColumn<double>("expectedThreshold");
    QTest::addColumn<QString>("expectedCode");
    QTest::newRow("100 300 200") << std::vector<double>{100, 300, 200} << 200.0 << QStringLiteral("010");
    QTest::newRow("all equal") << std::vector<double>{120, 120, 120} << 120.0 << QStringLiteral("000");
    QTest::newRow("three characters") << std::vector<double>{60, 400} << 230.0 << QStringLiteral("01");
    QTest::newRow("fractions") << std::vector<double>{1.2345, 1.2347} << 1.2346 << QStringLiteral("01");
    std::vector<double> long23;
    QString code23;
    for (int i = 0; i < 23; ++i) {
        long23.push_back(i % 3 == 0 ? 400 : 80);
        code23 += QLatin1Char(i % 3 == 0 ? '1' : '0');
    }
    QTest::newRow("24 characters") << long23 << 240.0 << code23;
}

void TestRhythm::code()
{
    QFETCH(std::vector<double>, intervals);
    QFETCH(double, expectedThreshold);
    QFETCH(QString, expectedCode);
    const Stamps stamps = stampsWithIntervals(intervals);
    const int length = static_cast<int>(intervals.size()) + 1;
    const double t = RhythmThreshold(rhythmIntervals(stamps, length));
    QCOMPARE(t, expectedThreshold);
    const std::string code = rhythmCode(stamps, length, t);
    QCOMPARE(QString::fromStdString(code), expectedCode);
    QCOMPARE(static_cast<int>(code.size()), length - 1);
}

void TestRhythm::pasteIntoResetRow()
{
    // Four characters pasted at once: only slot 4 is stamped, slots 1 to 3 stay 0.
    Stamps stamps{};
    stamps[4] = Currency::fromRaw(1'234'567'890);
    const auto intervals = rhythmIntervals(stamps, 4);
    QCOMPARE(intervals[2], 0.0);
    QCOMPARE(intervals[3], 0.0);
    QCOMPARE(intervals[4], 123456.789);
    const double t = RhythmThreshold(intervals);
    QCOMPARE(t, 123456.789);
    QCOMPARE(QString::fromStdString(rhythmCode(stamps, 4, t)), QStringLiteral("000"));
}

void TestRhythm::digitComparesAtFourDecimals_data()
{
    QTest::addColumn<qint64>("intervalRaw");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<char>("digit");
    QTest::newRow("longer") << qint64(2'000'001) << 200.0 << '1';
    QTest::newRow("equal") << qint64(2'000'000) << 200.0 << '0';
    QTest::newRow("shorter") << qint64(1'999'999) << 200.0 << '0';
    // 0.03125 rounds to 0.0312 (even), so 313 raw lies above it...
    QTest::newRow("half rounded down") << qint64(313) << 0.03125 << '1';
    QTest::newRow("equal after rounding down") << qint64(312) << 0.03125 << '0';
    // ...and 0.09375 rounds to 0.0938, which 938 raw equals.
    QTest::newRow("equal after rounding up") << qint64(938) << 0.09375 << '0';
    QTest::newRow("negative interval") << qint64(-50'000) << 0.0 << '0';
}

void TestRhythm::digitComparesAtFourDecimals()
{
    QFETCH(qint64, intervalRaw);
    QFETCH(double, threshold);
    QFETCH(char, digit);
    QCOMPARE(rhythmDigit(Currency::fromRaw(intervalRaw), threshold), digit);
}

void TestRhythm::lengthsWithoutSlotAreRefused()
{
    const Stamps stamps{};
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rhythmIntervals(stamps, 25));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rhythmCode(stamps, 25, 0.0));
    // Fewer stamps than the length asks for.
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, rhythmCode(std::span(stamps).first(4), 4, 0.0));
}

void TestRhythm::keystrokeMark_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<qint64>("intervalRaw");
    QTest::addColumn<bool>("hasBar");
    QTest::addColumn<float>("barLeft");
    QTest::addColumn<float>("barRight");
    QTest::addColumn<float>("barTop");
    QTest::addColumn<float>("labelX");
    QTest::newRow("first character") << 1 << qint64(0) << false << 0.0f << 0.0f << 0.0f << 1.1f;
    QTest::newRow("second, 150 ms") << 2 << qint64(1'500'000) << true << 2.0f << 2.7f << 150.0f << 2.1f;
    QTest::newRow("last visible") << 15 << qint64(10'000) << true << 15.0f << 15.7f << 1.0f << 15.1f;
    QTest::newRow("24th, negative") << 24 << qint64(-30'000) << true << 24.0f << 24.7f << -3.0f << 24.1f;
    QTest::newRow("whole stamp") << 4 << qint64(1'000'000'000'000) << true << 4.0f << 4.7f << 1e8f << 4.1f;
}

void TestRhythm::keystrokeMark()
{
    QFETCH(int, n);
    QFETCH(qint64, intervalRaw);
    QFETCH(bool, hasBar);
    QFETCH(float, barLeft);
    QFETCH(float, barRight);
    QFETCH(float, barTop);
    QFETCH(float, labelX);
    const KeystrokeMark mark = ::keystrokeMark(n, Currency::fromRaw(intervalRaw));
    QCOMPARE(mark.bar.has_value(), hasBar);
    if (hasBar) {
        QCOMPARE(mark.bar->left, barLeft);
        QCOMPARE(mark.bar->bottom, 0.0f);
        QCOMPARE(mark.bar->right, barRight);
        QCOMPARE(mark.bar->top, barTop);
    }
    QCOMPARE(mark.labelX, labelX);
    QCOMPARE(mark.labelY, 30.0f);
}

QTEST_APPLESS_MAIN(TestRhythm)
#include "tst_rhythm.moc"
