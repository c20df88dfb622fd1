// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QStringList>

#include <functional>

// Where none of the families asked for is installed, fontconfig hands out its best match,
// which can be a monospace face (Liberation Mono where only fonts-liberation is installed).
// The form is never set in one.

// The first of `preferred` that is installed and proportional; else `desktopFamily` if it is
// proportional; else the first proportional family of `installed`; else nothing. Names compare
// without regard to case, as fontconfig's do.
QString proportionalFamily(const QStringList &preferred, const QStringList &installed,
                           const QString &desktopFamily,
                           const std::function<bool(const QString &)> &isFixedPitch);

// A sans-serif font of the given size and weight in the family proportionalFamily() picks
// from this system's fonts.
QFont proportionalFont(const QStringList &preferred, double pointSize, bool bold);
