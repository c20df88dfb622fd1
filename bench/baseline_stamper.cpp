// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Baseline for the timing-fidelity benchmark: a plain QLineEdit whose textChanged is stamped
// with the same clock as the login window and listed in the same form ("c: interval"). Its
// controls carry the login window's accessible names, so one driver reads both.

#include "currency.h"
#include "numbertext.h"
#include "systemtickcounter.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QVBoxLayout>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("baseline_stamper"));
    SystemTickCounter counter;

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Anmelden:"));
    auto *client = new QWidget(&window);
    window.setCentralWidget(client);
    auto *layout = new QVBoxLayout(client);
    auto *field = new QLineEdit(client);
    field->setAccessibleName(QStringLiteral("Passwort eigeben:"));
    auto *list = new QListWidget(client);
    list->setAccessibleName(QStringLiteral("Eingabetakt (ms): (Eingabe)"));
    layout->addWidget(field);
    layout->addWidget(list);

    // Lives as long as the connection: the lambda owns it.
    auto previousStamp = std::make_shared<Currency>();
    QObject::connect(field, &QLineEdit::textChanged, list,
                     [counterOf = &counter, previousStamp, list](const QString &text) {
                         Currency &previous = *previousStamp;
                         const Currency stamp = Currency::fromRaw(counterOf->ticks());
                         if (text.isEmpty()) {
                             list->clear();
                         } else if (list->count() == 0) {
                             list->addItem(text.right(1) + QStringLiteral(": 0"));
                         } else {
                             list->addItem(text.right(1) + QStringLiteral(": ") +
                                           QString::fromStdString(currencyText(stamp - previous, ".")));
                         }
                         previous = stamp;
                     });
    window.resize(300, 400);
    window.show();
    field->setFocus();
    return app.exec();
}
