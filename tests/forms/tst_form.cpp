// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"
#include "screen.h"
#include "twips.h"

#include <QMenuBar>
#include <QTest>

class TestForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void geometryInTwips_data();
    void geometryInTwips();
};

void TestForm::geometryInTwips_data()
{
    QTest::addColumn<int>("clientWidth");
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::addColumn<QSize>("clientPixels"); // 15 twips to the pixel at 96 dpi
    QTest::newRow("small, near the corner") << 4965 << 1830 << 150 << 300 << QSize(331, 122);
    QTest::newRow("large, further in") << 10890 << 4875 << 3000 << 1500 << QSize(726, 325);
}

void TestForm::geometryInTwips()
{
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QFETCH(int, left);
    QFETCH(int, top);
    QFETCH(QSize, clientPixels);
    Form form;
    form.SetClientSize(clientWidth, clientHeight);
    QCOMPARE(form.Client()->size(), clientPixels);

    // Before it is shown the form counts the frame it is about to get, so that it can be
    // placed by its outer size; once shown, size and place are what was foreseen.
    form.Move(left, top);
    const double width = form.Width();
    const double height = form.Height();
    QVERIFY(width >= Twips::fromPixels(form.width()));
    QVERIFY(height >= Twips::fromPixels(form.height()));
    const QPoint frameTopLeft = Screen::originPixels() + QPoint(Twips::toPixels(left), Twips::toPixels(top));
    QCOMPARE(form.frameGeometry().topLeft(), frameTopLeft);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.Width(), width);
    QCOMPARE(form.Height(), height);
    QCOMPARE(form.frameGeometry().topLeft(), frameTopLeft);
    // The menu bar above the client area, nothing else around it.
    QCOMPARE(form.menuBar()->geometry().top(), 0);
    QCOMPARE(form.Client()->geometry().top(), form.menuBar()->geometry().bottom() + 1);
    QCOMPARE(form.size(), QSize(clientPixels.width(), form.Client()->geometry().bottom() + 1));
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
