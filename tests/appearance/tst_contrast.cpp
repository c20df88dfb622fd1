// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contrast.h"

#include <QTest>

namespace {
const QColor PaleYellow(255, 255, 221);
const QColor BreezeDarkWindow(42, 46, 50);
const QColor FusionWindow(239, 239, 239);
const QColor DesignGreen(0, 128, 0);
const QColor DesignRed(192, 0, 0);
} // namespace

class TestContrast : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ratio_data();
    void ratio();
    void readableOn_data();
    void readableOn();
    void designColourOn_data();
    void designColourOn();
};

void TestContrast::ratio_data()
{
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("expected");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("same colour") << PaleYellow << PaleYellow << 1.0;
    QTest::newRow("order does not matter") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    // The failures seen with a dark palette: its text on pale yellow, the design's green on it.
    QTest::newRow("breeze dark text on pale yellow") << QColor(252, 252, 247) << PaleYellow << 1.01;
    QTest::newRow("green on breeze dark window") << DesignGreen << BreezeDarkWindow << 2.66;
    QTest::newRow("red on breeze dark window") << DesignRed << BreezeDarkWindow << 2.11;
}

void TestContrast::ratio()
{
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, expected);
    QVERIFY2(std::abs(Contrast::ratio(a, b) - expected) < 0.01,
             qPrintable(QString::number(Contrast::ratio(a, b))));
}

void TestContrast::readableOn_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("preferred");
    QTest::addColumn<bool>("kept");
    QTest::newRow("light palette text is kept") << PaleYellow << QColor(Qt::black) << true;
    QTest::newRow("dark grey text is kept") << PaleYellow << QColor(80, 80, 80) << true;
    QTest::newRow("breeze dark text is replaced") << PaleYellow << QColor(252, 252, 252) << false;
    QTest::newRow("adwaita dark text is replaced") << PaleYellow << QColor(238, 238, 236) << false;
    QTest::newRow("light text on a dark box is kept") << BreezeDarkWindow << QColor(252, 252, 252) << true;
    QTest::newRow("dark text on a dark box is replaced") << BreezeDarkWindow << QColor(35, 38, 41) << false;
}

void TestContrast::readableOn()
{
    QFETCH(QColor, background);
    QFETCH(QColor, preferred);
    QFETCH(bool, kept);
    const QColor chosen = Contrast::readableOn(background, preferred, Contrast::Text, Contrast::ClearText);
    if (kept) {
        QCOMPARE(chosen, preferred);
        return;
    }
    QVERIFY2(Contrast::ratio(chosen, background) >= Contrast::ClearText, qPrintable(chosen.name()));
    // Away from the background: darker on a light one, lighter on a dark one.
    QCOMPARE(chosen.lightness() < preferred.lightness(), Contrast::isLight(background));
}

void TestContrast::designColourOn_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("design");
    QTest::addColumn<bool>("unchanged");
    // The design's green is 4.47:1 on Fusion's light grey; a light palette keeps it anyway.
    QTest::newRow("green on light grey") << FusionWindow << DesignGreen << true;
    QTest::newRow("red on light grey") << FusionWindow << DesignRed << true;
    QTest::newRow("green on white") << QColor(Qt::white) << DesignGreen << true;
    QTest::newRow("green on breeze dark") << BreezeDarkWindow << DesignGreen << false;
    QTest::newRow("red on breeze dark") << BreezeDarkWindow << DesignRed << false;
    QTest::newRow("red on black") << QColor(Qt::black) << DesignRed << false;
    QTest::newRow("green on adwaita dark") << QColor(53, 53, 53) << DesignGreen << false;
}

void TestContrast::designColourOn()
{
    QFETCH(QColor, background);
    QFETCH(QColor, design);
    QFETCH(bool, unchanged);
    const QColor chosen = Contrast::designColourOn(background, design, Contrast::Text);
    if (unchanged) {
        QCOMPARE(chosen, design);
        return;
    }
    QVERIFY2(Contrast::ratio(chosen, background) >= Contrast::Text, qPrintable(chosen.name()));
    // Still green, still red: the hue stays.
    QVERIFY2(std::abs(chosen.hslHueF() - design.hslHueF()) < 0.01, qPrintable(chosen.name()));
    QVERIFY(chosen.lightness() > design.lightness());
}

// QTEST_MAIN: on Windows the suite is started with -platform, which only a GUI application takes.
QTEST_MAIN(TestContrast)

#include "tst_contrast.moc"
