// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formharness.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

using Kind = PictureBox::DrawCall::Kind;

namespace {

// Shows the form active with the focus in the first field.
void showActive(FormHarness &h)
{
    h.form->show();
    h.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
    QCOMPARE(QApplication::focusWidget(), h.field(0));
}

} // namespace

class TestLoginFlow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loginIsDisabledAtStartup();
    void leavingAFieldAnalysesIt_data();
    void leavingAFieldAnalysesIt();
    void shortEntryKeepsEarlierAnalysis();
    void pasteIntoResetRowAnalysesWithoutNaN();
    void verdict_data();
    void verdict();
    void clickAnalysesOnlyUnanalysedRows();
    void secondClickShowsTheVerdictOnce();
    void enterJudgesWithoutLeavingTheField();
    void enterOnAbbrechenCloses();
    void menuAndDeactivationDoNotAnalyse();
    void tabOrder_data();
    void tabOrder();
};

void TestLoginFlow::loginIsDisabledAtStartup()
{
    FormHarness h;
    QVERIFY(!h.login()->Enabled());
    showActive(h);
    // Enter with two empty fields must not judge them a correct login.
    QTest::keyClick(h.field(0), Qt::Key_Return);
    const QColor formColour = h.form->palette().color(QPalette::Window);
    const QImage &verdict = h.verdictBox()->image();
    QCOMPARE(FormHarness::countPixels(h.verdictBox(), formColour), verdict.width() * verdict.height());
}

void TestLoginFlow::leavingAFieldAnalysesIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::vector<int>>("gaps");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<QString>("code");
    // The rhythm's own cases are the analysis suites'; here the shortest and the longest entry.
    QTest::newRow("three characters")
        << QStringLiteral("abc") << std::vector<int>{60, 401} << QStringLiteral("3 Zeichen")
        << QStringLiteral("230.5") << QStringLiteral("01");
    std::vector<int> gaps23;
    QString code23;
    for (int i = 0; i < 23; ++i) {
        gaps23.push_back(i % 2 == 0 ? 90 : 310);
        code23 += QLatin1Char(i % 2 == 0 ? '0' : '1');
    }
    QTest::newRow("24 characters") << QStringLiteral("abcdefghijklmnopqrstuvwx") << gaps23
                                   << QStringLiteral("24 Zeichen") << QStringLiteral("200") << code23;
}

void TestLoginFlow::leavingAFieldAnalysesIt()
{
    QFETCH(QString, text);
    QFETCH(std::vector<int>, gaps);
    QFETCH(QString, count);
    QFETCH(QString, threshold);
    QFETCH(QString, code);
    for (int row = 0; row < 2; ++row) {
        FormHarness h;
        showActive(h);
        h.field(row)->setFocus();
        DrawLog log;
        log.attach(h.chart(row));
        h.typeRhythm(row, text, gaps);
        QTest::keyClick(h.field(row), Qt::Key_Tab);
        QCOMPARE(h.display("txtCount", row)->Text(), count);
        QCOMPARE(h.display("txtTakt", row)->Text(), threshold);
        QCOMPARE(h.display("txtPWDT", row)->Text(), code);
        const auto lines = log.ofKind(Kind::Line);
        QCOMPARE(lines.size(), std::size_t(1));
        const double t = threshold.toDouble();
        QCOMPARE(lines[0].from, QPointF(0, t));
        QCOMPARE(lines[0].to, QPointF(16, t));
        QCOMPARE(lines[0].colour, QColor(0, 0, 255));
        QVERIFY(h.display("txtCount", 1 - row)->Text().isEmpty());

        // Leaving again repeats the texts and draws one more line.
        h.field(row)->setFocus(Qt::MouseFocusReason);
        h.field(1 - row)->setFocus(Qt::MouseFocusReason);
        QCOMPARE(h.display("txtPWDT", row)->Text(), code);
        QCOMPARE(log.ofKind(Kind::Line).size(), std::size_t(2));
    }
}

void TestLoginFlow::shortEntryKeepsEarlierAnalysis()
{
    FormHarness h;
    showActive(h);
    h.typeRhythm(0, QStringLiteral("abcde"), {100, 300, 100, 300});
    QTest::keyClick(h.field(0), Qt::Key_Tab);
    QCOMPARE(h.display("txtPWDT", 0)->Text(), QStringLiteral("0101"));
    // Cut to two characters without emptying the field, then leave it again.
    h.field(0)->setFocus(Qt::MouseFocusReason);
    h.field(0)->setSelection(2, 3);
    QTest::keyClick(h.field(0), Qt::Key_Delete);
    QCOMPARE(h.field(0)->Text(), QStringLiteral("ab"));
    QTest::keyClick(h.field(0), Qt::Key_Tab);
    QCOMPARE(h.display("txtCount", 0)->Text(), QStringLiteral("5 Zeichen"));
    QCOMPARE(h.display("txtPWDT", 0)->Text(), QStringLiteral("0101"));
}

void TestLoginFlow::pasteIntoResetRowAnalysesWithoutNaN()
{
    FormHarness h;
    showActive(h);
    h.clock.set(1'234'567'890);
    QApplication::clipboard()->setText(QStringLiteral("wxyz"));
    h.field(0)->paste();
    QTest::keyClick(h.field(0), Qt::Key_Tab);
    QCOMPARE(h.display("txtTakt", 0)->Text(), QStringLiteral("123456.789"));
    QCOMPARE(h.display("txtPWDT", 0)->Text(), QStringLiteral("000"));
}

void TestLoginFlow::verdict_data()
{
    QTest::addColumn<QString>("text0");
    QTest::addColumn<std::vector<int>>("gaps0");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<std::vector<int>>("gaps1");
    QTest::addColumn<bool>("success");
    const std::vector<int> rhythm{60, 400, 60, 400, 60};
    QTest::newRow("same text, same rhythm") << QStringLiteral("geheim") << rhythm << QStringLiteral("geheim")
                                            << std::vector<int>{70, 380, 50, 420, 65} << true;
    QTest::newRow("other rhythm") << QStringLiteral("geheim") << rhythm << QStringLiteral("geheim")
                                  << std::vector<int>{400, 60, 400, 60, 400} << false;
    QTest::newRow("other text, same rhythm")
        << QStringLiteral("geheim") << rhythm << QStringLiteral("gehein") << rhythm << false;
}

void TestLoginFlow::verdict()
{
    QFETCH(QString, text0);
    QFETCH(std::vector<int>, gaps0);
    QFETCH(QString, text1);
    QFETCH(std::vector<int>, gaps1);
    QFETCH(bool, success);
    FormHarness h;
    h.typeRhythm(0, text0, gaps0);
    h.typeRhythm(1, text1, gaps1);
    PictureBox *box = h.verdictBox();
    h.login()->click();

    // A frame two pixels wide in the verdict's colour, and the message in it, centred.
    const QColor colour = success ? QColor(0, 0x80, 0) : QColor(0xC0, 0, 0);
    const QImage &image = box->image();
    const int frame = static_cast<int>(2 * image.devicePixelRatio());
    for (const QPoint edge : {QPoint(0, image.height() / 2), QPoint(frame - 1, image.height() / 2),
                              QPoint(image.width() - 1, image.height() / 2), QPoint(image.width() / 2, 0),
                              QPoint(image.width() / 2, image.height() - 1)})
        QCOMPARE(image.pixelColor(edge), colour);
    QCOMPARE(image.pixelColor(frame, image.height() / 2), box->BackColor());
    QRect message;
    for (int y = frame; y < image.height() - frame; ++y)
        for (int x = frame; x < image.width() - frame; ++x)
            if (image.pixelColor(x, y) != box->BackColor())
                message |= QRect(x, y, 1, 1);
    QVERIFY(message.width() > image.width() / 3);
    QVERIFY2(std::abs(message.left() - (image.width() - 1 - message.right())) <= frame + 1, "not centred");
    QVERIFY2(std::abs(message.top() - (image.height() - 1 - message.bottom())) <= 2 * frame + 2,
             "not centred");
    QCOMPARE(FormHarness::countPixels(box, success ? QColor(0xC0, 0, 0) : QColor(0, 0x80, 0)), 0);
    QCOMPARE(box->accessibleDescription(),
             success ? QStringLiteral("Login korrekt!") : QStringLiteral("Login falsch!"));
}

void TestLoginFlow::clickAnalysesOnlyUnanalysedRows()
{
    FormHarness h;
    showActive(h);
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    QTest::keyClick(h.field(0), Qt::Key_Tab); // row 0 analysed now, the focus in field 1
    QCOMPARE(h.display("txtPWDT", 0)->Text(), QStringLiteral("01010"));
    h.field(0)->setFocus(Qt::MouseFocusReason);
    h.field(0)->end(false);
    // Two more characters without leaving the field: row 0 keeps its earlier code.
    h.typeAfter(0, QLatin1Char('x'), 400);
    h.typeAfter(0, QLatin1Char('y'), 400);
    h.typeRhythm(1, QStringLiteral("geheimxy"), {60, 400, 60, 400, 60, 400, 400});
    DrawLog chart0;
    chart0.attach(h.chart(0));
    h.login()->click();
    QCOMPARE(h.display("txtPWDT", 0)->Text(), QStringLiteral("01010"));
    QVERIFY(chart0.calls().empty());
    QCOMPARE(h.display("txtPWDT", 1)->Text(), QStringLiteral("0101011"));
}

void TestLoginFlow::secondClickShowsTheVerdictOnce()
{
    FormHarness h;
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.typeRhythm(1, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.login()->click();
    const QImage once = h.verdictBox()->image().copy();
    h.login()->click();
    QCOMPARE(h.verdictBox()->image(), once);
    QVERIFY(FormHarness::countPixels(h.verdictBox(), QColor(0, 0x80, 0)) > 0);
}

void TestLoginFlow::enterJudgesWithoutLeavingTheField()
{
    FormHarness h;
    showActive(h);
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    QTest::keyClick(h.field(0), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), h.field(1));
    h.typeRhythm(1, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    QVERIFY(h.display("txtCount", 1)->Text().isEmpty());
    QTest::keyClick(h.field(1), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), h.field(1));
    QCOMPARE(h.display("txtCount", 1)->Text(), QStringLiteral("6 Zeichen"));
    QVERIFY(FormHarness::countPixels(h.verdictBox(), QColor(0, 0x80, 0)) > 0);
}

void TestLoginFlow::enterOnAbbrechenCloses()
{
    FormHarness h;
    showActive(h);
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    h.field(1)->setFocus(Qt::TabFocusReason);
    h.typeRhythm(1, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    QVERIFY(h.login()->Enabled());
    auto *cancel = h.control<CommandButton>("cmdEnd");
    cancel->setFocus(Qt::TabFocusReason);
    QTest::keyClick(cancel, Qt::Key_Return);
    QVERIFY(!h.form->isVisible());
    QCOMPARE(FormHarness::countPixels(h.verdictBox(), QColor(0, 0x80, 0)), 0);
}

void TestLoginFlow::menuAndDeactivationDoNotAnalyse()
{
    FormHarness h;
    showActive(h);
    h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});

    auto *menu = h.form->findChild<QMenu *>(QStringLiteral("mnuAnsicht"));
    QVERIFY(menu);
    h.form->menuBar()->setActiveAction(menu->menuAction());
    QTRY_VERIFY(menu->isVisible());
    menu->close();
    QVERIFY(h.display("txtCount", 0)->Text().isEmpty());

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QVERIFY(h.display("txtCount", 0)->Text().isEmpty());
    h.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
    QCOMPARE(QApplication::focusWidget(), h.field(0));
    QVERIFY(h.display("txtCount", 0)->Text().isEmpty());
}

void TestLoginFlow::tabOrder_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<bool>("loginEnabled");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("Normal, Login disabled")
        << false << false
        << QStringList{QStringLiteral("txtPWD(0)"), QStringLiteral("txtPWD(1)"), QStringLiteral("cmdEnd"),
                       QStringLiteral("picOut"), QStringLiteral("txtPWD(0)")};
    QTest::newRow("Normal, Login enabled")
        << false << true
        << QStringList{QStringLiteral("txtPWD(0)"), QStringLiteral("txtPWD(1)"), QStringLiteral("cmdLogin"),
                       QStringLiteral("cmdEnd"),    QStringLiteral("picOut"),    QStringLiteral("txtPWD(0)")};
    QTest::newRow("Extended, Login enabled")
        << true << true << QStringList{QStringLiteral("txtPWD(0)"),   QStringLiteral("txtPWD(1)"),
                                       QStringLiteral("cmdLogin"),    QStringLiteral("lstPWD(0)"),
                                       QStringLiteral("lstPWD(1)"),   QStringLiteral("cmdEnd"),
                                       QStringLiteral("txtCount(0)"), QStringLiteral("txtCount(1)"),
                                       QStringLiteral("txtTakt(0)"),  QStringLiteral("txtTakt(1)"),
                                       QStringLiteral("txtPWDT(0)"),  QStringLiteral("txtPWDT(1)"),
                                       QStringLiteral("picPWD(0)"),   QStringLiteral("picPWD(1)"),
                                       QStringLiteral("picOut"),      QStringLiteral("txtPWD(0)")};
}

void TestLoginFlow::tabOrder()
{
    QFETCH(bool, extended);
    QFETCH(bool, loginEnabled);
    QFETCH(QStringList, order);
    FormHarness h;
    if (extended)
        h.menuItem("mnuErweitert")->trigger();
    if (loginEnabled) {
        h.typeRhythm(0, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
        h.typeRhythm(1, QStringLiteral("geheim"), {60, 400, 60, 400, 60});
    }
    // While the button is grey it says what it waits for, to the eye and to screen readers.
    const QString reason = loginEnabled
                               ? QString()
                               : QStringLiteral("Login ist m\u00f6glich, sobald beide Felder mindestens 5 "
                                                "Zeichen enthalten.");
    QCOMPARE(h.login()->toolTip(), reason);
    QCOMPARE(h.login()->accessibleDescription(), reason);
    showActive(h);
    QStringList walked{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, order);
}

QTEST_MAIN(TestLoginFlow)
#include "tst_loginflow.moc"
