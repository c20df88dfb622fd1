// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "currency.h"
#include "rhythm.h"

#include <array>
#include <string>
#include <string_view>

// One entry row: the stamp of every length its field has had, the field's text, and the latest
// analysis of both. Its one copy of the password is the field's text, which it wipes when the
// entry starts over and when the entry itself ends.
class Entry
{
public:
    static constexpr int MaxLength = RhythmMaxLength;   // characters a field accepts, a slot each
    using Stamps = std::array<Currency, MaxLength + 1>; // slot 0 is never stamped
    using Intervals = std::array<double, MaxLength + 1>;

    Entry();
    ~Entry();
    Entry(const Entry &) = delete;
    Entry &operator=(const Entry &) = delete;

    // The empty entry: stamps zeroed, text and analysis wiped.
    void reset();

    // The field now holds `text`: the new length is stamped. Returns false and stamps nothing
    // when the table has no slot for that length (0, or more than MaxLength); the text is kept
    // all the same, since a login compares the field as it is.
    bool change(std::u16string_view text, Currency stamp);

    const std::u16string &text() const { return m_text; }
    int length() const { return static_cast<int>(m_text.size()); }
    // Throws std::out_of_range outside 0..MaxLength, and for an interval below slot 2.
    Currency stamp(int n) const;
    Currency interval(int n) const;

    // Reduces the text as it is now and its stamps to intervals, threshold and rhythm code.
    // Below three characters nothing changes, an earlier analysis included, and false is returned.
    bool analyse();
    // False from the start and after each reset until an analysis succeeds.
    bool analysed() const { return m_analysed; }
    int analysedLength() const { return m_analysedLength; }
    const Intervals &intervals() const { return m_intervals; }
    double threshold() const { return m_threshold; }
    const std::string &rhythmCode() const { return m_rhythmCode; }

private:
    Stamps m_stamps{};
    std::u16string m_text;
    bool m_analysed = false;
    Intervals m_intervals{};
    int m_analysedLength = 0;
    double m_threshold = 0;
    std::string m_rhythmCode;
};
