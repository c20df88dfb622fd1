// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formharness.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QRandomGenerator>

#include <array>

namespace {

// Resident memory of this process in bytes, or -1 where /proc is not available.
qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : -1;
}

bool hasLoneSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return true;
    }
    return false;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool MemoryIsMeaningful = false; // the sanitizer's quarantine grows on purpose
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool MemoryIsMeaningful = false;
#else
constexpr bool MemoryIsMeaningful = true;
#endif
#else
constexpr bool MemoryIsMeaningful = true;
#endif

} // namespace

class TestRandomised : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomUseKeepsTheInvariants_data();
    void randomUseKeepsTheInvariants();

private:
    QString randomText(int maxLength);
    void oneEvent(FormHarness &h);
    void checkInvariants(FormHarness &h, int event);

    QRandomGenerator m_random;
    std::array<int, 2> m_stampedSinceReset{};
};

QString TestRandomised::randomText(int maxLength)
{
    // Plain letters, umlauts, an emoji, right-to-left letters and control characters.
    static const QStringList pieces{
        QStringLiteral("a"),      QStringLiteral("Z"),         QStringLiteral("7"),
        QStringLiteral("\u00e4"), QStringLiteral("\u00df"),    QStringLiteral("\U0001F600"),
        QStringLiteral("\u05d0"), QStringLiteral("\u0628"),    QStringLiteral("\u200f"),
        QStringLiteral("\t"),     QStringLiteral("\n"),        QStringLiteral("\x01"),
        QStringLiteral(" "),      QStringLiteral("\U0001D11E")};
    QString text;
    const int length = m_random.bounded(1, maxLength + 1);
    for (int i = 0; i < length; ++i)
        text += pieces.at(m_random.bounded(static_cast<int>(pieces.size())));
    return text;
}

void TestRandomised::oneEvent(FormHarness &h)
{
    const int row = m_random.bounded(2);
    TextBox *field = h.field(row);
    h.clock.advanceMs(m_random.bounded(1, 700));
    switch (m_random.bounded(12)) {
    case 0:
    case 1:
    case 2: {
        const QString text = randomText(1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(field, &press);
        break;
    }
    case 3:
        QTest::keyClick(field, Qt::Key_Backspace);
        break;
    case 4:
        field->setCursorPosition(m_random.bounded(static_cast<int>(field->Text().size()) + 1));
        QTest::keyClick(field, Qt::Key_Delete);
        break;
    case 5: {
        const auto size = static_cast<int>(field->Text().size());
        const int start = m_random.bounded(size + 1);
        field->setSelection(start, m_random.bounded(size - start + 1));
        field->cut();
        break;
    }
    case 6:
        QApplication::clipboard()->setText(randomText(30));
        field->setCursorPosition(m_random.bounded(static_cast<int>(field->Text().size()) + 1));
        field->paste();
        break;
    case 7:
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier,
                          QPoint(m_random.bounded(std::max(field->width(), 1)), field->height() / 2));
        break;
    case 8: {
        static const char *const targets[] = {"txtPWD(0)", "txtPWD(1)", "cmdEnd", "lstPWD(0)", "picOut"};
        h.control(targets[m_random.bounded(5)])->setFocus(Qt::TabFocusReason);
        break;
    }
    case 9:
        if (h.login()->Enabled())
            h.login()->click();
        break;
    case 10:
        h.menuItem(m_random.bounded(2) == 0 ? "mnuNormal" : "mnuErweitert")->trigger();
        break;
    default:
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier); // undo
        break;
    }
}

void TestRandomised::checkInvariants(FormHarness &h, int event)
{
    for (int row = 0; row < 2; ++row) {
        const QString text = h.field(row)->Text();
        QVERIFY2(text.size() <= 24,
                 qPrintable(QStringLiteral("event %1: %2 units").arg(event).arg(text.size())));
        QVERIFY2(!hasLoneSurrogate(text), qPrintable(QStringLiteral("event %1: half a pair").arg(event)));
        QCOMPARE(h.list(row)->ListCount(), m_stampedSinceReset[static_cast<std::size_t>(row)]);
        const QString count = h.display("txtCount", row)->Text();
        if (!count.isEmpty()) {
            const int length = count.section(QLatin1Char(' '), 0, 0).toInt();
            const QString code = h.display("txtPWDT", row)->Text();
            QCOMPARE(code.size(), length - 1);
            QVERIFY(std::all_of(code.begin(), code.end(), [](QChar c) { return c == u'0' || c == u'1'; }));
        }
    }
}

void TestRandomised::randomUseKeepsTheInvariants_data()
{
    QTest::addColumn<quint32>("rowSeed");
    QTest::newRow("everyday use") << 20261208u;
    // Once reached 25 units: Qt put the caret past the end of mixed-direction text with emoji.
    QTest::newRow("caret past the end") << 42u;
}

void TestRandomised::randomUseKeepsTheInvariants()
{
    QFETCH(quint32, rowSeed);
    const quint32 seed = qEnvironmentVariableIsSet("TAKTLOGIN_SEED")
                             ? static_cast<quint32>(qEnvironmentVariableIntValue("TAKTLOGIN_SEED"))
                             : rowSeed;
    m_stampedSinceReset = {};
    const int events = qEnvironmentVariableIsSet("TAKTLOGIN_EVENTS")
                           ? qEnvironmentVariableIntValue("TAKTLOGIN_EVENTS")
                           : 20000;
    m_random.seed(seed);
    qInfo("seed %u (rerun with TAKTLOGIN_SEED=%u), %d events", seed, seed, events);

    FormHarness h;
    h.form->show();
    h.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
    for (int row = 0; row < 2; ++row) {
        // Runs after the form's own handler: a change either resets the row or stamps it.
        connect(h.field(row), &TextBox::Change, this, [this, &h](int index) {
            auto &stamped = m_stampedSinceReset[static_cast<std::size_t>(index)];
            stamped = h.field(index)->Text().isEmpty() ? 0 : stamped + 1;
        });
    }

    qint64 memoryAfterWarmUp = -1;
    for (int event = 0; event < events; ++event) {
        oneEvent(h);
        // As the program's event loop would: handle what the event posted (repaints, layout).
        QCoreApplication::processEvents();
        checkInvariants(h, event);
        if (QTest::currentTestFailed()) {
            qWarning("failed at event %d with seed %u", event, seed);
            return;
        }
        if (event == 999)
            memoryAfterWarmUp = residentBytes();
    }
    const qint64 memoryAtEnd = residentBytes();
    qInfo("resident memory after 1000 events: %lld KiB, at the end: %lld KiB", memoryAfterWarmUp / 1024,
          memoryAtEnd / 1024);
    if (MemoryIsMeaningful && memoryAfterWarmUp > 0 && events >= 10000)
        QVERIFY2(memoryAtEnd - memoryAfterWarmUp < 4 * 1024 * 1024,
                 qPrintable(QStringLiteral("grew by %1 KiB").arg((memoryAtEnd - memoryAfterWarmUp) / 1024)));
}

QTEST_MAIN(TestRandomised)
#include "tst_randomised.moc"
