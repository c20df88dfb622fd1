// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "entry.h"
#include "verdict.h"

#include <QTest>

#include <stdexcept>
#include <vector>

namespace {

// Types the text one character at a time, the first at 100,000 ms, then after each gap (ms).
void type(Entry &entry, const std::u16string &text, const std::vector<qint64> &gapsMs)
{
    qint64 ticks = 1'000'000'000;
    for (std::size_t n = 1; n <= text.size(); ++n) {
        if (n > 1)
            ticks += gapsMs.at(n - 2) * 10'000;
        entry.change(std::u16string_view(text).substr(0, n), Currency::fromRaw(ticks));
    }
}

} // namespace

class TestEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void changeStampsOnlyLengthsWithASlot_data();
    void changeStampsOnlyLengthsWithASlot();
    void analysis_data();
    void analysis();
    void shortTextKeepsTheEarlierAnalysis();
    void loginJudgesTheFieldNowAndTheLatestCode_data();
    void loginJudgesTheFieldNowAndTheLatestCode();
    void resetWipesThePassword();
};

void TestEntry::changeStampsOnlyLengthsWithASlot_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("stamped");
    QTest::newRow("emptied") << 0 << false;
    QTest::newRow("first") << 1 << true;
    QTest::newRow("last") << 24 << true;
    QTest::newRow("25 has no slot") << 25 << false;
}

void TestEntry::changeStampsOnlyLengthsWithASlot()
{
    QFETCH(int, length);
    QFETCH(bool, stamped);
    Entry entry;
    const std::u16string text(static_cast<std::size_t>(length), u'k');
    QCOMPARE(entry.change(text, Currency::fromRaw(77)), stamped);
    QCOMPARE(entry.length(), length); // the field's text is kept either way
    for (int n = 0; n <= 24; ++n)
        QCOMPARE(entry.stamp(n).raw(), qint64(stamped && n == length ? 77 : 0));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, entry.stamp(25));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, entry.interval(1));
}

void TestEntry::analysis_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::vector<qint64>>("gapsMs");
    QTest::addColumn<double>("threshold");
    QTest::addColumn<QString>("code");
    QTest::newRow("100 300 200") << QStringLiteral("abcd") << std::vector<qint64>{100, 300, 200} << 200.0
                                 << QStringLiteral("010");
    QTest::newRow("three characters")
        << QStringLiteral("xyz") << std::vector<qint64>{90, 10} << 50.0 << QStringLiteral("10");
}

void TestEntry::analysis()
{
    QFETCH(QString, text);
    QFETCH(std::vector<qint64>, gapsMs);
    QFETCH(double, threshold);
    QFETCH(QString, code);
    Entry entry;
    type(entry, text.toStdU16String(), gapsMs);
    QVERIFY(!entry.analysed());
    QVERIFY(entry.analyse());
    QVERIFY(entry.analysed());
    QCOMPARE(entry.analysedLength(), static_cast<int>(text.size()));
    QCOMPARE(entry.threshold(), threshold);
    QCOMPARE(QString::fromStdString(entry.rhythmCode()), code);
    QCOMPARE(entry.intervals()[2], double(gapsMs.front()));
    QCOMPARE(entry.intervals()[static_cast<std::size_t>(text.size())], double(gapsMs.back()));
}

void TestEntry::shortTextKeepsTheEarlierAnalysis()
{
    Entry entry;
    type(entry, u"abcde", {100, 300, 100, 300});
    QVERIFY(entry.analyse());
    // Cut to two characters without emptying the field.
    entry.change(u"abcd", Currency::fromRaw(1));
    entry.change(u"ab", Currency::fromRaw(2));
    QVERIFY(!entry.analyse());
    QVERIFY(entry.analysed());
    QCOMPARE(entry.analysedLength(), 5);
    QCOMPARE(entry.rhythmCode(), std::string("0101"));
    QCOMPARE(entry.threshold(), 200.0);
}

void TestEntry::loginJudgesTheFieldNowAndTheLatestCode_data()
{
    QTest::addColumn<QString>("secondTyped");
    QTest::addColumn<std::vector<qint64>>("secondGaps");
    QTest::addColumn<QString>("secondAfterAnalysis"); // empty: not edited
    QTest::addColumn<bool>("success");
    const std::vector<qint64> rhythm{100, 300, 100, 300, 100};
    QTest::newRow("same text and rhythm") << QStringLiteral("geheim") << rhythm << QString() << true;
    QTest::newRow("other rhythm") << QStringLiteral("geheim") << std::vector<qint64>{300, 100, 300, 100, 300}
                                  << QString() << false;
    // The field is compared as it is now, its rhythm code as last analysed.
    QTest::newRow("edited to match after its analysis")
        << QStringLiteral("geheiX") << rhythm << QStringLiteral("geheim") << true;
    QTest::newRow("edited away after its analysis")
        << QStringLiteral("geheim") << rhythm << QStringLiteral("geheimnis") << false;
}

void TestEntry::loginJudgesTheFieldNowAndTheLatestCode()
{
    QFETCH(QString, secondTyped);
    QFETCH(std::vector<qint64>, secondGaps);
    QFETCH(QString, secondAfterAnalysis);
    QFETCH(bool, success);
    Entry first;
    Entry second;
    type(first, u"geheim", {100, 300, 100, 300, 100});
    type(second, secondTyped.toStdU16String(), secondGaps);
    QVERIFY(first.analyse());
    QVERIFY(second.analyse());
    if (!secondAfterAnalysis.isEmpty())
        second.change(secondAfterAnalysis.toStdU16String(), Currency::fromRaw(5));
    QCOMPARE(loginSucceeds(first, second), success);
}

void TestEntry::resetWipesThePassword()
{
    Entry entry;
    type(entry, u"geheim", {100, 300, 100, 300, 100});
    QVERIFY(entry.analyse());
    // The buffers stay with the entry; what they held must be gone, not only marked unused.
    const char16_t *text = entry.text().data();
    entry.reset();
    QVERIFY(entry.text().empty());
    QCOMPARE(entry.text().data(), text);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(int(text[i]), 0);
    QVERIFY(!entry.analysed());
    QCOMPARE(entry.analysedLength(), 0);
    QVERIFY(entry.rhythmCode().empty());
    QCOMPARE(entry.threshold(), 0.0);
    for (int n = 0; n <= 24; ++n)
        QCOMPARE(entry.stamp(n).raw(), qint64(0));
}

QTEST_APPLESS_MAIN(TestEntry)
#include "tst_entry.moc"
