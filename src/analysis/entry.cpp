// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "entry.h"

#include "rhythm.h"

#include <stdexcept>

namespace {

// Overwrites every code unit the string holds before it is emptied; volatile keeps the compiler
// from dropping stores to memory that is about to be reused.
void wipe(std::u16string &text)
{
    volatile char16_t *unit = text.data();
    for (std::size_t i = 0; i < text.size(); ++i)
        unit[i] = u'\0';
    text.clear();
}

// Replaces the text in place. The buffer was reserved for a full field, so no copy of the old
// text is left behind in freed memory; a longer text first wipes the old buffer.
void replace(std::u16string &target, std::u16string_view text)
{
    wipe(target);
    target.reserve(text.size());
    target.assign(text);
}

} // namespace

Entry::Entry()
{
    m_text.reserve(MaxLength);
}

Entry::~Entry()
{
    wipe(m_text);
}

void Entry::reset()
{
    m_stamps.fill(Currency());
    wipe(m_text);
    m_analysed = false;
    m_analysedLength = 0;
    m_intervals.fill(0);
    m_threshold = 0;
    m_rhythmCode.clear();
}

bool Entry::change(std::u16string_view text, Currency stamp)
{
    replace(m_text, text);
    const int n = length();
    if (n < 1 || n > MaxLength)
        return false;
    m_stamps[static_cast<std::size_t>(n)] = stamp;
    return true;
}

Currency Entry::stamp(int n) const
{
    if (n < 0 || n > MaxLength)
        throw std::out_of_range("Entry: no stamp slot for this length");
    return m_stamps[static_cast<std::size_t>(n)];
}

Currency Entry::interval(int n) const
{
    if (n < 2)
        throw std::out_of_range("Entry: no interval before the second character");
    return stamp(n) - stamp(n - 1);
}

bool Entry::analyse()
{
    if (length() < 3)
        return false;
    // Computed in full before anything is kept: a length without a slot changes nothing.
    const Intervals intervals = rhythmIntervals(m_stamps, length());
    const double threshold = RhythmThreshold(intervals);
    std::string code = ::rhythmCode(m_stamps, length(), threshold);
    m_analysedLength = length();
    m_intervals = intervals;
    m_threshold = threshold;
    m_rhythmCode = std::move(code);
    m_analysed = true;
    return true;
}
