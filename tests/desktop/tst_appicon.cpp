// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appicon.h"

#include <QImage>
#include <QTest>

class TestAppIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySizeIsTheDrawing_data();
    void everySizeIsTheDrawing();
};

void TestAppIcon::everySizeIsTheDrawing_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", size) << size;
}

// Each size comes from its own rendering, not from scaling another: the pixmap is exactly that
// size, the rounded corner is transparent and the middle is the drawing's pale paper.
void TestAppIcon::everySizeIsTheDrawing()
{
    QFETCH(int, size);
    const QIcon icon = applicationIcon();
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));

    const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(size, size));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    const QColor paper(0xff, 0xff, 0xdd);
    int paperPixels = 0;
    int darkPixels = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 255 && pixel == paper)
                ++paperPixels;
            else if (pixel.alpha() == 255 && pixel.lightness() < 160)
                ++darkPixels;
        }
    }
    // The paper fills much of the square; the bars are drawn in dark lines, which smoothing
    // greys at the smallest sizes.
    QVERIFY2(paperPixels > size * size / 10, qPrintable(QStringLiteral("%1 paper pixels").arg(paperPixels)));
    QVERIFY2(darkPixels > size / 2, qPrintable(QStringLiteral("%1 dark pixels").arg(darkPixels)));
}

QTEST_MAIN(TestAppIcon)
#include "tst_appicon.moc"
