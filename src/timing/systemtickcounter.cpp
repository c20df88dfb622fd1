// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemtickcounter.h"

#ifdef __EMSCRIPTEN__
#include <cmath>
#include <emscripten.h>
#elif defined(_WIN32)
#include <windows.h>
#else
#include <time.h>
#endif

namespace {
constexpr std::int64_t TicksPerSecond = 10'000'000;
}

#ifdef __EMSCRIPTEN__
// The page hands over when the browser made the event now being handled (its timeStamp, on the
// clock of performance.now()), so that a main thread that comes to a key late on a busy machine
// changes no interval. Outside such an event: the clock itself.
// clang-format off
EM_JS(double, eventOrNowMilliseconds, (), {
    const stamp = globalThis.taktloginEventStamp;
    return typeof stamp === 'number' ? stamp : performance.now();
});
// clang-format on
#endif

std::int64_t ticksFromCount(std::int64_t count, std::int64_t frequency)
{
    // Whole seconds and the remainder separately: count * 10^7 alone overflows after days.
    const std::int64_t seconds = count / frequency;
    const std::int64_t remainder = count % frequency;
    return seconds * TicksPerSecond + remainder * TicksPerSecond / frequency;
}

std::int64_t SystemTickCounter::ticks()
{
#ifdef __EMSCRIPTEN__
    return std::llround(eventOrNowMilliseconds() * (TicksPerSecond / 1000));
#elif defined(_WIN32)
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
