// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formharness.h"

class TestReset : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startupDrawsTheGrid_data();
    void startupDrawsTheGrid();
    void resetGivesTheStartupPicture_data();
    void resetGivesTheStartupPicture();
    void resetEmptiesSummaryTexts();
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
        // Below the line's left end its label ("300", "200", "100"): pixels of neither colour.
        int label = 0;
        for (int x = 0; x < image.width() / 4; ++x)
            for (int dy = 1; dy < static_cast<int>(12 * ratio) && pixelRow + dy < image.height(); ++dy) {
                const QColor colour = image.pixelColor(x, pixelRow + dy);
                label += colour != grey && colour != chart->BackColor();
            }
        QVERIFY2(label > 10, qPrintable(QString::number(y)));
    }
    // Nothing at y = 0 and nothing halfway between the lines.
    const int halfway = static_cast<int>(chart->toPixel(0, 250).y() * ratio);
    QCOMPARE(image.pixelColor(image.width() / 2, halfway), chart->BackColor());
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() - 1), chart->BackColor());
}

void TestReset::resetGivesTheStartupPicture_data()
{
    addBothRows();
}

void TestReset::resetGivesTheStartupPicture()
{
    QFETCH(int, row);
    FormHarness h;
    const QImage afterStartup = h.chart(row)->image().copy();
    const QImage other = h.chart(1 - row)->image().copy();
    h.typeRhythm(row, QStringLiteral("abc"), {100, 400});
    QVERIFY(h.chart(row)->image() != afterStartup);
    QTest::keyClick(h.field(row), Qt::Key_Backspace);
    QCOMPARE(h.chart(row)->image(), afterStartup);
    QCOMPARE(h.chart(1 - row)->image(), other);
    // Backspace in the empty field changes nothing at all.
    QTest::keyClick(h.field(row), Qt::Key_Backspace);
    QCOMPARE(h.chart(row)->image(), afterStartup);
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

QTEST_MAIN(TestReset)
#include "tst_reset.moc"
