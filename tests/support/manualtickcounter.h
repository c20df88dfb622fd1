// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tickcounter.h"

#include <cstdint>

// A counter the test sets by hand: every stamp is exactly the value last set.
class ManualTickCounter final : public TickCounter
{
public:
    std::int64_t ticks() override { return m_now; }
    std::int64_t now() const { return m_now; }
    void set(std::int64_t ticks) { m_now = ticks; }
    void advanceMs(std::int64_t milliseconds) { m_now += milliseconds * 10'000; }

private:
    std::int64_t m_now = 0;
};
