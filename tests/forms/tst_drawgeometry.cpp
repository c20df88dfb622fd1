// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawgeometry.h"

#include <QTest>

#include <limits>

class TestDrawGeometry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void segment_data();
    void segment();
    void box_data();
    void box();
    void snapToDeviceCell_data();
    void snapToDeviceCell();
};

namespace {
const QRectF Bounds(-3, -3, 106, 56); // a 100 x 50 area with a margin of 3
constexpr double Huge = 1e12;
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
} // namespace

void TestDrawGeometry::segment_data()
{
    QTest::addColumn<QLineF>("segment");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QLineF>("expected");
    QTest::newRow("inside") << QLineF(10, 10, 90, 10) << true << QLineF(10, 10, 90, 10);
    QTest::newRow("horizontal, far too long")
        << QLineF(-Huge, 20, Huge, 20) << true << QLineF(-3, 20, 103, 20);
    QTest::newRow("vertical from far above") << QLineF(5, -Huge, 5, 40) << true << QLineF(5, -3, 5, 40);
    QTest::newRow("diagonal keeps its slope") << QLineF(-10, -10, 20, 20) << true << QLineF(-3, -3, 20, 20);
    QTest::newRow("entirely above") << QLineF(0, -Huge, 100, -Huge) << false << QLineF();
    QTest::newRow("entirely right") << QLineF(200, 0, 300, 40) << false << QLineF();
    QTest::newRow("not finite") << QLineF(0, NaN, 10, 10) << false << QLineF();
}

void TestDrawGeometry::segment()
{
    QFETCH(QLineF, segment);
    QFETCH(bool, visible);
    QFETCH(QLineF, expected);
    const auto clipped = clipSegment(segment, Bounds);
    QCOMPARE(clipped.has_value(), visible);
    if (visible)
        QCOMPARE(*clipped, expected);
}

void TestDrawGeometry::box_data()
{
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QRectF>("expected");
    QTest::newRow("inside") << QPointF(10, 40) << QPointF(20, 5) << true << QRectF(10, 5, 10, 35);
    QTest::newRow("bar millions tall")
        << QPointF(30, 50) << QPointF(35, -Huge) << true << QRectF(30, -3, 5, 53);
    QTest::newRow("corners swapped") << QPointF(35, -Huge) << QPointF(30, 50) << true
                                     << QRectF(30, -3, 5, 53);
    QTest::newRow("bar below the bottom") << QPointF(30, 60) << QPointF(35, Huge) << false << QRectF();
    QTest::newRow("right of the area") << QPointF(150, 0) << QPointF(160, 50) << false << QRectF();
    QTest::newRow("infinite") << QPointF(0, 0) << QPointF(std::numeric_limits<double>::infinity(), 10)
                              << false << QRectF();
}

void TestDrawGeometry::box()
{
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    QFETCH(bool, visible);
    QFETCH(QRectF, expected);
    const auto clipped = clipBox(a, b, Bounds);
    QCOMPARE(clipped.has_value(), visible);
    if (visible)
        QCOMPARE(*clipped, expected);
}

void TestDrawGeometry::snapToDeviceCell_data()
{
    QTest::addColumn<double>("coordinate");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<int>("firstPixel");
    QTest::addColumn<int>("pixels");
    // At 1 a line covers its own cells; at 1.5 every one-pixel line is two device pixels wide
    // wherever it falls, every two-pixel line three.
    QTest::newRow("ratio 1") << 30.0 << 1 << 1.0 << 30 << 1;
    QTest::newRow("ratio 1, width 3") << 7.2 << 3 << 1.0 << 6 << 3;
    QTest::newRow("ratio 1, width 4 leans to larger") << 7.0 << 4 << 1.0 << 6 << 4;
    QTest::newRow("ratio 1, negative") << -0.25 << 1 << 1.0 << -1 << 1;
    QTest::newRow("1.5, even cell") << 10.0 << 1 << 1.5 << 15 << 2;
    QTest::newRow("1.5, odd cell") << 11.0 << 1 << 1.5 << 17 << 2;
    QTest::newRow("1.5, next odd cell") << 13.4 << 1 << 1.5 << 20 << 2;
    QTest::newRow("1.5, width 2 at the edge") << 0.0 << 2 << 1.5 << 0 << 3;
    QTest::newRow("1.5, width 2") << 11.0 << 2 << 1.5 << 17 << 3;
    QTest::newRow("1.25") << 3.0 << 1 << 1.25 << 4 << 1;
    QTest::newRow("1.75") << 3.0 << 1 << 1.75 << 5 << 2;
    QTest::newRow("2, width 2") << 5.0 << 2 << 2.0 << 10 << 4;
    QTest::newRow("no usable ratio counts as 1") << 5.0 << 1 << 0.0 << 5 << 1;
}

void TestDrawGeometry::snapToDeviceCell()
{
    QFETCH(double, coordinate);
    QFETCH(int, width);
    QFETCH(double, ratio);
    QFETCH(int, firstPixel);
    QFETCH(int, pixels);
    QCOMPARE(deviceLineWidth(width, ratio), pixels);
    // A pen of that width centred here covers exactly those device pixels.
    QCOMPARE(::snapToDeviceCell(coordinate, width, ratio), firstPixel + pixels / 2.0);
}

QTEST_APPLESS_MAIN(TestDrawGeometry)
#include "tst_drawgeometry.moc"
