// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "entrytext.h"
#include "keytimes.h"

#include <QTest>

#include <stdexcept>

class TestKeyTimes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resetZeroesOneRowOnly_data();
    void resetZeroesOneRowOnly();
    void stampRefusesLengthsWithoutSlot_data();
    void stampRefusesLengthsWithoutSlot();
    void badRowsThrow();
    void intervalIsLaterMinusEarlier();
    void entryTextKeepsEachRow();
};

void TestKeyTimes::resetZeroesOneRowOnly_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("row 0") << 0;
    QTest::newRow("row 1") << 1;
}

void TestKeyTimes::resetZeroesOneRowOnly()
{
    QFETCH(int, row);
    KeyTimes table;
    for (int r = 0; r < 2; ++r) {
        for (int n = 1; n <= 24; ++n)
            QVERIFY(table.stamp(r, n, Currency::fromRaw(1000 * r + n)));
    }
    table.resetRow(row);
    for (int n = 0; n <= 24; ++n) {
        QCOMPARE(table.at(row, n).raw(), qint64(0));
        const int other = 1 - row;
        QCOMPARE(table.at(other, n).raw(), qint64(n == 0 ? 0 : 1000 * other + n));
    }
}

void TestKeyTimes::stampRefusesLengthsWithoutSlot_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("stored");
    QTest::newRow("slot 0 is never stamped") << 0 << false;
    QTest::newRow("first") << 1 << true;
    QTest::newRow("last") << 24 << true;
    QTest::newRow("25 has no slot") << 25 << false;
    QTest::newRow("far beyond") << 32767 << false;
    QTest::newRow("negative") << -1 << false;
}

void TestKeyTimes::stampRefusesLengthsWithoutSlot()
{
    QFETCH(int, length);
    QFETCH(bool, stored);
    KeyTimes table;
    QCOMPARE(table.stamp(0, length, Currency::fromRaw(77)), stored);
    for (int n = 0; n <= 24; ++n)
        QCOMPARE(table.at(0, n).raw(), qint64(stored && n == length ? 77 : 0));
}

void TestKeyTimes::badRowsThrow()
{
    KeyTimes table;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.resetRow(2));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.resetRow(-1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.stamp(2, 1, Currency()));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.at(0, 25));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, table.interval(0, 1));
}

void TestKeyTimes::intervalIsLaterMinusEarlier()
{
    KeyTimes table;
    table.stamp(1, 3, Currency::fromRaw(50'000));
    table.stamp(1, 4, Currency::fromRaw(20'000));
    QCOMPARE(table.interval(1, 4).raw(), qint64(-30'000));
    // Slot 2 never stamped: the interval of slot 3 is the whole stamp.
    QCOMPARE(table.interval(1, 3).raw(), qint64(50'000));
}

void TestKeyTimes::entryTextKeepsEachRow()
{
    EntryText texts;
    texts.set(1, u"a\U0001F600b");
    QCOMPARE(texts.length(1), 4); // UTF-16 code units
    QCOMPARE(texts.length(0), 0);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, texts.set(2, u"x"));
}

QTEST_APPLESS_MAIN(TestKeyTimes)
#include "tst_keytimes.moc"
