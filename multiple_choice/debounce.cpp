// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "multiple_choice/debounce.h"

#include "common/numbers.h"

namespace orv {

namespace {
constexpr int kSecondsPerDay = 86400;
constexpr int kMinimumGap = 2;
} // namespace

int pressReading(const QTime &time)
{
    // An invalid time reads as midnight.
    return roundToInt(time.msecsSinceStartOfDay() / 1000.0);
}

bool PressDebounce::press(int reading)
{
    m_thisPress = reading;
    if (!m_anyAccepted)
        return true;
    // Forward distance on a 24-hour dial: a reading just after midnight is
    // a few seconds after one just before it, not a day earlier.
    const int gap = ((m_thisPress - m_prevPress) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    return gap >= kMinimumGap;
}

void PressDebounce::accepted(int reading)
{
    m_anyAccepted = true;
    m_prevPress = reading;
}

} // namespace orv
