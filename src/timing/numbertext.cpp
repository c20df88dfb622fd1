// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

std::string integerText(std::int64_t value)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string currencyText(Currency value, std::string_view decimalSeparator)
{
    const std::int64_t raw = value.raw();
    // Work on the magnitude as unsigned so that the most negative value has one too.
    const std::uint64_t magnitude =
        raw < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    const auto scale = static_cast<std::uint64_t>(Currency::Scale);
    std::uint64_t fraction = magnitude % scale;

    std::string text;
    if (raw < 0)
        text += '-';
    std::array<char, 24> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude / scale);
    text.append(buffer.data(), result.ptr);
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), fraction);
        const std::string_view fractionDigits(buffer.data(),
                                              static_cast<std::size_t>(result.ptr - buffer.data()));
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(digits) - fractionDigits.size(), '0');
        text += fractionDigits;
    }
    return text;
}

namespace {

struct Decimal
{
    std::string digits; // significant digits, no trailing zeros, at least one digit
    int exponent = 0;   // value = 0.d1d2d3... * 10^(exponent + 1), i.e. d1 is at 10^exponent
};

// Significant digits and decimal exponent of the shortest round-tripping form, at most 15 digits.
Decimal decompose(double magnitude)
{
    // to_chars without a precision writes the shortest form that reads back as the same double
    // (not every standard library can read a double back with from_chars).
    std::array<char, 64> buffer{};
    auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific);
    std::string_view chosen(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const auto significant =
        std::count_if(chosen.begin(), chosen.begin() + static_cast<std::ptrdiff_t>(chosen.find('e')),
                      [](char ch) { return ch != '.'; });
    if (significant > 15) {
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                               std::chars_format::scientific, 14);
        chosen = std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    }
    // chosen looks like "d.ddddde+XX" or "de-XX"
    const std::size_t ePos = chosen.find('e');
    Decimal decimal;
    for (char ch : chosen.substr(0, ePos)) {
        if (ch != '.')
            decimal.digits += ch;
    }
    const std::string_view exponentText = chosen.substr(ePos + 1);
    const char *first = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
    std::from_chars(first, exponentText.data() + exponentText.size(), decimal.exponent);
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    return decimal;
}

} // namespace

std::string doubleText(double value, std::string_view decimalSeparator)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    if (value == 0)
        return "0";

    const Decimal decimal = decompose(std::fabs(value));
    const auto digitCount = static_cast<int>(decimal.digits.size());
    std::string text;
    if (value < 0)
        text += '-';

    if (decimal.exponent >= 15 || decimal.exponent < -5) {
        text += decimal.digits.front();
        if (digitCount > 1) {
            text += decimalSeparator;
            text += decimal.digits.substr(1);
        }
        const int exponent = decimal.exponent;
        text += exponent < 0 ? "E-" : "E+";
        const std::string exponentDigits = integerText(exponent < 0 ? -exponent : exponent);
        if (exponentDigits.size() < 2)
            text += '0';
        text += exponentDigits;
        return text;
    }

    if (decimal.exponent < 0) {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-decimal.exponent - 1), '0');
        text += decimal.digits;
        return text;
    }

    const int wholeDigits = decimal.exponent + 1;
    if (digitCount <= wholeDigits) {
        text += decimal.digits;
        text.append(static_cast<std::size_t>(wholeDigits - digitCount), '0');
    } else {
        text += decimal.digits.substr(0, static_cast<std::size_t>(wholeDigits));
        text += decimalSeparator;
        text += decimal.digits.substr(static_cast<std::size_t>(wholeDigits));
    }
    return text;
}
