// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the multiple-choice and essay timers share: the three-second start
// countdown before a run, the tick length typed into the run's box, and the
// three figures both show, with the dashes a run ends with. Plain values,
// no widgets.

#include "common/cuefile.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace orv {

// The cover's countdown: "③" at load, then "②" and "①" a second apart, each
// with its cue, and the start with a cue of its own on the third tick.
class StartCountdown
{
public:
    struct Step
    {
        QString digit;        // the cover's caption
        Cue cue = Cue::Countdown;
        bool starts = false;  // the run begins: the cover goes, the run clock starts
    };

    // What the cover shows and plays as the window opens.
    static Step opening();
    // One tick of the countdown clock. The third starts the run and resets
    // the count.
    Step tick();
    int step() const { return m_step; }

private:
    int m_step = 0;
};

// The run clock's tick length in milliseconds from the text of its box: the
// number the text begins with, to the nearest whole millisecond.
int tickLength(QStringView text);

// The run clock's tick length when the run starts, whatever the box holds.
inline constexpr int kStandardTickMs = 1000;

// The figures both timers show: the question the standard pace is on, the
// time left in it, and the time left in the whole run.
struct RunFigures
{
    std::optional<QString> questionNo; // when it changes
    QString questionLeft;
    QString runLeft;
};

// The figures once a run is over: dashes.
RunFigures runEndFigures();

} // namespace orv
