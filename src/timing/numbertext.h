// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "currency.h"

#include <cstdint>
#include <string>
#include <string_view>

// Text forms of numbers as the form shows them: shortest decimal text, no digit grouping, no
// trailing zeros, a leading "-" for negatives, and the caller's decimal separator (the user's
// locale decides it). All results are UTF-8.

std::string integerText(std::int64_t value);

// At most four decimals: 150, 1.2345, -3.5, 0.
std::string currencyText(Currency value, std::string_view decimalSeparator);

// The shortest text, with at most 15 significant digits, that reads back as the same value
// (or, if none does, the value rounded to 15 digits): 200, 150.5, 1234.56785. Values from
// 1e15 on, and below 1e-5, use an exponent: 1E+15, 2.5E-06.
std::string doubleText(double value, std::string_view decimalSeparator);
