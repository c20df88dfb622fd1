// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "commandline.h"
#include "runtimedirectory.h"

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

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
    void browserTextsAreCut_data();
    void browserTextsAreCut();
    void platformOrder_data();
    void platformOrder();
    void noDisplayAdviceStartsTheProgram_data();
    void noDisplayAdviceStartsTheProgram();
    void commandLine_data();
    void commandLine();
    void runtimeDirectory_data();
    void runtimeDirectory();
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
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions)
        texts << action->text();
    QVERIFY2(texts.contains(QStringLiteral("&R\u00fcckg\u00e4ngig\tStrg+Z")), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.contains(QStringLiteral("Alles ausw\u00e4hlen\tStrg+A")), qPrintable(texts.join(u'|')));
}

void TestApplication::browserTextsAreCut_data()
{
    QTest::addColumn<QByteArray>("context");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("expected");
    QTest::newRow("field menu") << QByteArray("QLineEdit") << QByteArray("&Undo") << "&R\u00fcckg\u00e4ngig";
    QTest::newRow("key name") << QByteArray("QShortcut") << QByteArray("Ctrl") << "Strg";
    QTest::newRow("scroll bar menu") << QByteArray("QScrollBar") << QByteArray("Scroll here")
                                     << "Hierher scrollen";
    QTest::newRow("file dialog left out") << QByteArray("QFileDialog") << QByteArray("Open") << QString();
}

void TestApplication::browserTextsAreCut()
{
#ifdef TAKTLOGIN_GERMAN_CUT
    QFETCH(QByteArray, context);
    QFETCH(QByteArray, source);
    QFETCH(QString, expected);
    QTranslator cut;
    QVERIFY(cut.load(QStringLiteral(TAKTLOGIN_GERMAN_CUT)));
    QCOMPARE(cut.translate(context.constData(), source.constData()), expected);
#else
    QSKIP("this build makes no cut of Qt's German texts (a native one does, with qt6-translations-l10n "
          "and python3 installed)");
#endif
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

void TestApplication::commandLine_data()
{
    QTest::addColumn<QString>("arguments"); // split at spaces
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("display");
    const int run = int(CommandLine::Action::Run);
    const int refuse = int(CommandLine::Action::Refuse);
    QTest::newRow("nothing") << "" << run << ""
                             << "";
    QTest::newRow("help") << "--help" << int(CommandLine::Action::ShowHelp) << ""
                          << "";
    QTest::newRow("version after a Qt option")
        << "-platform offscreen -v" << int(CommandLine::Action::ShowVersion) << ""
        << "";
    QTest::newRow("display, two dashes") << "--display :57 -reverse" << run << ""
                                         << ":57";
    QTest::newRow("the last display counts") << "-display :1 -display :2" << run << ""
                                             << ":2";
    QTest::newRow("unknown option")
        << "-x" << refuse
        << "taktlogin: unbekannte Option \u201e-x\u201c (taktlogin --help zeigt die Optionen)"
        << "";
    QTest::newRow("value missing")
        << "-style" << refuse
        << "taktlogin: der Option \u201e-style\u201c fehlt der Wert (taktlogin --help "
           "zeigt die Optionen)"
        << "";
    QTest::newRow("no arguments taken")
        << "geheim" << refuse
        << "taktlogin: unerwartetes Argument \u201egeheim\u201c (taktlogin --help "
           "zeigt die Optionen)"
        << "";
    QTest::newRow("a lone dash")
        << "-" << refuse
        << "taktlogin: unerwartetes Argument \u201e-\u201c (taktlogin --help zeigt die "
           "Optionen)"
        << "";
}

void TestApplication::commandLine()
{
    QFETCH(QString, arguments);
    QFETCH(int, action);
    QFETCH(QString, error);
    QFETCH(QString, display);
    std::vector<std::string> given;
    const QStringList words = arguments.split(u' ', Qt::SkipEmptyParts);
    for (const QString &argument : words)
        given.push_back(argument.toStdString());
    const CommandLine::Decision decision = CommandLine::decide(given);
    QCOMPARE(int(decision.action), action);
    QCOMPARE(QString::fromStdString(decision.error), error);
    QCOMPARE(QString::fromStdString(decision.display), display);
}

void TestApplication::runtimeDirectory_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("usable");
    QTest::newRow("private directory") << "dir 0700" << true;
    QTest::newRow("readable by others") << "dir 0755" << false;
    QTest::newRow("link to a private directory") << "link" << false;
    QTest::newRow("a file") << "file" << false;
    QTest::newRow("missing") << "missing" << false;
}

void TestApplication::runtimeDirectory()
{
#if !defined(Q_OS_UNIX) || defined(Q_OS_MACOS)
    QSKIP("XDG runtime directories are a freedesktop.org matter");
#endif
    QFETCH(QString, kind);
    QFETCH(bool, usable);
    QTemporaryDir temporary;
    const QString path = temporary.path() + QStringLiteral("/runtime");
    const QString target = temporary.path() + QStringLiteral("/target");
    QVERIFY(QDir().mkdir(target));
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    if (kind.startsWith(QStringLiteral("dir"))) {
        QVERIFY(QDir().mkdir(path));
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        if (kind.endsWith(QStringLiteral("0755")))
            permissions |= QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(path, permissions));
    } else if (kind == QStringLiteral("link")) {
        QVERIFY(QFile::link(target, path));
    } else if (kind == QStringLiteral("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(RuntimeDirectory::usable(path.toStdString()), usable);
}

int main(int argc, char *argv[])
{
    // QTest's own options are not the program's: no -platform or -display to take from them.
    const auto app = Application::create(argc, argv, CommandLine::Decision{});
    if (!app)
        return 1;
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
