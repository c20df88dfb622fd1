// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "proportionalfont.h"

#include <QTest>

namespace {
QStringList names(const char *commaSeparated)
{
    return QString::fromUtf8(commaSeparated).split(QLatin1Char(','), Qt::SkipEmptyParts);
}
} // namespace

class TestProportionalFont : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choosesAProportionalFamily_data();
    void choosesAProportionalFamily();
};

void TestProportionalFont::choosesAProportionalFamily_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<QString>("expected");
    const QStringList mono{QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")};
    QTest::newRow("verdana first") << names("DejaVu Sans,Verdana,Arial") << ""
                                   << "Verdana";
    QTest::newRow("debian default") << names("DejaVu Sans Mono,DejaVu Sans,DejaVu Serif") << ""
                                    << "DejaVu Sans";
    QTest::newRow("only fonts-liberation") << names("Liberation Mono,Liberation Sans,Liberation Serif") << ""
                                           << "Liberation Sans";
    QTest::newRow("names compare without case") << names("liberation sans") << ""
                                                << "liberation sans";
    QTest::newRow("windows") << names("Arial,Consolas,Segoe UI") << "Segoe UI"
                             << "Arial";
    QTest::newRow("none preferred: desktop font") << names("Cantarell,Source Code Pro") << "Cantarell"
                                                  << "Cantarell";
    QTest::newRow("monospace desktop font is passed over")
        << names("Source Code Pro,Gentium") << "Source Code Pro"
        << "Gentium";
    QTest::newRow("never a monospace face") << mono << "Liberation Mono"
                                            << "";
}

void TestProportionalFont::choosesAProportionalFamily()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, desktop);
    QFETCH(QString, expected);
    const QStringList fixedPitch{QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                                 QStringLiteral("Consolas"), QStringLiteral("Source Code Pro")};
    const QStringList preferred{QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans"),
                                QStringLiteral("Arial")};
    QCOMPARE(proportionalFamily(preferred, installed, desktop,
                                [&fixedPitch](const QString &name) { return fixedPitch.contains(name); }),
             expected);
}

// QTEST_MAIN: on Windows the suite is started with -platform, which only a GUI application takes.
QTEST_MAIN(TestProportionalFont)

#include "tst_proportionalfont.moc"
