// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listbox.h"

ListBox::ListBox(QWidget *parent) : Control<QListWidget>(parent)
{
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void ListBox::AddItem(const QString &line)
{
    addItem(line);
}

void ListBox::Clear()
{
    clear();
}

int ListBox::ListCount() const
{
    return count();
}

QString ListBox::List(int index) const
{
    const QListWidgetItem *line = item(index);
    return line ? line->text() : QString();
}
