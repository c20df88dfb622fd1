// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemtickcounter.h"

#include <QTest>

#include <thread>

class TestTickCounter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scaling_data();
    void scaling();
    void systemCounterIsMonotonicAtTenMegahertz();
};

void TestTickCounter::scaling_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("frequency");
    QTest::addColumn<qint64>("ticks");
    QTest::newRow("already 10 MHz") << qint64(123'456'789) << qint64(10'000'000) << qint64(123'456'789);
    QTest::newRow("24 MHz, one second") << qint64(24'000'000) << qint64(24'000'000) << qint64(10'000'000);
    QTest::newRow("3 GHz, 1.5 ns steps truncate")
        << qint64(3'000'000'001) << qint64(3'000'000'000) << qint64(10'000'000);
    // A year of uptime at 3 GHz: count * 10^7 alone would overflow 64 bits.
    QTest::newRow("a year at 3 GHz") << qint64(94'608'000'000'000'000) << qint64(3'000'000'000)
                                     << qint64(315'360'000'000'000);
    QTest::newRow("1 kHz") << qint64(1'500) << qint64(1'000) << qint64(15'000'000);
}

void TestTickCounter::scaling()
{
    QFETCH(qint64, count);
    QFETCH(qint64, frequency);
    QFETCH(qint64, ticks);
    QCOMPARE(ticksFromCount(count, frequency), ticks);
}

void TestTickCounter::systemCounterIsMonotonicAtTenMegahertz()
{
    SystemTickCounter counter;
    const qint64 before = counter.ticks();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const qint64 after = counter.ticks();
    // At least 20 ms worth of 100 ns ticks, and not absurdly more (a wrong unit would be 1000x off).
    QVERIFY2(after - before >= 200'000, qPrintable(QString::number(after - before)));
    QVERIFY2(after - before < 200'000'000, qPrintable(QString::number(after - before)));
}

QTEST_APPLESS_MAIN(TestTickCounter)
#include "tst_tickcounter.moc"
