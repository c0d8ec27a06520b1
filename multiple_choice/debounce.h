// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The next-question button's two-second rule, without widgets.

#include <QTime>

namespace orv {

// Clock readings in whole seconds since midnight: the fractional reading
// rounded to the nearest second, a half to the even neighbour (so
// 23:59:59.5 reads as 86400).
int pressReading(const QTime &time);

// A press is accepted when it reads at least two seconds after the reading
// taken after the last accepted press. The interval is counted forward
// around the clock, so midnight does not lock the button, and the first
// press of a fresh button is always accepted.
class PressDebounce
{
public:
    // Takes the reading of a press; true when the press counts.
    bool press(int reading);
    // Records the reading taken after an accepted press was handled.
    void accepted(int reading);

    int prevPress() const { return m_prevPress; }
    int thisPress() const { return m_thisPress; }

private:
    int m_prevPress = 0;
    int m_thisPress = 0;
    bool m_anyAccepted = false;
};

} // namespace orv
