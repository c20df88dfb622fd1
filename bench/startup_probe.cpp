// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up and memory probe, run as a separate process per measurement by startup_memory.py.
//   startup_probe taktlogin   the login window as main() builds it
//   startup_probe baseline    a bare window with the same widgets: 9 labels, 8 line edits,
//                             2 lists, 3 frames, 2 buttons and a menu with two items
//   startup_probe keystrokes N  N keystrokes into the login window, emptied every 20
// The first two print the CLOCK_MONOTONIC time of the first frame, so that the caller can
// subtract its own time of starting the process, and the peak resident memory at that point.

#include "form1.h"
#include "systemtickcounter.h"
#include "windowframe.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// A field of /proc/self/status in KiB, such as VmHWM (peak) or VmRSS (current).
long statusKib(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toLong();
    }
    return -1;
}

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

// Reports once, when the window has painted for the first time, then quits.
class FirstFrame : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_reported) {
            m_reported = true;
            // After this paint event the frame is complete; report as soon as it returns.
            QTimer::singleShot(0, this, [] {
                std::printf("first-frame-ns %lld\npeak-rss-kib %ld\n", monotonicNanoseconds(),
                            statusKib("VmHWM"));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_reported = false;
};

std::unique_ptr<QMainWindow> bareWindow()
{
    auto window = std::make_unique<QMainWindow>();
    auto *client = new QWidget(window.get());
    window->setCentralWidget(client);
    for (int i = 0; i < 9; ++i)
        (new QLabel(QStringLiteral("Beschriftung %1").arg(i), client))->setGeometry(8, 8 + 20 * i, 145, 17);
    for (int i = 0; i < 8; ++i)
        (new QLineEdit(client))->setGeometry(168, 8 + 30 * i, 153, 25);
    for (int i = 0; i < 2; ++i)
        (new QListWidget(client))->setGeometry(332, 24 + 132 * i, 153, 122);
    for (int i = 0; i < 3; ++i)
        (new QFrame(client))->setGeometry(484, 24 + 100 * i, 233, 90);
    auto *cancel = new QPushButton(QStringLiteral("Abbrechen"), client);
    cancel->setGeometry(168, 288, 81, 25);
    auto *login = new QPushButton(QStringLiteral("Login"), client);
    login->setGeometry(252, 288, 69, 25);
    QMenu *menu = window->menuBar()->addMenu(QStringLiteral("Ansicht"));
    menu->addAction(QStringLiteral("Normal"));
    menu->addAction(QStringLiteral("Erweitert"));
    client->setFixedSize(331, 122);
    return window;
}

int keystrokes(int count)
{
    SystemTickCounter counter;
    Form1 form(counter, &WindowFrame::expectedMargins);
    form.findChild<QAction *>(QStringLiteral("mnuErweitert"))->trigger();
    form.show();
    auto *field = form.findChild<QLineEdit *>(QStringLiteral("txtPWD(0)"));
    field->setFocus();
    // Memory is compared against its level after a warm-up (1000 keystrokes, less on short runs).
    const int warmUp = std::min(1000, count / 2);
    long afterWarmUp = -1;
    for (int i = 0; i < count; ++i) {
        if (i % 20 == 19) {
            QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
            QApplication::sendEvent(field, &backspace);
        } else {
            const QString text(QLatin1Char(static_cast<char>('a' + i % 26)));
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, text);
            QApplication::sendEvent(field, &press);
        }
        QCoreApplication::processEvents();
        if (i + 1 == warmUp)
            afterWarmUp = statusKib("VmRSS");
    }
    std::printf("warm-up-keystrokes %d\nrss-after-warm-up-kib %ld\nrss-at-end-kib %ld\n", warmUp, afterWarmUp,
                statusKib("VmRSS"));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    QApplication app(argc, argv);
    if (mode == "keystrokes")
        return keystrokes(argc > 2 ? QByteArray(argv[2]).toInt() : 10000);

    FirstFrame firstFrame;
    SystemTickCounter counter;
    std::unique_ptr<QMainWindow> window;
    if (mode == "taktlogin") {
        window = std::make_unique<Form1>(counter, &WindowFrame::expectedMargins);
    } else if (mode == "baseline") {
        window = bareWindow();
    } else {
        std::fprintf(stderr, "usage: startup_probe taktlogin|baseline|keystrokes [N]\n");
        return 2;
    }
    window->installEventFilter(&firstFrame);
    window->show();
    return app.exec();
}
