// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "currency.h"

#include <array>

// The stamp table: for each entry row, the stamp of the latest change after which the row's
// field held n characters (n = 1..24). Slot 0 exists but is never stamped.
class KeyTimes
{
public:
    static constexpr int Rows = 2;
    static constexpr int MaxLength = 24;

    // Zeroes all 25 slots of one row. Throws std::out_of_range for a row other than 0 or 1.
    void resetRow(int row);

    // Stores a stamp for length n. Returns false and changes nothing when the table has no
    // slot for that length (n outside 1..24); throws std::out_of_range for a bad row.
    bool stamp(int row, int n, Currency value);

    // Throws std::out_of_range outside row 0..1, n 0..24.
    Currency at(int row, int n) const;

    // Stamp of slot n minus stamp of slot n - 1, for n = 2..24.
    Currency interval(int row, int n) const;

private:
    static void checkRow(int row);

    std::array<std::array<Currency, MaxLength + 1>, Rows> m_slots{};
};
