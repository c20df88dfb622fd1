// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "screen.h"

#include "twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QRect primaryGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}
} // namespace

double Screen::Width()
{
    return Twips::fromPixels(primaryGeometry().width());
}

double Screen::Height()
{
    return Twips::fromPixels(primaryGeometry().height());
}

QPoint Screen::originPixels()
{
    return primaryGeometry().topLeft();
}
