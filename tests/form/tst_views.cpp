// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "designlayout.h"
#include "formharness.h"
#include "label.h"
#include "twips.h"
#include "viewsettings.h"

#include <QMenuBar>

#include <stdexcept>

namespace {

const char *const DetailControls[] = {
    "lblBezeichnung(2)", "lblBezeichnung(3)", "lblBezeichnung(4)", "lblBezeichnung(5)", "lblBezeichnung(7)",
    "lblBezeichnung(8)", "lblBezeichnung(9)", "txtCount(0)",       "txtTakt(0)",        "txtPWDT(0)",
    "txtCount(1)",       "txtTakt(1)",        "txtPWDT(1)",        "lstPWD(0)",         "lstPWD(1)",
    "picPWD(0)",         "picPWD(1)"};
const char *const AlwaysVisible[] = {
    "lblBezeichnung(1)", "lblBezeichnung(6)", "txtPWD(0)", "txtPWD(1)", "picOut", "cmdLogin", "cmdEnd"};

int topTwips(const FormHarness &h, const char *name)
{
    return static_cast<int>(Twips::fromPixels(h.control(name)->y()));
}

QSize pixels(int widthTwips, int heightTwips)
{
    return {Twips::toPixels(widthTwips), Twips::toPixels(heightTwips)};
}

} // namespace

class TestViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsInNormalView();
    void menuAppliesItsWholeColumn_data();
    void menuAppliesItsWholeColumn();
    void switchingClearsNothing();
    void centring_data();
    void centring();
    void centringOverflowThrows();
    void abbrechenClosesTheWindow();
    void altTapShowsTheMenuTitleAndEscapeReturns();
};

void TestViews::startsInNormalView()
{
    FormHarness h;
    QVERIFY(h.menuItem("mnuNormal")->Checked());
    QVERIFY(!h.menuItem("mnuErweitert")->Checked());
    for (const char *name : DetailControls)
        QVERIFY2(h.control(name)->isHidden(), name);
    QCOMPARE(h.form->centralWidget()->size(), pixels(NormalView.clientWidth, NormalView.clientHeight));
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Anmelden:"));
    QVERIFY(h.form->findChild<QWidget *>(QStringLiteral("lblBezeichnung(0)")) == nullptr);
}

void TestViews::menuAppliesItsWholeColumn_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<bool>("extended");
    const QString erweitert = QStringLiteral("mnuErweitert");
    const QString normal = QStringLiteral("mnuNormal");
    QTest::newRow("Erweitert") << QStringList{erweitert} << true;
    QTest::newRow("Erweitert twice") << QStringList{erweitert, erweitert} << true;
    QTest::newRow("Erweitert, Normal") << QStringList{erweitert, normal} << false;
    QTest::newRow("Normal twice") << QStringList{normal, normal} << false;
    QTest::newRow("Normal, Erweitert, Normal, Erweitert")
        << QStringList{normal, erweitert, normal, erweitert} << true;
}

void TestViews::menuAppliesItsWholeColumn()
{
    QFETCH(QStringList, choices);
    QFETCH(bool, extended);
    FormHarness h;
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    const QPoint topLeft = h.form->pos();
    for (const QString &choice : choices)
        h.menuItem(choice.toLatin1().constData())->trigger();

    const ViewSettings &view = extended ? ExtendedView : NormalView;
    QCOMPARE(h.menuItem("mnuNormal")->Checked(), !extended);
    QCOMPARE(h.menuItem("mnuErweitert")->Checked(), extended);
    for (const char *name : DetailControls)
        QVERIFY2(h.control(name)->isVisible() == extended, name);
    for (const char *name : AlwaysVisible)
        QVERIFY2(h.control(name)->isVisible(), name);
    QCOMPARE(topTwips(h, "lblBezeichnung(1)"), view.lblBezeichnung1Top);
    QCOMPARE(topTwips(h, "txtPWD(1)"), view.txtPWD1Top);
    QCOMPARE(topTwips(h, "picOut"), view.picOutTop);
    QCOMPARE(topTwips(h, "cmdEnd"), view.cmdEndTop);
    QCOMPARE(topTwips(h, "cmdLogin"), view.cmdLoginTop);
    // Everything else stays where it was designed.
    for (const char *name : {"txtPWD(0)", "txtCount(1)"})
        QCOMPARE(topTwips(h, name), placementOf(name)->top);
    const QSize client = pixels(view.clientWidth, view.clientHeight);
    QCOMPARE(h.form->centralWidget()->size(), client);
    QCOMPARE(h.form->size(), client + QSize(0, h.form->menuBar()->height()));
    QCOMPARE(h.form->minimumSize(), h.form->maximumSize()); // only the program resizes it
    QCOMPARE(h.form->pos(), topLeft);
}

void TestViews::switchingClearsNothing()
{
    FormHarness h;
    h.form->show();
    h.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
    h.typeRhythm(0, QStringLiteral("geheim"), {100, 300, 100, 300, 100});
    h.field(1)->setFocus(Qt::TabFocusReason);
    h.typeRhythm(1, QStringLiteral("geheim"), {100, 300, 100, 300, 100});
    h.login()->click();
    const QStringList lines0 = h.lines(0);
    const QString code0 = h.display("txtPWDT", 0)->Text();
    const QImage chart0 = h.chart(0)->image().copy();
    const QImage verdict = h.verdictBox()->image().copy();
    QVERIFY(!code0.isEmpty());

    h.menuItem("mnuErweitert")->trigger();
    h.menuItem("mnuNormal")->trigger();
    h.menuItem("mnuErweitert")->trigger();

    QCOMPARE(h.lines(0), lines0);
    QCOMPARE(h.display("txtPWDT", 0)->Text(), code0);
    QCOMPARE(h.chart(0)->image(), chart0);
    QCOMPARE(h.verdictBox()->image(), verdict);
    QCOMPARE(h.field(1)->Text(), QStringLiteral("geheim"));
}

void TestViews::centring_data()
{
    QTest::addColumn<double>("screen");
    QTest::addColumn<double>("form");
    QTest::addColumn<int>("position");
    QTest::newRow("19200 wide") << 19200.0 << 5115.0 << 7042;
    QTest::newRow("10800 high") << 10800.0 << 2505.0 << 4147;
    QTest::newRow("even difference") << 1000.0 << 500.0 << 250;
    QTest::newRow("window larger, odd") << 100.0 << 105.0 << -2;
    QTest::newRow("half rounds to even, down") << 100.5 << 100.0 << 0;
    QTest::newRow("half rounds to even, up") << 101.5 << 100.0 << 1;
    QTest::newRow("negative half") << 100.0 << 102.5 << -1;
}

void TestViews::centring()
{
    QFETCH(double, screen);
    QFETCH(double, form);
    QFETCH(int, position);
    QCOMPARE(centredPosition(screen, form), position);
}

void TestViews::centringOverflowThrows()
{
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, centredPosition(3e9, 0));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, centredPosition(0, 3e9));
}

void TestViews::abbrechenClosesTheWindow()
{
    FormHarness h;
    h.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
    h.control<CommandButton>("cmdEnd")->click();
    QVERIFY(!h.form->isVisible());
}

void TestViews::altTapShowsTheMenuTitleAndEscapeReturns()
{
    FormHarness h;
    h.form->show();
    h.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
    QMenuBar *bar = h.form->menuBar();
    const QRect title = bar->actionGeometry(bar->actions().constFirst());
    const QImage before = bar->grab(title).toImage();

    QTest::keyClick(h.field(0), Qt::Key_A);
    QTest::keyClick(h.field(0), Qt::Key_B);
    QTest::keyClick(h.field(0), Qt::Key_Alt);
    // As on Windows: the menu bar has the keyboard, and its title shows it.
    QTRY_VERIFY(bar->hasFocus());
    QVERIFY(bar->grab(title).toImage() != before);

    QTest::keyClick(bar, Qt::Key_Escape);
    QTRY_COMPARE(QApplication::focusWidget(), h.field(0));
    QCOMPARE(bar->grab(title).toImage(), before);
    QTest::keyClick(h.field(0), Qt::Key_C);
    QTest::keyClick(h.field(0), Qt::Key_D);
    QCOMPARE(h.field(0)->Text(), QStringLiteral("abcd"));
    QCOMPARE(h.lines(0).size(), 4);
}

QTEST_MAIN(TestViews)
#include "tst_views.moc"
