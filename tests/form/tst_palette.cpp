// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

// The output boxes keep their pale yellow whatever the desktop's palette; what is drawn on them
// must read there, and the verdict must read on the form's colour. Measured in grabbed pixels.

#include "contrast.h"
#include "formharness.h"

#include <QApplication>
#include <QPalette>

namespace {

QPalette darkPalette(const QColor &window, const QColor &text)
{
    QPalette palette;
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base, QPalette::AlternateBase})
        palette.setColor(role, window);
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text, QPalette::BrightText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::HighlightedText, text);
    return palette;
}

// The highest contrast any pixel of the area has against the background: anti-aliased text
// has its full colour in the middle of its strokes.
double strongestContrast(const QImage &image, const QRect &area, const QColor &background)
{
    double strongest = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            strongest = std::max(strongest, Contrast::ratio(image.pixelColor(x, y), background));
    }
    return strongest;
}

// The inside of a widget as it is on screen, without its frame.
double textContrast(QWidget *widget, const QColor &background)
{
    const QImage image = widget->grab().toImage();
    return strongestContrast(image, image.rect().adjusted(4, 4, -4, -4), background);
}

} // namespace

class TestPalette : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outputReadsOnItsBackground_data();
    void outputReadsOnItsBackground();
    void lightPaletteKeepsTheDesign();
};

void TestPalette::outputReadsOnItsBackground_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("correct");
    const QPalette breezeDark = darkPalette(QColor(42, 46, 50), QColor(252, 252, 252));
    const QPalette adwaitaDark = darkPalette(QColor(53, 53, 53), QColor(238, 238, 236));
    QTest::newRow("light, correct") << QPalette() << true;
    QTest::newRow("light, wrong") << QPalette() << false;
    QTest::newRow("breeze dark, correct") << breezeDark << true;
    QTest::newRow("breeze dark, wrong") << breezeDark << false;
    QTest::newRow("adwaita dark, correct") << adwaitaDark << true;
    QTest::newRow("adwaita dark, wrong") << adwaitaDark << false;
}

void TestPalette::outputReadsOnItsBackground()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, correct);
    const QPalette original = QApplication::palette();
    QApplication::setPalette(palette);
    auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });

    FormHarness h;
    DrawLog bars;
    bars.attach(h.chart(0));
    h.menuItem("mnuErweitert")->trigger();
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.typeRhythm(1, QStringLiteral("geheim"), {60, 400, 60, correct ? 400 : 60, 60});
    h.login()->click();

    const QColor paleYellow(255, 255, 221);
    for (const char *kind : {"txtCount", "txtTakt", "txtPWDT"}) {
        TextBox *box = h.display(kind, 0);
        QVERIFY(!box->Text().isEmpty());
        const double contrast = textContrast(box, paleYellow);
        QVERIFY2(contrast >= Contrast::Text,
                 qPrintable(QStringLiteral("%1: %2").arg(box->objectName()).arg(contrast)));
    }
    // The list lays out its lines when the event loop next runs.
    QCoreApplication::processEvents();
    const double listContrast = textContrast(h.list(0), paleYellow);
    QVERIFY2(listContrast >= Contrast::Text, qPrintable(QString::number(listContrast)));

    // Each bar's left edge, halfway up, in the chart's drawing at device resolution.
    PictureBox *chart = h.chart(0);
    const QImage &drawing = chart->image();
    const auto boxes = bars.ofKind(PictureBox::DrawCall::Kind::Box);
    QCOMPARE(boxes.size(), std::size_t(5));
    for (const auto &bar : boxes) {
        const QPointF edge =
            chart->toPixel(bar.from.x(), (bar.from.y() + bar.to.y()) / 2) * drawing.devicePixelRatio();
        const QRect around(QPoint(int(edge.x()) - 1, int(edge.y()) - 1), QSize(3, 3));
        const double contrast = strongestContrast(drawing, around & drawing.rect(), paleYellow);
        QVERIFY2(contrast >= Contrast::Graphics, qPrintable(QString::number(contrast)));
    }
    // The characters under the bars are text.
    QVERIFY(Contrast::ratio(chart->ForeColor(), paleYellow) >= Contrast::Text);

    // The verdict on the form's colour, still green or red.
    PictureBox *verdict = h.verdictBox();
    const QImage &verdictImage = verdict->image();
    QColor strongest = verdict->BackColor();
    for (int y = 0; y < verdictImage.height(); ++y) {
        for (int x = 0; x < verdictImage.width(); ++x) {
            const QColor pixel = verdictImage.pixelColor(x, y);
            if (Contrast::ratio(pixel, verdict->BackColor()) >
                Contrast::ratio(strongest, verdict->BackColor()))
                strongest = pixel;
        }
    }
    const bool light = Contrast::isLight(verdict->BackColor());
    // A light palette keeps the design's green, whatever its contrast (4.47:1 on Fusion's grey).
    if (!light)
        QVERIFY2(Contrast::ratio(strongest, verdict->BackColor()) >= Contrast::Text,
                 qPrintable(strongest.name()));
    const double hue = strongest.hslHueF() * 360;
    QVERIFY2(correct ? std::abs(hue - 120) < 2 : (hue < 2 || hue > 358), qPrintable(strongest.name()));
}

void TestPalette::lightPaletteKeepsTheDesign()
{
    FormHarness h;
    h.menuItem("mnuErweitert")->trigger();
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.typeRhythm(1, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.login()->click();
    // The desktop's own colours on the pale yellow, and the design's green exactly.
    QCOMPARE(h.display("txtPWDT", 0)->palette().color(QPalette::Text),
             QApplication::palette().color(QPalette::Text));
    QCOMPARE(h.list(1)->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
    QCOMPARE(h.chart(1)->ForeColor(), QApplication::palette().color(QPalette::ButtonText));
    QVERIFY(FormHarness::countPixels(h.verdictBox(), QColor(0, 128, 0)) > 0);
}

QTEST_MAIN(TestPalette)

#include "tst_palette.moc"
