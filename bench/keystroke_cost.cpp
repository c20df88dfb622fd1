// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Cost of one typed character, in process on the offscreen platform: the key event, the stamp,
// the list line, the bar and its label, and (with repaint:1) the repaint the event loop then does. The
// baseline is a bare QLineEdit whose textChanged appends a line to a QListWidget. Every 20 characters the
// field is emptied outside the timed region, as Backspace does in the window.

#include "form1.h"
#include "systemtickcounter.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>
#include <memory>

namespace {

void typeCharacter(QWidget *field, int index, bool repaint)
{
    const QChar character = QLatin1Char(static_cast<char>('a' + index % 26));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + index % 26, Qt::NoModifier, QString(character));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + index % 26, Qt::NoModifier, QString(character));
    QApplication::sendEvent(field, &press);
    QApplication::sendEvent(field, &release);
    if (repaint)
        QCoreApplication::processEvents();
}

// Empties the field as the window's Backspace does; the baseline clears its list with it.
void emptyField(QLineEdit *field)
{
    field->clear();
    QCoreApplication::processEvents();
}

void typeIntoShownField(benchmark::State &state, QWidget *window, QLineEdit *field)
{
    window->show();
    field->setFocus();
    QCoreApplication::processEvents();
    int typed = 0;
    for (auto _ : state) {
        if (typed == 20) {
            state.PauseTiming();
            emptyField(field);
            typed = 0;
            state.ResumeTiming();
        }
        typeCharacter(field, typed++, state.range(0) != 0);
    }
    QCoreApplication::processEvents();
}

void Taktlogin(benchmark::State &state)
{
    SystemTickCounter counter;
    Form1 form(counter);
    // The Extended view, so that the list and the chart are on screen and repainted.
    form.findChild<QAction *>(QStringLiteral("mnuErweitert"))->trigger();
    typeIntoShownField(state, &form, form.findChild<QLineEdit *>(QStringLiteral("txtPWD(0)")));
}

void Baseline(benchmark::State &state)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *field = new QLineEdit(&window);
    auto *list = new QListWidget(&window);
    layout->addWidget(field);
    layout->addWidget(list);
    QObject::connect(field, &QLineEdit::textChanged, list, [list](const QString &text) {
        if (text.isEmpty())
            list->clear();
        else
            list->addItem(text.right(1));
    });
    typeIntoShownField(state, &window, field);
}

// Argument 1: with the repaint the event loop does after the key; 0: the handling alone.
// Google Benchmark registers each benchmark in a static object of its own.
// clazy:excludeall=non-pod-global-static
BENCHMARK(Baseline)->ArgName("repaint")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(Taktlogin)->ArgName("repaint")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
