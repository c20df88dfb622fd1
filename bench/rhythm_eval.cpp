// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Judges pairs of real typings of one password with the program's own rhythm analysis.
//
// Input: a folder of userN.txt files (N = 1, 2, ...), each holding one repetition per line as
// tab-separated key-to-key intervals in milliseconds, as in the Keystroke100 data set. Each
// repetition becomes a row of stamps whose intervals are those milliseconds exactly; its rhythm
// code is computed as the login window computes it when the field is left.
//
// Genuine pairs: every two repetitions of one typist. Impostor pairs: every repetition of each
// typist against the first repetition of every other typist. A pair matches when both rhythm
// codes are equal (the texts are the same password by construction).
//
// Margin: how far the first typing's interval nearest to its threshold lies from it, as a share
// of the span from the shortest positive to the longest interval. Typists sorted by that margin
// into four equal groups (the last takes any remainder), each group's genuine pairs among the
// later typings (2 to N) show whether a rhythm clear of its threshold repeats more reliably.

#include "rhythm.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Repetition = std::vector<Currency>; // the intervals of one typing

// "156.00" to the Currency value 156 exactly: digits are read as decimal text, not as a double.
Currency parseMilliseconds(const std::string &text)
{
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    if (whole.empty() || fraction.size() > 4)
        throw std::runtime_error("not a millisecond value with at most four decimals: " + text);
    fraction.append(4 - fraction.size(), '0');
    std::int64_t wholeValue = 0;
    std::int64_t fractionValue = 0;
    const auto wholeResult = std::from_chars(whole.data(), whole.data() + whole.size(), wholeValue);
    const auto fractionResult =
        std::from_chars(fraction.data(), fraction.data() + fraction.size(), fractionValue);
    if (wholeResult.ec != std::errc() || wholeResult.ptr != whole.data() + whole.size() ||
        fractionResult.ec != std::errc() || fractionResult.ptr != fraction.data() + fraction.size() ||
        wholeValue < 0)
        throw std::runtime_error("not a millisecond value: " + text);
    return Currency::fromRaw(wholeValue * Currency::Scale + fractionValue);
}

std::vector<Repetition> readTypist(const std::filesystem::path &file)
{
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::vector<Repetition> repetitions;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        Repetition intervals;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            intervals.push_back(parseMilliseconds(field));
        if (intervals.empty() || intervals.size() + 1 > RhythmMaxLength)
            throw std::runtime_error(file.string() + ": a line needs 1 to 23 intervals");
        repetitions.push_back(std::move(intervals));
    }
    return repetitions;
}

struct Typing
{
    std::string code;
    double margin = 0;
};

// The rhythm code of one typing, exactly as the window computes it when the field is left, and
// its margin.
Typing analyse(const Repetition &intervals)
{
    std::array<Currency, RhythmMaxLength + 1> stamps{};
    // Any first stamp will do; one second after the counter's origin keeps every stamp positive.
    Currency stamp = Currency::fromRaw(10'000'000);
    stamps[1] = stamp;
    int n = 1;
    for (const Currency interval : intervals) {
        stamp = Currency::fromRaw(stamp.raw() + interval.raw());
        stamps.at(static_cast<std::size_t>(++n)) = stamp;
    }
    const auto values = rhythmIntervals(stamps, n);
    const double threshold = RhythmThreshold(values);
    double shortest = 0;
    double longest = 0;
    double nearest = -1;
    for (int k = 2; k <= n; ++k) {
        const double value = values[static_cast<std::size_t>(k)];
        if (value > 0 && (shortest == 0 || value < shortest))
            shortest = value;
        longest = std::max(longest, value);
        const double distance = value > threshold ? value - threshold : threshold - value;
        nearest = nearest < 0 ? distance : std::min(nearest, distance);
    }
    // All intervals equal: no span, and every interval lies on the threshold.
    const double margin = longest > shortest ? nearest / (longest - shortest) : 0;
    return {rhythmCode(stamps, n, threshold), margin};
}

std::string percent(long matched, long total)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f",
                  total == 0 ? 0.0 : 100.0 * static_cast<double>(matched) / static_cast<double>(total));
    return buffer;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: rhythm_eval FOLDER (with user1.txt, user2.txt, ...)\n");
        return 2;
    }
    try {
        std::map<int, std::vector<std::string>> codes; // typist number -> code of each repetition
        std::map<int, double> firstMargin;
        for (const auto &entry : std::filesystem::directory_iterator(argv[1])) {
            const std::string name = entry.path().filename().string();
            int number = 0;
            if (name.rfind("user", 0) != 0 || entry.path().extension() != ".txt")
                continue;
            const std::string digits = name.substr(4, name.size() - 8);
            const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
            if (result.ec != std::errc() || result.ptr != digits.data() + digits.size())
                continue;
            for (const Repetition &repetition : readTypist(entry.path())) {
                const Typing typing = analyse(repetition);
                if (codes[number].empty())
                    firstMargin[number] = typing.margin;
                codes[number].push_back(typing.code);
            }
        }
        if (codes.size() < 2)
            throw std::runtime_error("need at least two typists");

        long genuine = 0;
        long genuineMatched = 0;
        for (const auto &[typist, own] : codes) {
            for (std::size_t i = 0; i < own.size(); ++i) {
                for (std::size_t j = i + 1; j < own.size(); ++j) {
                    ++genuine;
                    genuineMatched += own[i] == own[j] ? 1 : 0;
                }
            }
        }
        long impostor = 0;
        long impostorMatched = 0;
        for (const auto &[typist, own] : codes) {
            for (const auto &[other, theirs] : codes) {
                if (other == typist || theirs.empty())
                    continue;
                for (const std::string &code : own) {
                    ++impostor;
                    impostorMatched += code == theirs.front() ? 1 : 0;
                }
            }
        }
        std::printf("genuine: %ld/%ld matched (%s%%)\n", genuineMatched, genuine,
                    percent(genuineMatched, genuine).c_str());
        std::printf("impostor: %ld/%ld matched (%s%%)\n", impostorMatched, impostor,
                    percent(impostorMatched, impostor).c_str());

        // Beyond the two lines: how often each typist repeats their own most common code.
        std::map<std::string, long> distinct;
        long consistent = 0;
        long repetitions = 0;
        for (const auto &[typist, own] : codes) {
            std::map<std::string, long> counts;
            for (const std::string &code : own) {
                ++counts[code];
                ++distinct[code];
            }
            long most = 0;
            for (const auto &[code, count] : counts)
                most = std::max(most, count);
            consistent += most;
            repetitions += static_cast<long>(own.size());
        }
        std::printf("typists: %zu, repetitions: %ld, distinct codes: %zu\n", codes.size(), repetitions,
                    distinct.size());
        std::printf("repetitions equal to their typist's most common code: %ld/%ld (%s%%)\n", consistent,
                    repetitions, percent(consistent, repetitions).c_str());

        // Genuine pairs among typings 2 to N, by the margin of the typist's first typing.
        std::vector<std::pair<double, int>> byMargin;
        for (const auto &[typist, margin] : firstMargin)
            byMargin.emplace_back(margin, typist);
        std::sort(byMargin.begin(), byMargin.end());
        const std::size_t groupSize = byMargin.size() / 4;
        for (std::size_t group = 0; group < 4 && groupSize > 0; ++group) {
            const std::size_t first = group * groupSize;
            const std::size_t last = group == 3 ? byMargin.size() : first + groupSize;
            long pairs = 0;
            long matched = 0;
            for (std::size_t t = first; t < last; ++t) {
                const std::vector<std::string> &own = codes[byMargin[t].second];
                for (std::size_t i = 1; i < own.size(); ++i) {
                    for (std::size_t j = i + 1; j < own.size(); ++j) {
                        ++pairs;
                        matched += own[i] == own[j] ? 1 : 0;
                    }
                }
            }
            std::printf(
                "margin group %zu (%zu typists, margin %.3f to %.3f): later typings matched %ld/%ld (%s%%)\n",
                group + 1, last - first, byMargin[first].first, byMargin[last - 1].first, matched, pairs,
                percent(matched, pairs).c_str());
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "rhythm_eval: %s\n", error.what());
        return 1;
    }
    return 0;
}
