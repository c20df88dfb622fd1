// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string>

// The text of each entry row as it was at its latest analysis, in UTF-16 code units.
class EntryText
{
public:
    // Throw std::out_of_range for a row other than 0 or 1.
    void set(int row, std::u16string text);
    const std::u16string &text(int row) const;
    int length(int row) const;

private:
    std::array<std::u16string, 2> m_texts;
};
