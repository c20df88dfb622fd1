// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formharness.h"

using Kind = PictureBox::DrawCall::Kind;

class TestReset : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startupDrawsTheGrid_data();
    void startupDrawsTheGrid();
    void resetDrawsScaleAndLabelledGrid_data();
    void resetDrawsScaleAndLabelledGrid();
    void resetEmptiesSummaryTexts();
    void secondResetGivesTheSamePicture();
};

namespace {
void addBothRows()
{
    QTest::addColumn<int>("row");
    QTest::newRow("row 0") << 0;
    QTest::newRow("row 1") << 1;
}
} // namespace

void TestReset::startupDrawsTheGrid_data()
{
    addBothRows();
}

void TestReset::startupDrawsTheGrid()
{
    QFETCH(int, row);
    FormHarness h;
    PictureBox *chart = h.chart(row);
    QCOMPARE(chart->ScaleWidth(), 16.0);
    QCOMPARE(chart->ScaleHeight(), -300.0);
    QVERIFY(h.lines(row).isEmpty());
    const QImage &image = chart->image();
    const qreal ratio = image.devicePixelRatio();
    const QColor grey(0xCC, 0xCC, 0xCC);
    for (int y : {300, 200, 100}) {
        const int pixelRow = static_cast<int>(chart->toPixel(0, y).y() * ratio);
        // Right of the label the line is unbroken grey.
        QCOMPARE(image.pixelColor(image.width() / 2, pixelRow), grey);
        QCOMPARE(image.pixelColor(image.width() - 1, pixelRow), grey);
    }
    // Nothing at y = 0 and nothing halfway between the lines.
    const int halfway = static_cast<int>(chart->toPixel(0, 250).y() * ratio);
    QCOMPARE(image.pixelColor(image.width() / 2, halfway), chart->BackColor());
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() - 1), chart->BackColor());
}

void TestReset::resetDrawsScaleAndLabelledGrid_data()
{
    addBothRows();
}

void TestReset::resetDrawsScaleAndLabelledGrid()
{
    QFETCH(int, row);
    FormHarness h;
    h.typeAfter(row, QLatin1Char('a'), 100);
    DrawLog log;
    log.attach(h.chart(row));
    DrawLog otherLog;
    otherLog.attach(h.chart(1 - row));
    QTest::keyClick(h.field(row), Qt::Key_Backspace);

    const QColor grey(0xCC, 0xCC, 0xCC);
    const auto &calls = log.calls();
    QCOMPARE(calls.size(), std::size_t(8));
    QCOMPARE(calls[0].kind, Kind::Cls);
    QCOMPARE(calls[1].kind, Kind::Scale);
    QCOMPARE(calls[1].from, QPointF(0, 300));
    QCOMPARE(calls[1].to, QPointF(16, 0));
    int index = 2;
    for (int y : {300, 200, 100}) {
        const auto &line = calls[static_cast<std::size_t>(index++)];
        QCOMPARE(line.kind, Kind::Line);
        QCOMPARE(line.from, QPointF(0, y));
        QCOMPARE(line.to, QPointF(16, y));
        QCOMPARE(line.colour, grey);
        const auto &label = calls[static_cast<std::size_t>(index++)];
        QCOMPARE(label.kind, Kind::Print);
        QCOMPARE(label.from, QPointF(0, y));
        QCOMPARE(label.text, QString::number(y));
    }
    QVERIFY(otherLog.calls().empty());
}

void TestReset::resetEmptiesSummaryTexts()
{
    FormHarness h;
    h.form->show();
    h.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
    h.field(0)->setFocus();
    h.typeRhythm(0, QStringLiteral("abcd"), {100, 300, 200});
    h.field(1)->setFocus(Qt::TabFocusReason);
    QCOMPARE(h.display("txtCount", 0)->Text(), QStringLiteral("4 Zeichen"));
    QTest::keyClick(h.field(0), Qt::Key_Backspace);
    for (const char *kind : {"txtCount", "txtTakt", "txtPWDT"})
        QVERIFY2(h.display(kind, 0)->Text().isEmpty(), kind);
}

void TestReset::secondResetGivesTheSamePicture()
{
    FormHarness h;
    const QImage afterStartup = h.chart(1)->image().copy();
    h.typeRhythm(1, QStringLiteral("abc"), {100, 400});
    QTest::keyClick(h.field(1), Qt::Key_Backspace);
    QCOMPARE(h.chart(1)->image(), afterStartup);
    // Backspace in the empty field changes nothing at all.
    QTest::keyClick(h.field(1), Qt::Key_Backspace);
    QCOMPARE(h.chart(1)->image(), afterStartup);
}

QTEST_MAIN(TestReset)
#include "tst_reset.moc"
