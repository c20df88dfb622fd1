// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "entrytext.h"

#include <stdexcept>

void EntryText::set(int row, std::u16string text)
{
    if (row < 0 || row > 1)
        throw std::out_of_range("EntryText: row out of range");
    m_texts[static_cast<std::size_t>(row)] = std::move(text);
}

const std::u16string &EntryText::text(int row) const
{
    if (row < 0 || row > 1)
        throw std::out_of_range("EntryText: row out of range");
    return m_texts[static_cast<std::size_t>(row)];
}

int EntryText::length(int row) const
{
    return static_cast<int>(text(row).size());
}
