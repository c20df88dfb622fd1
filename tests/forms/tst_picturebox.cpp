// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picturebox.h"

#include <QApplication>
#include <QTest>

namespace {

// A 100 x 60 pixel drawing area with the chart's scale: x 0..16, y 0 at the bottom, 300 at the top.
std::unique_ptr<PictureBox> chartBox()
{
    auto box = std::make_unique<PictureBox>(PictureBox::Border::None, PictureBox::Unit::Twip);
    box->resize(100, 60);
    box->SetBackColor(Qt::white);
    box->SetForeColor(Qt::black);
    box->Cls();
    box->Scale(0, 300, 16, 0);
    return box;
}

int darkPixelsInColumn(const QImage &image, int x)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += image.pixelColor(x, y).lightness() < 128 ? 1 : 0;
    return count;
}

} // namespace

class TestPictureBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void defaultScaleIsInItsUnit_data();
    void defaultScaleIsInItsUnit();
    void userScaleMapsCorners_data();
    void userScaleMapsCorners();
    void lineLeavesPositionAtItsEnd();
    void boxIsAnOutline();
    void hugeBarIsClipped();
    void printPlacesTextAndStartsNewLine();
    void clsErasesToBackColour();
    void drawingSurvivesHiding();
    void textMetricsFollowTheScale();
};

void TestPictureBox::defaultScaleIsInItsUnit_data()
{
    QTest::addColumn<bool>("twips");
    QTest::addColumn<double>("width");
    QTest::newRow("pixels") << false << 100.0;
    QTest::newRow("twips") << true << 1500.0;
}

void TestPictureBox::defaultScaleIsInItsUnit()
{
    QFETCH(bool, twips);
    QFETCH(double, width);
    PictureBox box(PictureBox::Border::None, twips ? PictureBox::Unit::Twip : PictureBox::Unit::Pixel);
    box.resize(100, 60);
    QCOMPARE(box.ScaleWidth(), width);
    QCOMPARE(box.ScaleHeight(), width * 0.6);
}

void TestPictureBox::userScaleMapsCorners_data()
{
    QTest::addColumn<QPointF>("user");
    QTest::addColumn<QPointF>("pixel");
    QTest::newRow("top left") << QPointF(0, 300) << QPointF(0, 0);
    QTest::newRow("bottom right") << QPointF(16, 0) << QPointF(100, 60);
    QTest::newRow("middle") << QPointF(8, 150) << QPointF(50, 30);
    QTest::newRow("above the top") << QPointF(4, 600) << QPointF(25, -60);
}

void TestPictureBox::userScaleMapsCorners()
{
    QFETCH(QPointF, user);
    QFETCH(QPointF, pixel);
    auto box = chartBox();
    QCOMPARE(box->ScaleWidth(), 16.0);
    QCOMPARE(box->ScaleHeight(), -300.0);
    QCOMPARE(box->toPixel(user.x(), user.y()), pixel);
}

void TestPictureBox::lineLeavesPositionAtItsEnd()
{
    auto box = chartBox();
    box->Line(1, 2, 3, 4);
    QCOMPARE(box->CurrentX(), 3.0);
    QCOMPARE(box->CurrentY(), 4.0);
    box->Line(5, 6, 7, 8, PictureBox::Shape::Box);
    QCOMPARE(box->CurrentX(), 7.0);
    QCOMPARE(box->CurrentY(), 8.0);
}

void TestPictureBox::boxIsAnOutline()
{
    auto box = chartBox();
    // x 4..8 is pixels 25..50; y 0..150 is pixels 60..30.
    box->Line(4, 0, 8, 150, PictureBox::Shape::Box, QColor(Qt::red));
    const QImage &image = box->image();
    QCOMPARE(image.pixelColor(25, 45), QColor(Qt::red));
    QCOMPARE(image.pixelColor(50, 45), QColor(Qt::red));
    QCOMPARE(image.pixelColor(37, 30), QColor(Qt::red));
    QCOMPARE(image.pixelColor(37, 45), QColor(Qt::white)); // not filled
    QCOMPARE(image.pixelColor(20, 45), QColor(Qt::white));
}

void TestPictureBox::hugeBarIsClipped()
{
    auto box = chartBox();
    // A whole stamp as the interval: far past the top, and far below the bottom.
    box->Line(2, 0, 2.7, 1e9, PictureBox::Shape::Box);
    box->Line(10, 0, 10.7, -1e12, PictureBox::Shape::Box);
    const QImage &image = box->image();
    // Both sides of the tall bar (pixels 12.5 and 16.9) run through the whole height; the
    // negative bar lies below the bottom edge and leaves no full column.
    int fullColumns = 0;
    for (int x = 0; x < image.width(); ++x) {
        if (darkPixelsInColumn(image, x) == image.height()) {
            QVERIFY2(x >= 12 && x <= 17, qPrintable(QString::number(x)));
            ++fullColumns;
        }
    }
    QCOMPARE(fullColumns, 2);
    QVERIFY(darkPixelsInColumn(image, 62) <= 1);
    QCOMPARE(box->CurrentY(), -1e12);
}

void TestPictureBox::printPlacesTextAndStartsNewLine()
{
    auto box = chartBox();
    std::vector<PictureBox::DrawCall> calls;
    box->setDrawObserver([&calls](const PictureBox::DrawCall &call) { calls.push_back(call); });
    box->SetCurrentX(8);
    box->SetCurrentY(150);
    box->Print(QStringLiteral("W"));
    QCOMPARE(calls.size(), std::size_t(1));
    QCOMPARE(calls.front().from, QPointF(8, 150));
    QCOMPARE(calls.front().text, QStringLiteral("W"));
    // Ink right of and below the anchor (pixel 50, 30), none left of or above it.
    const QImage &image = box->image();
    bool inkRightBelow = false;
    for (int y = 30; y < 45 && !inkRightBelow; ++y) {
        for (int x = 50; x < 65; ++x)
            inkRightBelow = inkRightBelow || image.pixelColor(x, y).lightness() < 128;
    }
    QVERIFY(inkRightBelow);
    for (int y = 0; y < 29; ++y)
        QVERIFY(image.pixelColor(55, y).lightness() >= 128);
    // The next line starts at the left edge, one text line lower (downwards is decreasing y).
    QCOMPARE(box->CurrentX(), 0.0);
    QVERIFY(box->CurrentY() < 150.0);
    QCOMPARE(box->CurrentY(), 150.0 - box->TextHeight(QStringLiteral("W")));
}

void TestPictureBox::clsErasesToBackColour()
{
    auto box = chartBox();
    box->Line(0, 150, 16, 150);
    box->SetBackColor(QColor(Qt::green));
    box->Cls();
    const QImage &image = box->image();
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7)
            QCOMPARE(image.pixelColor(x, y), QColor(Qt::green));
    }
}

void TestPictureBox::drawingSurvivesHiding()
{
    QWidget window;
    auto *box = new PictureBox(PictureBox::Border::Sunken, PictureBox::Unit::Pixel, &window);
    box->setGeometry(0, 0, 80, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    box->Line(10, 10, 60, 10, PictureBox::Shape::Line, QColor(Qt::blue));
    box->SetVisible(false);
    QTest::qWait(20);
    box->SetVisible(true);
    const QImage shown = box->grab().toImage();
    const QPoint inside = box->contentsRect().topLeft() + QPoint(30, 10);
    QCOMPARE(shown.pixelColor(inside), QColor(Qt::blue));
}

void TestPictureBox::textMetricsFollowTheScale()
{
    PictureBox box(PictureBox::Border::None, PictureBox::Unit::Pixel);
    box.resize(100, 60);
    const double pixelWidth = box.TextWidth(QStringLiteral("Login"));
    QVERIFY(pixelWidth > 0);
    box.Scale(0, 0, 200, 120); // two units per pixel
    QCOMPARE(box.TextWidth(QStringLiteral("Login")), 2 * pixelWidth);
}

QTEST_MAIN(TestPictureBox)
#include "tst_picturebox.moc"
