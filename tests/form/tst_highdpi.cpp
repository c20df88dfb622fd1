// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designlayout.h"
#include "drawgeometry.h"
#include "formharness.h"
#include "viewsettings.h"

namespace {

// The scale factor this run was started with (QT_SCALE_FACTOR).
double expectedRatio()
{
    return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
}

// Qt scales the layout of 96 dpi, whatever the factor: 1440 / 96 twips to the pixel.
QRect designPixels(const char *name, int top)
{
    const ControlPlacement placement = *placementOf(name);
    return {placement.left / 15, top / 15, placement.width / 15, placement.height / 15};
}

// Lengths of the runs of `colour` along one row (or column) of the image.
QList<int> runs(const QImage &image, const QColor &colour, int fixed, bool alongRow)
{
    QList<int> lengths;
    int run = 0;
    const int length = alongRow ? image.width() : image.height();
    for (int i = 0; i <= length; ++i) {
        const bool inRun =
            i < length && image.pixelColor(alongRow ? i : fixed, alongRow ? fixed : i) == colour;
        if (inRun) {
            ++run;
        } else if (run > 0) {
            lengths << run;
            run = 0;
        }
    }
    return lengths;
}

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
    void linesOfOneWidthHaveOneWidth();
};

void TestHighDpi::layoutKeepsItsProportions()
{
    FormHarness h;
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    QCOMPARE(h.form->devicePixelRatio(), expectedRatio());
    // Device-independent places are those of the design, so on screen everything doubles.
    QCOMPARE(h.field(0)->geometry(), designPixels("txtPWD(0)", placementOf("txtPWD(0)")->top));
    QCOMPARE(h.control("cmdLogin")->geometry(), designPixels("cmdLogin", NormalView.cmdLoginTop));
    QCOMPARE(h.form->centralWidget()->size(),
             QSize(NormalView.clientWidth / 15, NormalView.clientHeight / 15));
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
    QCOMPARE(image.devicePixelRatio(), expectedRatio());
    QCOMPARE(image.size(), (QSizeF(chart->contentsRect().size()) * expectedRatio()).toSize());
    // The grid line at 200 is whole device rows of pure grey: sharp, no blurred edge.
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
    QCOMPARE(greyRows, 3 * deviceLineWidth(1, expectedRatio()));
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
    QCOMPARE(image.size(), (QSizeF(h.verdictBox()->size()) * expectedRatio()).toSize());
    // The 2-pixel frame is whole device pixels of pure green at the left edge.
    const int frame = deviceLineWidth(2, expectedRatio());
    for (int x = 0; x < frame; ++x)
        QCOMPARE(image.pixelColor(x, image.height() / 2), QColor(0, 0x80, 0));
    QCOMPARE(image.pixelColor(frame, image.height() / 2), h.verdictBox()->BackColor());
    QVERIFY(hasDetailFinerThanTwoPixels(image));
}

void TestHighDpi::linesOfOneWidthHaveOneWidth()
{
    FormHarness h;
    h.menuItem("mnuErweitert")->trigger();
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    h.typeRhythm(0, QStringLiteral("geheimnis"), {150, 300, 200, 250, 180, 280, 160, 220});
    h.typeRhythm(1, QStringLiteral("geheimnis"), {150, 300, 200, 250, 180, 280, 160, 220});
    h.login()->click();

    // Every bar edge, crossed at 140 ms: below every bar's top, clear of the grid values.
    PictureBox *chart = h.chart(0);
    const QImage &drawing = chart->image();
    const int row = int(chart->toPixel(0, 140).y() * drawing.devicePixelRatio());
    const QList<int> edges = runs(drawing, chart->ForeColor(), row, true);
    QCOMPARE(edges.size(), 2 * 8);
    for (int width : edges)
        QCOMPARE(width, deviceLineWidth(1, expectedRatio()));

    // The verdict frame: all four sides as wide.
    const QImage &verdict = h.verdictBox()->image();
    const QColor green(0, 0x80, 0);
    const QList<int> across = runs(verdict, green, verdict.height() / 2, true);
    const QList<int> down = runs(verdict, green, 2 * deviceLineWidth(2, expectedRatio()), false);
    const int frame = deviceLineWidth(2, expectedRatio());
    QCOMPARE(across.first(), frame);
    QCOMPARE(across.last(), frame);
    QCOMPARE(down.first(), frame);
    QCOMPARE(down.last(), frame);
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
