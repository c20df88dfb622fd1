// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/application.h"

#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <stdexcept>

namespace {

class ThrowingObject : public QObject
{
public:
    int handled = 0;

    bool event(QEvent *event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        throw std::out_of_range("out of range");
    }
};

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void handlerExceptionCostsOnlyTheEvent();
    void standardTextsAreGerman();
    void platformOrder_data();
    void platformOrder();
    void noDisplayAdviceStartsTheProgram_data();
    void noDisplayAdviceStartsTheProgram();
};

void TestApplication::handlerExceptionCostsOnlyTheEvent()
{
    ThrowingObject object;
    QEvent sent(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&object, &sent));
    QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(object.handled, 2);
}

void TestApplication::standardTextsAreGerman()
{
    qobject_cast<Application *>(qApp)->installGermanTranslations();
    QLineEdit field;
    std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        texts << action->text().section(QLatin1Char('\t'), 0, 0);
    QVERIFY2(texts.contains(QStringLiteral("&R\u00fcckg\u00e4ngig")), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.contains(QStringLiteral("Alles ausw\u00e4hlen")), qPrintable(texts.join(u'|')));
}

void TestApplication::platformOrder_data()
{
    QTest::addColumn<bool>("userChose");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<QString>("expected");
    QTest::newRow("x11 session") << false << ":0"
                                 << ""
                                 << "";
    QTest::newRow("wayland with xwayland") << false << ":0"
                                           << "wayland-0"
                                           << "xcb;wayland";
    QTest::newRow("wayland only") << false << ""
                                  << "wayland-0"
                                  << "wayland";
    QTest::newRow("user's choice wins") << true << ":0"
                                        << "wayland-0"
                                        << "";
    QTest::newRow("nothing to open") << false << ""
                                     << ""
                                     << "";
}

void TestApplication::platformOrder()
{
    QFETCH(bool, userChose);
    QFETCH(QString, display);
    QFETCH(QString, waylandDisplay);
    QFETCH(QString, expected);
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
    expected.clear(); // one platform there: the choice stays Qt's
#endif
    QCOMPARE(QString::fromStdString(Application::preferredPlatforms(userChose, display.toStdString(),
                                                                    waylandDisplay.toStdString())),
             expected);
}

void TestApplication::noDisplayAdviceStartsTheProgram_data()
{
    QTest::addColumn<QString>("invokedAs");
    QTest::addColumn<QString>("command");
    QTest::newRow("found on PATH") << "taktlogin"
                                   << "xvfb-run -a taktlogin ";
    QTest::newRow("from a checkout") << "build/default/src/taktlogin"
                                     << "xvfb-run -a build/default/src/taktlogin ";
    QTest::newRow("spaces and umlauts") << "/home/J\u00f6rg M\u00fcller/taktlogin"
                                        << "xvfb-run -a '/home/J\u00f6rg M\u00fcller/taktlogin' ";
    QTest::newRow("quote in the path") << "/tmp/it's/taktlogin"
                                       << "xvfb-run -a '/tmp/it'\\''s/taktlogin' ";
    QTest::newRow("no argv[0]") << ""
                                << "xvfb-run -a taktlogin ";
}

void TestApplication::noDisplayAdviceStartsTheProgram()
{
    QFETCH(QString, invokedAs);
    QFETCH(QString, command);
    const QString line = QString::fromStdString(
        Application::displayFailureLine("xcb", "offscreen, xcb", ":5", invokedAs.toStdString()));
    QVERIFY2(line.endsWith(QStringLiteral("; ohne Bildschirm so starten: ") + command +
                           QStringLiteral("(xvfb-run aus dem Paket xvfb)")),
             qPrintable(line));
}

int main(int argc, char *argv[])
{
    const auto app = Application::create(argc, argv);
    if (!app)
        return 1;
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
