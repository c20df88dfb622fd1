// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "chartgeometry.h"
#include "formharness.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>

using Kind = PictureBox::DrawCall::Kind;

namespace {

// The chart's last drawing is keystroke n, with its character and its interval's bar where the
// chart's geometry puts them (no bar for the first).
void expectLastMark(const DrawLog &log, int n, Currency interval, const QString &character)
{
    const KeystrokeMark mark = keystrokeMark(n, interval);
    const auto prints = log.ofKind(Kind::Print);
    QVERIFY(!prints.empty());
    QCOMPARE(prints.back().text, character);
    QCOMPARE(prints.back().from, QPointF(mark.labelX, mark.labelY));
    const auto boxes = log.ofKind(Kind::Box);
    QCOMPARE(boxes.empty(), !mark.bar.has_value());
    if (mark.bar) {
        QCOMPARE(boxes.back().from, QPointF(mark.bar->left, mark.bar->bottom));
        QCOMPARE(boxes.back().to, QPointF(mark.bar->right, mark.bar->top));
        QCOMPARE(boxes.back().colour, log.box()->ForeColor());
    }
}

} // namespace

class TestCapture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void firstCharacterListsZero();
    void secondCharacterListsItsInterval();
    void intervalUsesTheLocaleSeparator_data();
    void intervalUsesTheLocaleSeparator();
    void loginFollowsBothLengths_data();
    void loginFollowsBothLengths();
    void backspaceResetsOnlyItsRow_data();
    void backspaceResetsOnlyItsRow();
    void deleteKeyRestampsTheNewLength();
    void insertInTheMiddleListsTheLastCharacter();
    void pasteIntoResetRowStampsOnlyItsLength();
    void selectAllAndTypeRestampsSlotOne();
    void emojiIsListedWhole();
    void twentyFifthCharacterIsRefused();
};

void TestCapture::firstCharacterListsZero()
{
    FormHarness h;
    DrawLog log;
    log.attach(h.chart(0));
    h.typeAfter(0, QLatin1Char('g'), 10);
    QCOMPARE(h.lines(0), QStringList{QStringLiteral("g: 0")});
    QCOMPARE(log.calls().size(), std::size_t(1));
    expectLastMark(log, 1, Currency(), QStringLiteral("g"));
    QCOMPARE(h.form->entry(0).stamp(1).raw(), qint64(1'000'100'000));
    QVERIFY(h.lines(1).isEmpty());
}

void TestCapture::secondCharacterListsItsInterval()
{
    FormHarness h;
    DrawLog log;
    log.attach(h.chart(0));
    h.typeRhythm(0, QStringLiteral("gh"), {150});
    QCOMPARE(h.lines(0), (QStringList{QStringLiteral("g: 0"), QStringLiteral("h: 150")}));
    QCOMPARE(log.ofKind(Kind::Box).size(), std::size_t(1));
    expectLastMark(log, 2, Currency::fromRaw(1'500'000), QStringLiteral("h"));
}

void TestCapture::intervalUsesTheLocaleSeparator_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("line");
    QTest::newRow("C") << QLocale::c() << QStringLiteral("b: 1.2345");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("b: 1,2345");
}

void TestCapture::intervalUsesTheLocaleSeparator()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, line);
    QLocale::setDefault(locale);
    FormHarness h;
    QTest::keyClick(h.field(0), 'a');
    h.clock.set(h.clock.now() + 12345);
    QTest::keyClick(h.field(0), 'b');
    QCOMPARE(h.lines(0).constLast(), line);
}

void TestCapture::loginFollowsBothLengths_data()
{
    QTest::addColumn<int>("length0");
    QTest::addColumn<int>("length1");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("5 and 4") << 5 << 4 << false;
    QTest::newRow("4 and 5") << 4 << 5 << false;
    QTest::newRow("5 and 5") << 5 << 5 << true;
    QTest::newRow("24 and 5") << 24 << 5 << true;
    QTest::newRow("0 and 24") << 0 << 24 << false;
}

void TestCapture::loginFollowsBothLengths()
{
    QFETCH(int, length0);
    QFETCH(int, length1);
    QFETCH(bool, enabled);
    FormHarness h;
    QVERIFY(!h.login()->Enabled());
    for (int i = 0; i < length0; ++i)
        h.typeAfter(0, QLatin1Char('a'), 100);
    for (int i = 0; i < length1; ++i) {
        h.typeAfter(1, QLatin1Char('a'), 100);
        // The rule holds after every change, not only the last.
        QCOMPARE(h.login()->Enabled(), length0 >= 5 && i + 1 >= 5);
    }
    QCOMPARE(h.login()->Enabled(), enabled);
    QTest::keyClick(h.field(enabled ? 0 : 1), Qt::Key_Backspace);
    QVERIFY(!h.login()->Enabled());
}

void TestCapture::backspaceResetsOnlyItsRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("caret");
    QTest::newRow("row 0, caret at the end") << 0 << 6;
    QTest::newRow("row 1, caret in the middle") << 1 << 3;
    QTest::newRow("row 1, caret at the start") << 1 << 0;
}

void TestCapture::backspaceResetsOnlyItsRow()
{
    QFETCH(int, row);
    QFETCH(int, caret);
    FormHarness h;
    h.form->show();
    h.typeRhythm(0, QStringLiteral("geheim"), {100, 200, 100, 200, 100});
    h.typeRhythm(1, QStringLiteral("geheim"), {100, 200, 100, 200, 100});
    h.login()->click();
    const QColor formColour = h.form->palette().color(QPalette::Window);
    QVERIFY(FormHarness::countPixels(h.verdictBox(), formColour) <
            h.verdictBox()->image().width() * h.verdictBox()->image().height());
    const int other = 1 - row;
    const QStringList otherLines = h.lines(other);
    const qint64 otherSlot3 = h.form->entry(other).stamp(3).raw();

    h.field(row)->setCursorPosition(caret);
    QTest::keyClick(h.field(row), Qt::Key_Backspace);

    QVERIFY(h.field(row)->Text().isEmpty());
    QVERIFY(h.lines(row).isEmpty());
    for (int n = 0; n <= 24; ++n)
        QCOMPARE(h.form->entry(row).stamp(n).raw(), qint64(0));
    QCOMPARE(h.field(other)->Text(), QStringLiteral("geheim"));
    QCOMPARE(h.lines(other), otherLines);
    QCOMPARE(h.form->entry(other).stamp(3).raw(), otherSlot3);
    const QImage &verdict = h.verdictBox()->image();
    QCOMPARE(FormHarness::countPixels(h.verdictBox(), formColour), verdict.width() * verdict.height());
    QVERIFY(!h.login()->Enabled());
}

void TestCapture::deleteKeyRestampsTheNewLength()
{
    FormHarness h;
    h.typeRhythm(0, QStringLiteral("abcde"), {100, 100, 100, 100});
    const qint64 slot3 = h.form->entry(0).stamp(3).raw();
    const qint64 slot5 = h.form->entry(0).stamp(5).raw();
    h.field(0)->setCursorPosition(1);
    h.clock.advanceMs(500);
    QTest::keyClick(h.field(0), Qt::Key_Delete);
    QCOMPARE(h.field(0)->Text(), QStringLiteral("acde"));
    QCOMPARE(h.form->entry(0).stamp(4).raw(), h.clock.now());
    QCOMPARE(h.form->entry(0).stamp(5).raw(), slot5);
    // New stamp of slot 4 minus the older stamp of slot 3: two typed gaps and the pause.
    QCOMPARE(h.form->entry(0).stamp(4).raw() - slot3, qint64(7'000'000));
    QCOMPARE(h.lines(0).size(), 6);
    QCOMPARE(h.lines(0).constLast(), QStringLiteral("e: 700"));
}

void TestCapture::insertInTheMiddleListsTheLastCharacter()
{
    FormHarness h;
    DrawLog log;
    log.attach(h.chart(0));
    h.typeRhythm(0, QStringLiteral("abc"), {100, 100});
    h.field(0)->setCursorPosition(0);
    h.typeAfter(0, QLatin1Char('X'), 250);
    QCOMPARE(h.field(0)->Text(), QStringLiteral("Xabc"));
    QCOMPARE(h.lines(0).constLast(), QStringLiteral("c: 250"));
    expectLastMark(log, 4, Currency::fromRaw(2'500'000), QStringLiteral("c"));
}

void TestCapture::pasteIntoResetRowStampsOnlyItsLength()
{
    FormHarness h;
    DrawLog log;
    log.attach(h.chart(1));
    h.clock.set(1'234'567'890);
    QApplication::clipboard()->setText(QStringLiteral("wxyz"));
    h.field(1)->paste();
    QCOMPARE(h.lines(1), QStringList{QStringLiteral("z: 123456.789")});
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(h.form->entry(1).stamp(n).raw(), qint64(0));
    QCOMPARE(h.form->entry(1).stamp(4).raw(), qint64(1'234'567'890));
    QCOMPARE(log.ofKind(Kind::Box).size(), std::size_t(1));
    expectLastMark(log, 4, Currency::fromRaw(1'234'567'890), QStringLiteral("z"));
    // Typing goes on normally after the paste.
    h.typeAfter(1, QLatin1Char('q'), 100);
    QCOMPARE(h.lines(1).constLast(), QStringLiteral("q: 100"));
}

void TestCapture::selectAllAndTypeRestampsSlotOne()
{
    FormHarness h;
    h.typeRhythm(0, QStringLiteral("abc"), {120, 130});
    const qint64 slot2 = h.form->entry(0).stamp(2).raw();
    const qint64 slot3 = h.form->entry(0).stamp(3).raw();
    h.field(0)->selectAll();
    h.typeAfter(0, QLatin1Char('z'), 400);
    QCOMPARE(h.field(0)->Text(), QStringLiteral("z"));
    QCOMPARE(h.form->entry(0).stamp(1).raw(), h.clock.now());
    QCOMPARE(h.form->entry(0).stamp(2).raw(), slot2);
    QCOMPARE(h.form->entry(0).stamp(3).raw(), slot3);
    QCOMPARE(h.lines(0).constLast(), QStringLiteral("z: 0"));
}

void TestCapture::emojiIsListedWhole()
{
    FormHarness h;
    DrawLog log;
    log.attach(h.chart(0));
    const QString emoji = QStringLiteral("\U0001F600");
    h.typeAfter(0, QLatin1Char('a'), 100);
    h.clock.advanceMs(200);
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, emoji);
    QApplication::sendEvent(h.field(0), &press);
    QCOMPARE(h.field(0)->Text().size(), 3); // lengths are UTF-16 code units
    // Slot 2 was skipped, so the interval is the whole stamp of slot 3 (100,000 ms after the
    // counter's origin, then 100 and 200 ms) minus slot 2's zero.
    QCOMPARE(h.lines(0).constLast(), emoji + QStringLiteral(": 100300"));
    expectLastMark(log, 3, Currency::fromRaw(1'003'000'000), emoji);
}

void TestCapture::twentyFifthCharacterIsRefused()
{
    FormHarness h;
    for (int i = 0; i < 25; ++i)
        h.typeAfter(0, QLatin1Char('k'), 50);
    QCOMPARE(h.field(0)->Text().size(), 24);
    QCOMPARE(h.lines(0).size(), 24);
}

QTEST_MAIN(TestCapture)
#include "tst_capture.moc"
