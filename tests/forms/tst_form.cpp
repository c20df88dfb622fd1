// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"
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
    QTest::newRow("small, near the corner") << 4965 << 1830 << 150 << 300;
    QTest::newRow("large, further in") << 10890 << 4875 << 3000 << 1500;
}

void TestForm::geometryInTwips()
{
    QFETCH(int, clientWidth);
    QFETCH(int, clientHeight);
    QFETCH(int, left);
    QFETCH(int, top);
    Form form;
    form.SetClientSize(clientWidth, clientHeight);
    QCOMPARE(form.Client()->size(), QSize(Twips::toPixels(clientWidth), Twips::toPixels(clientHeight)));
    QCOMPARE(form.height(), form.Client()->height() + form.menuBar()->sizeHint().height());

    // Before it is shown the form counts the frame it is about to get, so that it can be
    // placed by its outer size; once shown, size and place are what was foreseen.
    form.Move(left, top);
    const double width = form.Width();
    const double height = form.Height();
    QVERIFY(width >= Twips::fromPixels(form.width()));
    QVERIFY(height >= Twips::fromPixels(form.height()));
    QCOMPARE(form.Left(), double(left));
    QCOMPARE(form.Top(), double(top));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.Width(), width);
    QCOMPARE(form.Height(), height);
    QCOMPARE(form.Left(), double(left));
    QCOMPARE(form.Top(), double(top));
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
