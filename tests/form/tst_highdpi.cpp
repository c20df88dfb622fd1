// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formharness.h"

namespace {

// True when some aligned 2 x 2 block of device pixels is not one colour: the drawing was made
// at device resolution, not drawn at 1x and scaled up.
bool hasDetailFinerThanTwoPixels(const QImage &image)
{
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner)
                return true;
        }
    }
    return false;
}

} // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layoutKeepsItsProportions();
    void chartIsDrawnAtDeviceResolution();
    void verdictIsDrawnAtDeviceResolution();
};

void TestHighDpi::layoutKeepsItsProportions()
{
    FormHarness h;
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    QCOMPARE(h.form->devicePixelRatio(), 2.0);
    // Device-independent places are those of the design, so on screen everything doubles.
    QCOMPARE(h.field(0)->geometry(), QRect(2520 / 15, 360 / 15, 2295 / 15, 375 / 15));
    QCOMPARE(h.control("cmdLogin")->geometry(), QRect(3780 / 15, 1320 / 15, 1035 / 15, 375 / 15));
    QCOMPARE(h.form->centralWidget()->size(), QSize(4965 / 15, 1830 / 15));
}

void TestHighDpi::chartIsDrawnAtDeviceResolution()
{
    FormHarness h;
    h.menuItem("mnuErweitert")->trigger();
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    h.typeRhythm(0, QStringLiteral("abc"), {100, 250});
    PictureBox *chart = h.chart(0);
    const QImage &image = chart->image();
    QCOMPARE(image.devicePixelRatio(), 2.0);
    QCOMPARE(image.size(), chart->contentsRect().size() * 2);
    // The grid line at 200 is exactly two device rows of pure grey: sharp, no blurred edge.
    const int x = image.width() - 3;
    int greyRows = 0;
    for (int y = 0; y < image.height(); ++y) {
        const QColor colour = image.pixelColor(x, y);
        if (colour == QColor(0xCC, 0xCC, 0xCC))
            ++greyRows;
        else
            QVERIFY2(colour == chart->BackColor(),
                     qPrintable(colour.name() + QStringLiteral(" at ") + QString::number(y)));
    }
    QCOMPARE(greyRows, 3 * 2);
    QVERIFY(hasDetailFinerThanTwoPixels(image));
}

void TestHighDpi::verdictIsDrawnAtDeviceResolution()
{
    FormHarness h;
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.typeRhythm(1, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.login()->click();
    const QImage &image = h.verdictBox()->image();
    QCOMPARE(image.size(), h.verdictBox()->size() * 2);
    // The 2-pixel frame is 4 device pixels of pure green at the left edge.
    for (int x = 0; x < 4; ++x)
        QCOMPARE(image.pixelColor(x, image.height() / 2), QColor(0, 0x80, 0));
    QCOMPARE(image.pixelColor(4, image.height() / 2), h.verdictBox()->BackColor());
    QVERIFY(hasDetailFinerThanTwoPixels(image));
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
