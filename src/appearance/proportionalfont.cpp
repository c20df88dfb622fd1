// SPDX-FileCopyrightText: 2026 Taktlogin-Team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "proportionalfont.h"

#include <QFontDatabase>

QString proportionalFamily(const QStringList &preferred, const QStringList &installed,
                           const QString &desktopFamily,
                           const std::function<bool(const QString &)> &isFixedPitch)
{
    const auto installedAs = [&installed](const QString &family) {
        for (const QString &name : installed) {
            if (name.compare(family, Qt::CaseInsensitive) == 0)
                return name;
        }
        return QString();
    };
    for (const QString &family : preferred) {
        const QString name = installedAs(family);
        if (!name.isEmpty() && !isFixedPitch(name))
            return name;
    }
    const QString desktop = installedAs(desktopFamily);
    if (!desktop.isEmpty() && !isFixedPitch(desktop))
        return desktop;
    for (const QString &name : installed) {
        if (!isFixedPitch(name))
            return name;
    }
    return {};
}

QFont proportionalFont(const QStringList &preferred, double pointSize, bool bold)
{
    const QString family = proportionalFamily(
        preferred, QFontDatabase::families(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(),
        [](const QString &name) { return QFontDatabase::isFixedPitch(name); });
    QFont font;
    font.setFamilies(family.isEmpty() ? preferred : QStringList{family});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}
