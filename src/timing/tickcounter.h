// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// Source of keystroke stamps: a monotonic 64-bit count of 100 ns ticks (10 MHz), so that a
// stamp divided by 10,000 is milliseconds. The form takes one by reference, tests a manual one.
class TickCounter
{
public:
    virtual ~TickCounter() = default;
    virtual std::int64_t ticks() = 0;
};
