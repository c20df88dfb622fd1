// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tickcounter.h"

#include <cstdint>

// The operating system's monotonic clock in 100 ns ticks.
class SystemTickCounter final : public TickCounter
{
public:
    std::int64_t ticks() override;
};

// A count of a counter running at frequency Hz, converted to 100 ns ticks without overflowing
// for any count a real counter reaches. Frequency must be positive.
std::int64_t ticksFromCount(std::int64_t count, std::int64_t frequency);
