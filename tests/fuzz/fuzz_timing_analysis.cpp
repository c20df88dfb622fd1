// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the Qt-free core: number text forms, the rhythm threshold and the rhythm code.
// Every property checked here is one the window relies on.

#include "currency.h"
#include "numbertext.h"
#include "rhythm.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <vector>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

void currencyTextReadsBack(std::int64_t raw)
{
    const std::string text = currencyText(Currency::fromRaw(raw), ".");
    check(!text.empty(), "currency text empty");
    const bool negative = text.front() == '-';
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(
        negative ? 1 : 0, dot == std::string::npos ? std::string::npos : dot - (negative ? 1 : 0));
    const std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    check(fraction.size() <= 4, "more than four decimals");
    check(fraction.empty() || fraction.back() != '0', "trailing zero");
    check(whole == "0" || whole.front() != '0', "leading zero");
    check(text.find(',') == std::string::npos, "grouping");
    // Rebuild the raw value from the digits, as unsigned magnitude.
    std::uint64_t magnitude = std::strtoull(whole.c_str(), nullptr, 10) * 10000;
    std::string padded = fraction;
    padded.append(4 - padded.size(), '0');
    magnitude += std::strtoull(padded.c_str(), nullptr, 10);
    const std::uint64_t expected =
        raw < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    check(magnitude == expected, "currency text does not read back");
    check(negative == (raw < 0), "sign");
}

void doubleTextReadsBack(double value)
{
    if (!std::isfinite(value))
        return;
    const std::string text = doubleText(value, ".");
    std::string digits;
    for (char c : text.substr(0, text.find('E'))) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    const std::size_t first = digits.find_first_not_of('0');
    const std::size_t significant = first == std::string::npos ? 0 : digits.size() - first;
    check(significant <= 15 || text.find('E') == std::string::npos, "too many significant digits");
    // Read back with the wider range of long double: near the largest double, 15 rounded digits
    // name a value just beyond it. The fuzzer runs in the C locale.
    const long double readBack = std::strtold(text.c_str(), nullptr);
    const long double tolerance = std::fabs(static_cast<long double>(value)) * 1e-14L;
    check(std::fabs(readBack - static_cast<long double>(value)) <= tolerance,
          "double text does not read back");
}

void rhythmOfRandomStamps(FuzzedDataProvider &data)
{
    const int length = data.ConsumeIntegralInRange<int>(0, RhythmMaxLength);
    std::array<Currency, RhythmMaxLength + 1> stamps{};
    // Real stamps are counter values: non-negative, far below 2^62.
    for (std::size_t n = 1; n < stamps.size(); ++n) {
        if (data.ConsumeBool())
            stamps[n] =
                Currency::fromRaw(data.ConsumeIntegralInRange<std::int64_t>(0, std::int64_t{1} << 62));
    }
    const auto intervals = rhythmIntervals(stamps, length);
    const double t = RhythmThreshold(intervals);
    check(!std::isnan(t) && t >= 0, "threshold NaN or negative");
    double smallest = 0;
    double largest = 0;
    for (double x : intervals) {
        if (x > 0) {
            smallest = smallest == 0 ? x : std::min(smallest, x);
            largest = std::max(largest, x);
        }
    }
    check(largest == 0 ? t == 0 : (t >= smallest && t <= largest), "threshold outside its intervals");
    const std::string code = rhythmCode(stamps, length, t);
    check(static_cast<int>(code.size()) == std::max(length - 1, 0), "code length");
    const Currency rounded = Currency::fromDouble(t);
    for (int k = 2; k <= length; ++k) {
        const char digit = code[static_cast<std::size_t>(k - 2)];
        const auto slot = static_cast<std::size_t>(k);
        check(digit == (stamps[slot] - stamps[slot - 1] > rounded ? '1' : '0'),
              "digit disagrees with the threshold");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    switch (data.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
        currencyTextReadsBack(data.ConsumeIntegral<std::int64_t>());
        break;
    case 1:
        doubleTextReadsBack(data.ConsumeFloatingPoint<double>());
        break;
    default:
        rhythmOfRandomStamps(data);
        break;
    }
    return 0;
}
