// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keytimes.h"

#include <stdexcept>

void KeyTimes::checkRow(int row)
{
    if (row < 0 || row >= Rows)
        throw std::out_of_range("KeyTimes: row out of range");
}

void KeyTimes::resetRow(int row)
{
    checkRow(row);
    m_slots[static_cast<std::size_t>(row)].fill(Currency());
}

bool KeyTimes::stamp(int row, int n, Currency value)
{
    checkRow(row);
    if (n < 1 || n > MaxLength)
        return false;
    m_slots[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)] = value;
    return true;
}

Currency KeyTimes::at(int row, int n) const
{
    checkRow(row);
    if (n < 0 || n > MaxLength)
        throw std::out_of_range("KeyTimes: length out of range");
    return m_slots[static_cast<std::size_t>(row)][static_cast<std::size_t>(n)];
}

Currency KeyTimes::interval(int row, int n) const
{
    if (n < 2)
        throw std::out_of_range("KeyTimes: no interval before the second character");
    return at(row, n) - at(row, n - 1);
}
