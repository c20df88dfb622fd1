// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemtickcounter.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace {
constexpr std::int64_t TicksPerSecond = 10'000'000;
}

std::int64_t ticksFromCount(std::int64_t count, std::int64_t frequency)
{
    // Whole seconds and the remainder separately: count * 10^7 alone overflows after days.
    const std::int64_t seconds = count / frequency;
    const std::int64_t remainder = count % frequency;
    return seconds * TicksPerSecond + remainder * TicksPerSecond / frequency;
}

std::int64_t SystemTickCounter::ticks()
{
#ifdef _WIN32
    LARGE_INTEGER count;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return ticksFromCount(count.QuadPart, frequency.QuadPart);
#else
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * TicksPerSecond +
           static_cast<std::int64_t>(now.tv_nsec) / 100;
#endif
}
